// The samples of a database output that wait to be written, oldest first: a file
// another program has locked, or that refuses a write, keeps its samples here until it
// takes them, in the order they were taken.  The wait is bounded; past the bound the
// oldest sample goes, and is counted, so that a file locked for days costs a bounded
// amount of memory and says what it lost.
#pragma once

#include <QString>
#include <cstddef>
#include <deque>
#include <vector>

namespace tk70 {

// One sample as its record will hold it.
struct SampleRow {
    QString stamp;               // the "Date/Time" text
    std::vector<double> values;  // one per member tag, in column order
};

class WaitingSamples {
public:
    // An hour of samples at the shortest sample time (one second).
    static constexpr std::size_t kDefaultLimit = 3600;

    explicit WaitingSamples(std::size_t limit = kDefaultLimit) : m_limit(limit < 1 ? 1 : limit) {}

    // Puts row behind the others.  Returns true when the oldest sample had to go to make
    // room for it.
    bool push(SampleRow row);
    // The waiting samples, oldest first.
    const std::deque<SampleRow> &rows() const { return m_rows; }
    // Forgets the count oldest samples: they have been written.
    void removeOldest(std::size_t count);
    // Forgets every sample and counts them as dropped: they can never be written.
    void dropAll();
    std::size_t size() const { return m_rows.size(); }
    bool empty() const { return m_rows.empty(); }
    // Samples that went past the bound or were dropped, over the object's life.
    qint64 dropped() const { return m_dropped; }
    std::size_t limit() const { return m_limit; }

private:
    std::size_t m_limit;
    std::deque<SampleRow> m_rows;
    qint64 m_dropped = 0;
};

}  // namespace tk70
