// HistorianLink: see historian_link.h.
#include "collect/historian/historian_link.h"

#include "collect/historian/copy_text.h"

#include <charconv>

namespace tk70 {

namespace {

// IF NOT EXISTS throughout, under an advisory lock: two stations starting at once both
// succeed, and nothing of a layout that exists is touched.
const char *const kCreateLayout = R"(
SELECT pg_advisory_xact_lock(7070);
CREATE TABLE IF NOT EXISTS tk70_schema (version integer NOT NULL);
CREATE TABLE IF NOT EXISTS tk70_tags (
    station text NOT NULL,
    tag text NOT NULL,
    address text NOT NULL,
    description text NOT NULL,
    point_type integer NOT NULL,
    first_seen timestamptz NOT NULL,
    last_seen timestamptz NOT NULL,
    PRIMARY KEY (station, tag));
CREATE TABLE IF NOT EXISTS tk70_samples (
    station text NOT NULL,
    tag text NOT NULL,
    ts timestamptz NOT NULL,
    value double precision,
    bad_quality boolean NOT NULL,
    point_error integer NOT NULL,
    PRIMARY KEY (station, tag, ts));
INSERT INTO tk70_schema (version) SELECT 1 WHERE NOT EXISTS (SELECT 1 FROM tk70_schema);
)";

const char *const kLayoutExists = "SELECT to_regclass('tk70_schema') IS NOT NULL AND to_regclass('tk70_tags') IS NOT "
                                  "NULL AND to_regclass('tk70_samples') IS NOT NULL";

// A new tag gets both instants; a known one its new description, address and type.
const char *const kUpsertTag = R"(
INSERT INTO tk70_tags (station, tag, address, description, point_type, first_seen, last_seen)
VALUES ($1, $2, $3, $4, $5::integer, timestamptz 'epoch' + $6::bigint * interval '1 microsecond',
        timestamptz 'epoch' + $6::bigint * interval '1 microsecond')
ON CONFLICT (station, tag) DO UPDATE SET address = EXCLUDED.address, description = EXCLUDED.description,
    point_type = EXCLUDED.point_type, last_seen = EXCLUDED.last_seen)";

// The batch goes into a temporary table by COPY, then into the samples in one
// statement that skips what the server holds already.
const char *const kIncoming = "CREATE TEMP TABLE IF NOT EXISTS tk70_incoming (station text, tag text, ts_us bigint, "
                              "value double precision, bad_quality boolean, point_error integer) ON COMMIT DELETE ROWS";
const char *const kCopyIncoming = "COPY tk70_incoming FROM STDIN";
const char *const kStoreIncoming = R"(
INSERT INTO tk70_samples (station, tag, ts, value, bad_quality, point_error)
SELECT station, tag, timestamptz 'epoch' + ts_us * interval '1 microsecond', value, bad_quality, point_error
FROM tk70_incoming ON CONFLICT DO NOTHING)";

}  // namespace

bool HistorianLink::open(const std::string &conninfo)
{
    if (!m_connection.connect(conninfo))
        return failed();
    if (ensureSchema() && checkVersion())
        return true;
    m_connection.disconnect();
    return false;
}

bool HistorianLink::failed()
{
    m_error = m_connection.error();
    m_refused = m_connection.refused();
    return false;
}

bool HistorianLink::layoutExists(bool &exists)
{
    std::string answer;
    if (!m_connection.queryValue(kLayoutExists, answer))
        return failed();
    exists = answer == "t";
    return true;
}

// A layout that exists is only read: a station's login need not be allowed to create.
bool HistorianLink::ensureSchema()
{
    bool exists = false;
    if (!layoutExists(exists))
        return false;
    return exists || inTransaction([this] { return m_connection.exec(kCreateLayout) || failed(); });
}

bool HistorianLink::checkVersion()
{
    std::string text;
    if (!m_connection.queryValue("SELECT coalesce(max(version), 0) FROM tk70_schema", text))
        return failed();
    int version = 0;
    std::from_chars(text.data(), text.data() + text.size(), version);
    if (version >= 1 && version <= kSchemaVersion)
        return true;
    m_error = "The historian database holds layout version " + text + ", which this program does not write.";
    m_refused = true;
    return false;
}

// work between BEGIN and COMMIT; a failure rolls back and keeps work's message.
bool HistorianLink::inTransaction(const std::function<bool()> &work)
{
    if (!m_connection.exec("BEGIN"))
        return failed();
    if (work() && (m_connection.exec("COMMIT") || failed()))
        return true;
    const std::string why = m_error;
    m_connection.exec("ROLLBACK");
    m_error = why;
    return false;
}

bool HistorianLink::upsertTags(const std::vector<HistorianTag> &tags)
{
    return inTransaction([this, &tags] {
        for (const HistorianTag &tag : tags) {
            const std::vector<std::string> params{tag.station,
                                                  tag.tag,
                                                  tag.address,
                                                  tag.description,
                                                  std::to_string(tag.pointType),
                                                  std::to_string(tag.seenUs)};
            if (!m_connection.exec(kUpsertTag, params))
                return failed();
        }
        return true;
    });
}

bool HistorianLink::insertSamples(const HistorianSamples &samples)
{
    std::string data;
    for (const HistorianSample &sample : samples)
        appendCopyLine(data, sample);
    return inTransaction([this, &data] {
        return (m_connection.exec(kIncoming) && m_connection.copyIn(kCopyIncoming, data) &&
                m_connection.exec(kStoreIncoming)) ||
               failed();
    });
}

}  // namespace tk70
