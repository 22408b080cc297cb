// The historian's tables on the central server and the writes into them.  The layout is
// made when it is missing (with its schema version) and never dropped or altered:
//   tk70_tags(station, tag, address, description, point_type, first_seen, last_seen),
//     key (station, tag), brought up to date at each start;
//   tk70_samples(station, tag, ts, value, bad_quality, point_error), key (station, tag,
//     ts); a sample sent twice is stored once.
// Every call may wait on the network (bounded by the time-out): the historian's worker
// thread alone makes them.
#pragma once

#include "collect/historian/historian_rows.h"
#include "collect/historian/pg_connection.h"

#include <functional>
#include <string>

namespace tk70 {

class HistorianLink {
public:
    // The schema version this program writes.
    static constexpr int kSchemaVersion = 1;

    // See PgConnection: the wake-up descriptor and the time-out of every operation.
    void setWakeFd(int fd) { m_connection.setWakeFd(fd); }
    void setTimeoutMs(int ms) { m_connection.setTimeoutMs(ms); }

    // Connects and makes the tables that are missing.  False, with error(), when the
    // server cannot be reached, refuses the login, or holds a layout we do not write.
    bool open(const std::string &conninfo);
    void close() { m_connection.disconnect(); }
    bool isOpen() const { return m_connection.connected(); }

    // Adds the tags that are new and updates the others (description, address, point
    // type, last_seen), in one transaction.
    bool upsertTags(const std::vector<HistorianTag> &tags);
    // Stores samples in one transaction; those the server holds already are skipped.
    bool insertSamples(const HistorianSamples &samples);

    // The last failure's message: the server's own, or ours for a layout we cannot use.
    const std::string &error() const { return m_error; }
    // True when the last failure was a refusal, which waiting will not mend: the server
    // said no (see PgConnection::refused), or its layout is one we do not write.
    bool refused() const { return m_refused; }

private:
    bool layoutExists(bool &exists);
    bool ensureSchema();
    bool checkVersion();
    bool inTransaction(const std::function<bool()> &work);
    bool failed();

    PgConnection m_connection;
    std::string m_error;
    bool m_refused = false;
};

}  // namespace tk70
