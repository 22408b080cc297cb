// What the historical graph tests build on: a document with tags and one graph (the
// real-time trend's fixture) and a source of records generated per record number.
#pragma once

#include "tests/trend/realtime/trend_fixture.h"
#include "trend/historyview/history_source.h"

#include <QTime>
#include <functional>

namespace tk70test {

// Records 0 .. count-1 at one per second from 08:00:00; tag column c of record r holds
// r + 1000 * c, bad when badAt says so.
class TableSource : public tk70::HistorySource {
public:
    explicit TableSource(long long count) : m_count(count) {}

    std::function<bool(long long record, int column)> badAt = [](long long, int) { return false; };
    long long reads = 0;

    static QString timeOf(long long record)
    {
        return QTime(8, 0).addSecs(static_cast<int>(record)).toString(QStringLiteral("HH:mm:ss"));
    }
    long long recordCount() override { return m_count; }
    void append(long long records) { m_count += records; }
    void seek(long long record) override { m_next = record; }
    long long position() const override { return m_next; }
    bool skip(long long records) override
    {
        m_next += records;
        return m_next < m_count;
    }
    bool read(const std::vector<int> &columns, tk70::HistorySample &point) override
    {
        if (m_next >= m_count)
            return false;
        ++reads;
        point.record = m_next;
        point.date = QStringLiteral("03/07/24");
        point.time = timeOf(m_next);
        point.values.clear();
        point.bad.clear();
        for (const int column : columns) {
            point.values.push_back(static_cast<double>(m_next + 1000 * column));
            point.bad.push_back(badAt(m_next, column));
        }
        ++m_next;
        return true;
    }

private:
    long long m_count;
    long long m_next = 0;
};

// A document whose graph 1 draws TAG-1 and TAG-2 scaled zero 10, span 200.
inline void setUpHistoryDocument(tk70::CTagDoc &doc)
{
    setUpDocument(doc, 4, {QStringLiteral("TAG-1"), QStringLiteral("TAG-2")});
    doc.graph(0).title = QStringLiteral("Boiler 2 History");
    for (int trace = 0; trace < 2; ++trace) {
        doc.graph(0).traces[static_cast<size_t>(trace)].zero = 10.0;
        doc.graph(0).traces[static_cast<size_t>(trace)].span = 200.0;
    }
}

}  // namespace tk70test
