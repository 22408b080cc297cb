// HistorianSpool: see historian_spool.h.
#include "collect/historian/historian_spool.h"

#include <memory>
#include <sqlite3.h>

namespace tk70 {

namespace {

struct StatementFree {
    void operator()(sqlite3_stmt *statement) const { sqlite3_finalize(statement); }
};
using Statement = std::unique_ptr<sqlite3_stmt, StatementFree>;

const char *const kLayout = R"(
CREATE TABLE IF NOT EXISTS spool_samples (
    id INTEGER PRIMARY KEY, station TEXT NOT NULL, tag TEXT NOT NULL, ts_us INTEGER NOT NULL,
    value REAL, bad_quality INTEGER NOT NULL, point_error INTEGER NOT NULL);
CREATE TABLE IF NOT EXISTS spool_tags (
    station TEXT NOT NULL, tag TEXT NOT NULL, address TEXT NOT NULL, description TEXT NOT NULL,
    point_type INTEGER NOT NULL, seen_us INTEGER NOT NULL);
)";

void bindText(sqlite3_stmt *statement, int index, const std::string &text)
{
    sqlite3_bind_text(statement, index, text.data(), int(text.size()), SQLITE_TRANSIENT);
}

std::string columnText(sqlite3_stmt *statement, int index)
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(statement, index));
    return text ? std::string(text, size_t(sqlite3_column_bytes(statement, index))) : std::string();
}

}  // namespace

HistorianSpool::~HistorianSpool() { close(); }

bool HistorianSpool::open(const std::string &path)
{
    close();
    if (sqlite3_open_v2(path.c_str(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                        nullptr) != SQLITE_OK) {
        failed();
        close();
        return false;
    }
    sqlite3_busy_timeout(m_db, 1000);
    // FULL: a sample the spool took survives a power cut, not only a crash.
    if (exec("PRAGMA journal_mode=WAL") && exec("PRAGMA synchronous=FULL") && exec(kLayout))
        return true;
    close();
    return false;
}

void HistorianSpool::close()
{
    if (m_db)
        sqlite3_close_v2(m_db);
    m_db = nullptr;
}

bool HistorianSpool::failed()
{
    m_error = m_db ? sqlite3_errmsg(m_db) : "out of memory";
    return false;
}

bool HistorianSpool::exec(const char *sql)
{
    return m_db && (sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) == SQLITE_OK || failed());
}

sqlite3_stmt *HistorianSpool::prepare(const char *sql)
{
    sqlite3_stmt *statement = nullptr;
    if (!m_db || sqlite3_prepare_v2(m_db, sql, -1, &statement, nullptr) != SQLITE_OK)
        failed();
    return statement;
}

std::int64_t HistorianSpool::scalar(const char *sql)
{
    const Statement statement(prepare(sql));
    if (!statement || sqlite3_step(statement.get()) != SQLITE_ROW)
        return -1;
    return sqlite3_column_int64(statement.get(), 0);
}

bool HistorianSpool::append(const HistorianSamples &samples)
{
    const Statement insert(prepare("INSERT INTO spool_samples (station, tag, ts_us, value, bad_quality, point_error) "
                                   "VALUES (?, ?, ?, ?, ?, ?)"));
    if (!insert || !exec("BEGIN IMMEDIATE"))
        return false;
    for (const HistorianSample &sample : samples) {
        bindText(insert.get(), 1, sample.station);
        bindText(insert.get(), 2, sample.tag);
        sqlite3_bind_int64(insert.get(), 3, sample.tsUs);
        if (sample.value)
            sqlite3_bind_double(insert.get(), 4, *sample.value);
        else
            sqlite3_bind_null(insert.get(), 4);
        sqlite3_bind_int(insert.get(), 5, sample.badQuality ? 1 : 0);
        sqlite3_bind_int(insert.get(), 6, sample.pointError);
        const bool stored = sqlite3_step(insert.get()) == SQLITE_DONE || failed();
        sqlite3_reset(insert.get());
        if (!stored) {
            exec("ROLLBACK");
            return false;
        }
    }
    return exec("COMMIT") || (exec("ROLLBACK"), false);
}

bool HistorianSpool::oldest(std::size_t limit, HistorianSamples &samples, std::int64_t &lastKey)
{
    samples.clear();
    const Statement select(prepare("SELECT id, station, tag, ts_us, value, bad_quality, point_error "
                                   "FROM spool_samples ORDER BY id LIMIT ?"));
    if (!select)
        return false;
    sqlite3_bind_int64(select.get(), 1, std::int64_t(limit));
    int step = SQLITE_ROW;
    while ((step = sqlite3_step(select.get())) == SQLITE_ROW) {
        HistorianSample sample;
        lastKey = sqlite3_column_int64(select.get(), 0);
        sample.station = columnText(select.get(), 1);
        sample.tag = columnText(select.get(), 2);
        sample.tsUs = sqlite3_column_int64(select.get(), 3);
        if (sqlite3_column_type(select.get(), 4) != SQLITE_NULL)
            sample.value = sqlite3_column_double(select.get(), 4);
        sample.badQuality = sqlite3_column_int(select.get(), 5) != 0;
        sample.pointError = sqlite3_column_int(select.get(), 6);
        samples.push_back(std::move(sample));
    }
    return step == SQLITE_DONE || failed();
}

bool HistorianSpool::removeThrough(std::int64_t lastKey)
{
    const Statement remove(prepare("DELETE FROM spool_samples WHERE id <= ?"));
    if (!remove)
        return false;
    sqlite3_bind_int64(remove.get(), 1, lastKey);
    return sqlite3_step(remove.get()) == SQLITE_DONE || failed();
}

bool HistorianSpool::putTags(const std::vector<HistorianTag> &tags)
{
    const Statement insert(prepare("INSERT INTO spool_tags (station, tag, address, description, point_type, seen_us) "
                                   "VALUES (?, ?, ?, ?, ?, ?)"));
    if (!insert || !exec("BEGIN IMMEDIATE"))
        return false;
    bool stored = exec("DELETE FROM spool_tags");
    for (const HistorianTag &tag : tags) {
        if (!stored)
            break;
        bindText(insert.get(), 1, tag.station);
        bindText(insert.get(), 2, tag.tag);
        bindText(insert.get(), 3, tag.address);
        bindText(insert.get(), 4, tag.description);
        sqlite3_bind_int(insert.get(), 5, tag.pointType);
        sqlite3_bind_int64(insert.get(), 6, tag.seenUs);
        stored = sqlite3_step(insert.get()) == SQLITE_DONE || failed();
        sqlite3_reset(insert.get());
    }
    if (stored && exec("COMMIT"))
        return true;
    exec("ROLLBACK");
    return false;
}

bool HistorianSpool::pendingTags(std::vector<HistorianTag> &tags)
{
    tags.clear();
    const Statement select(
        prepare("SELECT station, tag, address, description, point_type, seen_us FROM spool_tags ORDER BY rowid"));
    if (!select)
        return false;
    int step = SQLITE_ROW;
    while ((step = sqlite3_step(select.get())) == SQLITE_ROW) {
        HistorianTag tag;
        tag.station = columnText(select.get(), 0);
        tag.tag = columnText(select.get(), 1);
        tag.address = columnText(select.get(), 2);
        tag.description = columnText(select.get(), 3);
        tag.pointType = sqlite3_column_int(select.get(), 4);
        tag.seenUs = sqlite3_column_int64(select.get(), 5);
        tags.push_back(std::move(tag));
    }
    return step == SQLITE_DONE || failed();
}

bool HistorianSpool::clearTags() { return exec("DELETE FROM spool_tags"); }

std::int64_t HistorianSpool::count() { return scalar("SELECT count(*) FROM spool_samples"); }

std::int64_t HistorianSpool::bytes()
{
    const std::int64_t pages = scalar("PRAGMA page_count");
    const std::int64_t free = scalar("PRAGMA freelist_count");
    const std::int64_t size = scalar("PRAGMA page_size");
    return pages < 0 || free < 0 || size < 0 ? -1 : (pages - free) * size;
}

// The rows to drop are estimated from the average row's share of the file, with a
// margin, so that one trim makes room for a while instead of running at every commit.
std::int64_t HistorianSpool::trimTo(std::int64_t maxBytes)
{
    const std::int64_t used = bytes();
    if (used < 0)
        return -1;
    if (used <= maxBytes)
        return 0;
    const std::int64_t rows = count();
    if (rows < 0)
        return -1;
    if (rows == 0)
        return 0;
    const double perRow = double(used) / double(rows);
    std::int64_t drop = std::int64_t(double(used - maxBytes) / perRow) + rows / 100 + 1;
    drop = drop > rows ? rows : drop;
    const Statement remove(
        prepare("DELETE FROM spool_samples WHERE id IN (SELECT id FROM spool_samples ORDER BY id LIMIT ?)"));
    if (!remove)
        return -1;
    sqlite3_bind_int64(remove.get(), 1, drop);
    if (sqlite3_step(remove.get()) != SQLITE_DONE)
        return failed(), -1;
    return sqlite3_changes(m_db);
}

}  // namespace tk70
