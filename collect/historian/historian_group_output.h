// The output of a collection group whose file type is "PostgreSQL Historian": its file
// name is a libpq connection string, URI or service, and its samples go, through a spool
// of the station's own, into the central server's tables.  Opening checks the
// connection string (without the network); the header claims the group's spool, starts
// the worker and sends the tags; a sample is handed over and never waits on the server.
// Append, overwrite and rollover mean nothing here: the server keeps every sample once.
#pragma once

#include "collect/datafile/group_output.h"
#include "collect/historian/historian_forwarder.h"
#include "collect/historian/historian_settings.h"
#include "collect/historian/utc_stamp.h"
#include "platform/output_lock.h"

#include <QDateTime>
#include <memory>

namespace tk70 {

class HistorianGroupOutput : public GroupOutput {
public:
    explicit HistorianGroupOutput(HistorianSettings settings);
    ~HistorianGroupOutput() override;

    OpenResult open(const QString &path, bool append, OverwritePolicy policy) override;
    bool isOpen() const override { return m_open; }
    bool writeHeader(const HeaderFacts &facts, const std::vector<DataColumn> &columns) override;
    void writeSample(const QDateTime &stamp, const std::vector<DataColumn> &columns,
                     const PointReadings &readings) override;
    // Reports, once a start each, the server's refusal and samples that went past the
    // spool's bound.
    void writeWaiting() override;
    // Ends the worker without waiting on the server; what it has not forwarded stays in
    // the spool for the next start.
    void close() override;
    SampleCounts counts() const override;
    // historianStateText() of the worker's state; empty before the header.
    QString stateText() const override;
    Message overwriteQuestion(const QString &path) const override;

    // The worker's state; a default state before the header.
    HistorianState state() const;
    // The spool of group groupNumber writing to conninfo, in folder.
    static QString spoolPath(const QString &folder, const QString &conninfo, int groupNumber);

private:
    bool claimSpool(const QString &path);
    std::vector<HistorianTag> tagsOf(const std::vector<DataColumn> &columns, std::int64_t nowUs) const;

    HistorianSettings m_settings;
    std::string m_station;
    QString m_conninfo;
    OutputLock m_lock;
    std::unique_ptr<HistorianForwarder> m_forwarder;
    std::shared_ptr<const std::vector<HistorianTag>> m_tags;  // this start's, shared by its ticks
    UtcStamp m_utc;
    bool m_open = false;
    int m_groupNumber = 0;
    bool m_dropShown = false;
    bool m_refusalShown = false;
};

// The libpq message for a connection string that cannot be read, or the refusal of one
// that holds a password; empty when it can be used.
QString connectionStringError(const QString &conninfo);

// What the status bar and the summary say: "historian: online, 0 waiting" or
// "historian: offline since 14:02, 5400 waiting" (local time).
QString historianStateText(const HistorianState &state);

std::unique_ptr<GroupOutput> makeHistorianGroupOutput(const HistorianSettings &settings);

}  // namespace tk70
