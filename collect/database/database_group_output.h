// The database output of a collection group: an SQLite file holding the data values
// table ("Date/Time" and one column per member tag) and the tag information table.  A new
// file gets both tables; a file appended to must describe the same tags.  The file is
// the output's alone while it is open (a lock another collector would find), and a
// sample never waits on it: a file another program has locked keeps the samples waiting,
// in order and bounded, until it takes them, and says so once.
#pragma once

#include "collect/database/database_settings.h"
#include "collect/database/waiting_samples.h"
#include "collect/datafile/group_output.h"
#include "platform/output_lock.h"

#include <QDateTime>
#include <memory>

namespace tk70 {

class DaoDatabase;
class DaoException;
class SampleTable;

class DatabaseGroupOutput : public GroupOutput {
public:
    // How long a write waits for another program's lock while sampling, and at the close
    // (when nothing samples any more).
    static constexpr int kSampleBusyTimeoutMs = 10;
    static constexpr int kCloseBusyTimeoutMs = 1000;
    // The log is copied into the file at least this often while samples are written.
    static constexpr qint64 kCheckpointSeconds = 60;

    explicit DatabaseGroupOutput(DatabaseSettings settings, std::size_t waitLimit = WaitingSamples::kDefaultLimit);
    ~DatabaseGroupOutput() override;

    // Claims the file and creates it, or with append opens the one that exists; without
    // append an existing file is replaced after the overwrite question (policy).  A file
    // another collector holds is refused untouched.
    OpenResult open(const QString &path, bool append, OverwritePolicy policy) override;
    bool isOpen() const override;
    // Makes the tables of a new file, or checks the tag information table of a file
    // appended to, and prepares the writing of samples.  A file the open made is removed
    // again when this fails.
    bool writeHeader(const HeaderFacts &facts, const std::vector<DataColumn> &columns) override;
    // Puts the sample behind those waiting and writes what waits.
    void writeSample(const QDateTime &stamp, const std::vector<DataColumn> &columns,
                     const PointReadings &readings) override;
    void writeWaiting() override;
    // Writes what waits (waiting up to kCloseBusyTimeoutMs for a lock), copies the log
    // into the file and closes it; samples still waiting then are lost, and said so.
    void close() override;
    SampleCounts counts() const override;
    Message overwriteQuestion(const QString &path) const override;

    // The number stored for one reading, with the substitutes of the settings and
    // rounded to single precision when the settings ask for it.
    static double storedValue(const PointReading &reading, const DatabaseSettings &settings);

private:
    OpenResult openFile(bool append, OverwritePolicy policy);
    bool claimFile();
    bool replaceExisting();
    bool tablesReady(const std::vector<DataColumn> &columns);
    bool createTables(const std::vector<DataColumn> &columns);
    bool startSampling(const std::vector<DataColumn> &columns);
    void keep(const QDateTime &stamp, const std::vector<DataColumn> &columns, const PointReadings &readings);
    void checkpointNow(const QDateTime &stamp);
    void giveUpWaiting();
    void report(const QString &text, MessageIcon icon) const;
    void reportDaoError(const DaoException &error, MessageIcon icon) const;
    void discard();
    void abandon();

    DatabaseSettings m_settings;
    OutputLock m_lock;
    std::unique_ptr<DaoDatabase> m_database;
    std::unique_ptr<SampleTable> m_table;
    WaitingSamples m_waiting;
    SampleCounts m_counts;
    QString m_path;
    QDateTime m_lastCheckpoint;
    bool m_created = false;        // the file has no tables yet: the header makes them
    bool m_madeFile = false;       // the open made the file: a failed header removes it
    bool m_reportFailures = true;  // off for the quiet retry of a failed open
    bool m_writeErrorShown = false;
    bool m_dropShown = false;
};

std::unique_ptr<GroupOutput> makeDatabaseGroupOutput(const DatabaseSettings &settings);

}  // namespace tk70
