// The historian's local spool: an SQLite file (write-ahead log, synced at each commit)
// where every sample is committed before it is forwarded, and from which it goes only
// after the central server committed it.  A restarted station finds what it holds and
// forwards it first.  The spool is bounded: past its bound the oldest samples go, and
// are counted.  One thread at a time uses an object (the historian's worker).
#pragma once

#include "collect/historian/historian_rows.h"

#include <cstdint>
#include <string>

struct sqlite3;
struct sqlite3_stmt;

namespace tk70 {

class HistorianSpool {
public:
    HistorianSpool() = default;
    ~HistorianSpool();
    HistorianSpool(const HistorianSpool &) = delete;
    HistorianSpool &operator=(const HistorianSpool &) = delete;

    // Opens the spool file at path, making it and its tables when they are missing.
    // False, with error(), when the file cannot be opened or is not a spool.
    bool open(const std::string &path);
    void close();
    bool isOpen() const { return m_db != nullptr; }

    // Commits samples behind those the spool holds, in one transaction.
    bool append(const HistorianSamples &samples);
    // The oldest samples, at most limit of them, and the key of the last one given.
    bool oldest(std::size_t limit, HistorianSamples &samples, std::int64_t &lastKey);
    // Forgets every sample up to and including lastKey: the server committed them.
    bool removeThrough(std::int64_t lastKey);

    // The tags waiting to be sent (those of the latest start), replacing any waiting.
    bool putTags(const std::vector<HistorianTag> &tags);
    bool pendingTags(std::vector<HistorianTag> &tags);
    bool clearTags();

    // Samples held.
    std::int64_t count();
    // Bytes the samples and tags take in the file.
    std::int64_t bytes();
    // Drops the oldest samples until the spool takes no more than maxBytes; the number
    // dropped, or -1 on failure.
    std::int64_t trimTo(std::int64_t maxBytes);

    const std::string &error() const { return m_error; }

private:
    bool exec(const char *sql);
    sqlite3_stmt *prepare(const char *sql);
    std::int64_t scalar(const char *sql);
    bool failed();

    sqlite3 *m_db = nullptr;
    std::string m_error;
};

}  // namespace tk70
