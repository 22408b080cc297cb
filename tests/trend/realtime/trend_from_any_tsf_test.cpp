// Trend graphs built from whatever a tag selection file holds: every file of the reader's
// fuzzing corpus, and deterministic mutations of each, is loaded and each of its graphs
// built and sampled, so that no stored history length, interval, trace count or scale
// can make a trend window allocate without bound, overflow its timer or read outside
// its traces (the sanitizer builds run this too).
#include "tags/tag_doc.h"
#include "tests/trend/realtime/trend_fixture.h"
#include "trend/realtime/trend_graph_window.h"

#include "chart/chart_page.h"
#include "tests/support/message_recorder.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <cstdio>
#include <gtest/gtest.h>
#include <limits>
#include <random>

using namespace tk70;

namespace {

QList<QByteArray> corpus()
{
    QList<QByteArray> files;
    const QDir dir(QStringLiteral(TK70_TSF_SEEDS));
    for (const QString &name : dir.entryList(QDir::Files, QDir::Name)) {
        QFile file(dir.filePath(name));
        if (file.open(QIODevice::ReadOnly))
            files.push_back(file.readAll());
    }
    return files;
}

// bytes with a few bytes overwritten at places the generator picks (often 0xFF or 0x7F,
// the ends of the stored numbers' ranges).
QByteArray mutated(QByteArray bytes, std::mt19937 &random)
{
    if (bytes.isEmpty())
        return bytes;
    std::uniform_int_distribution<qsizetype> at(0, bytes.size() - 1);
    std::uniform_int_distribution<int> value(0, 255);
    const char ends[] = {'\xff', '\x7f', '\x80', '\0'};
    for (int i = 0; i < 8; ++i) {
        const int v = value(random);
        bytes[at(random)] = v < 128 ? ends[v % 4] : char(v);
    }
    return bytes;
}

// Builds every graph of the document (one without traces or tags as well) and samples
// it a few times.  Returns the number of graphs with traces built.
int buildGraphs(const CTagDoc &doc)
{
    int built = 0;
    tk70test::TableReadings readings(doc.tagCapacity());
    tk70test::TestClock clock;
    for (int g = 0; g < TrendGraph::kGraphCount; ++g) {
        ChartPage page;
        TrendGraphWindow window(page, doc, g, readings, clock);
        EXPECT_LE(window.traceCount(), TrendGraph::kMaxTraces);
        for (int tick = 0; tick < 3; ++tick) {
            clock.advance(1);
            window.sample();
        }
        built += doc.graph(g).tracesInUse() > 0 ? 1 : 0;
    }
    return built;
}

}  // namespace

TEST(TrendFromAnyTsf, EveryCorpusFileAndItsMutationsBuildTheirGraphs)
{
    tk70test::MessageRecorder messages;
    const QList<QByteArray> files = corpus();
    ASSERT_GT(files.size(), 20);
    std::mt19937 random(20261208);
    int loaded = 0, built = 0;
    for (const QByteArray &file : files) {
        for (int variant = 0; variant < 12; ++variant) {
            CTagDoc doc;
            const QByteArray bytes = variant == 0 ? file : mutated(file, random);
            if (!doc.loadTsf(bytes, QStringLiteral("any.tsf")))
                continue;
            ++loaded;
            built += buildGraphs(doc);
        }
    }
    std::printf("%d files loaded, %d graphs with traces built\n", loaded, built);
    EXPECT_GT(loaded, 50);
    EXPECT_GT(built, 5);
}

// The fields a file may hold at their worst, set directly: the windows build with the
// normalised length and a bounded interval.
TEST(TrendFromAnyTsf, HostileGraphFieldsBuildBoundedWindows)
{
    tk70test::MessageRecorder messages;
    const struct {
        qint32 history;
        double interval;
        qint32 traces;
    } cases[] = {
        {2'000'000'000, 5.0, 2},
        {-1, 5.0, 2},
        {600, 1e300, 2},
        {600, -3.0, 2},
        {600, std::numeric_limits<double>::quiet_NaN(), 2},
        {600, 5.0, 1000},
        {600, 5.0, -5},
    };
    for (const auto &c : cases) {
        CTagDoc doc;
        tk70test::setUpDocument(doc, 4, {QStringLiteral("TAG-1"), QStringLiteral("TAG-2")}, c.history, c.interval);
        doc.graph(0).traceCount = c.traces;
        buildGraphs(doc);
        const auto &lengths = TrendGraph::kHistoryLengths;
        EXPECT_NE(std::find(lengths.begin(), lengths.end(), doc.graph(0).historyLengthInUse()), lengths.end());
        EXPECT_LE(doc.graph(0).sampleIntervalInUse(), TrendGraph::kMaxSampleInterval);
    }
}
