// The database output of a collection group: an SQLite file holding the data values
// table ("Date/Time" and one column per member tag) and the tag information table.  A new
// file gets both tables; a file appended to must describe the same tags; each sample is
// one record, written in a transaction of its own.
#pragma once

#include "database_settings.h"
#include "group_output.h"
#include "messages.h"

#include <memory>

namespace tk70 {

class DaoDatabase;
class DaoException;
class DaoRecordset;

class DatabaseGroupOutput : public GroupOutput {
public:
    explicit DatabaseGroupOutput(DatabaseSettings settings);
    ~DatabaseGroupOutput() override;

    // Creates the file, or with append opens the one that exists; without append an
    // existing file is replaced after the overwrite question (policy).
    OpenResult open(const QString &path, bool append, OverwritePolicy policy) override;
    bool isOpen() const override;
    // Makes the tables of a new file, or checks the tag information table of a file
    // appended to, and opens the data values table for the samples.
    bool writeHeader(const HeaderFacts &facts, const std::vector<DataColumn> &columns) override;
    void writeSample(const QDateTime &stamp, const std::vector<DataColumn> &columns,
                     const PointReadings &readings) override;
    void close() override;

    // The number stored for one reading, with the substitutes of the settings and
    // rounded to single precision when the settings ask for it.
    static double storedValue(const PointReading &reading, const DatabaseSettings &settings);

private:
    OpenResult openFile(bool append, OverwritePolicy policy);
    bool replaceExisting();
    bool createTables(const std::vector<DataColumn> &columns);
    bool tablesReady(const std::vector<DataColumn> &columns);
    void report(const QString &text, MessageIcon icon) const;
    void reportDaoError(const DaoException &error, MessageIcon icon) const;
    void discard();

    DatabaseSettings m_settings;
    std::unique_ptr<DaoDatabase> m_database;
    std::unique_ptr<DaoRecordset> m_records;
    QString m_path;
    bool m_created = false;        // the open made a new file: the header makes its tables
    bool m_reportFailures = true;  // off for the quiet retry of a failed open
    bool m_sampleErrorShown = false;
};

std::unique_ptr<GroupOutput> makeDatabaseGroupOutput(const DatabaseSettings &settings);

}  // namespace tk70
