// Tests of tk70-graph: the listed points against the values the collection wrote, the
// record range, every graph file kind read back by an outside reader, and the exit
// codes of a bad command line and of a refused file or trace.
#include "tags/tag_doc.h"
#include "tests/support/tool_run.h"
#include "tests/trend/history/history_fixture.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {

using tk70::HistoryFileKind;
using tk70::test::fileBytes;
using tk70::test::runTool;

// The listed lines, each split at its TABs.
std::vector<QStringList> listed(const QByteArray &out)
{
    std::vector<QStringList> lines;
    for (const QByteArray &line : out.split('\n')) {
        if (!line.isEmpty())
            lines.push_back(QString::fromUtf8(line).split(QLatin1Char('\t')));
    }
    return lines;
}

// A selection of tags T1 to T3 whose graph 1 draws T2 and graph 2 draws T3 and T1 under
// the title "Nightly Flows".
QString writeSelection(const QString &path)
{
    tk70::CTagDoc document;
    for (int slot = 0; slot < 3; ++slot) {
        tk70::TagRecord tag;
        tag.tagname = QStringLiteral("T%1").arg(slot + 1);
        document.setTag(slot, tag);
    }
    document.tags().setCount(3);
    document.graph(0).traceCount = 1;
    document.graph(0).traces[0] = {QStringLiteral("T2"), 0.0, 100.0, QStringLiteral("T2")};
    tk70::TrendGraph &graph = document.graph(1);
    graph.title = QStringLiteral("Nightly Flows");
    graph.traceCount = 2;
    graph.traces[0] = {QStringLiteral("T3"), 0.0, 50.0, QStringLiteral("T3")};
    graph.traces[1] = {QStringLiteral("T1"), 0.0, 100.0, QStringLiteral("T1")};
    EXPECT_TRUE(document.saveDocument(path));
    return path;
}

class GraphTool : public ::testing::Test {
protected:
    tk70test::HistoryFiles m_files;
};

// Record i holds i + k / 10 in column k; a last line cut after its first value leaves
// the later columns bad (their fields cut short).  T1 and T3 are listed with their qualities, for both kinds.
TEST_F(GraphTool, ListsTheFileValuesOfTwoTraces)
{
    for (const HistoryFileKind kind : {HistoryFileKind::Ascii, HistoryFileKind::Dos}) {
        const QString path = m_files.written(kind, 3, 5);
        const QByteArray last = fileBytes(path).trimmed().split('\n').back();
        tk70test::HistoryFiles::append(path, last.left(last.indexOf("4.1") - 1) + "\r\n");
        const tk70::test::ToolRun run =
            runTool({path, QStringLiteral("--trace"), QStringLiteral("T1"), QStringLiteral("--trace"),
                     QStringLiteral("T3:0:50"), QStringLiteral("--list")});
        ASSERT_EQ(run.exitCode, 0) << run.err.constData();
        const std::vector<QStringList> lines = listed(run.out);
        ASSERT_EQ(lines.size(), 6u) << run.out.constData();
        for (int i = 0; i < 6; ++i) {
            const QStringList &line = lines[size_t(i)];
            ASSERT_EQ(line.size(), 7) << line.join(QLatin1Char('|')).toStdString();
            EXPECT_EQ(line[0].toInt(), i);
            EXPECT_EQ(line[2], QStringLiteral("14:00:0%1").arg(i == 5 ? 4 : i));
            EXPECT_DOUBLE_EQ(line[3].toDouble(), i == 5 ? 4.0 : i);
            EXPECT_EQ(line[4], QStringLiteral("G"));
            EXPECT_DOUBLE_EQ(line[5].toDouble(), i == 5 ? 0.0 : i + 0.2);
            EXPECT_EQ(line[6], i == 5 ? QStringLiteral("B") : QStringLiteral("G"));
        }
    }
}

// --from and --to pick the records from the first up to, not including, the last;
// graph 2 of a selection gives its traces in its order.
TEST_F(GraphTool, FromAndToSelectTheRecords)
{
    const QString path = m_files.written(HistoryFileKind::Ascii, 3, 50);
    QTemporaryDir dir;
    const QString tsf = writeSelection(dir.filePath(QStringLiteral("plant.tsf")));
    const tk70::test::ToolRun run = runTool({path, QStringLiteral("--selection"), tsf, QStringLiteral("--graph"),
                                             QStringLiteral("2"), QStringLiteral("--from"), QStringLiteral("10"),
                                             QStringLiteral("--to"), QStringLiteral("20"), QStringLiteral("--list")});
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    const std::vector<QStringList> lines = listed(run.out);
    ASSERT_EQ(lines.size(), 10u) << run.out.constData();
    ASSERT_EQ(lines.front().size(), 7);
    EXPECT_EQ(lines.front()[1], QStringLiteral("12/06/96"));
    EXPECT_DOUBLE_EQ(lines.front()[3].toDouble(), 10.2);
    EXPECT_DOUBLE_EQ(lines.front()[5].toDouble(), 10.0);
    EXPECT_DOUBLE_EQ(lines.back()[3].toDouble(), 19.2);

    // A file without T3: that trace lists empty fields, T1 still its values.
    const QString twoTags = m_files.written(HistoryFileKind::Ascii, 2, 50);
    const tk70::test::ToolRun missing =
        runTool({twoTags, QStringLiteral("--selection"), tsf, QStringLiteral("--graph"), QStringLiteral("2"),
                 QStringLiteral("--from"), QStringLiteral("10"), QStringLiteral("--list")});
    ASSERT_EQ(missing.exitCode, 0) << missing.err.constData();
    const QStringList first = listed(missing.out).front();
    ASSERT_EQ(first.size(), 7);
    EXPECT_EQ(first[3] + first[4], QString());
    EXPECT_DOUBLE_EQ(first[5].toDouble(), 10.0);
}

// A file below 240 records lists every record; --to 0 is the end of the file; at 240
// records every second one is listed.
TEST_F(GraphTool, ListsTheRecordsTheFileHolds)
{
    const struct {
        int records;
        const char *from;
        const char *to;
        size_t lines;
        double first, last;
    } cases[] = {
        {230, "0", "0", 230, 0.0, 229.0}, {230, "100", "0", 130, 100.0, 229.0}, {239, "0", "239", 239, 0.0, 238.0},
        {240, "0", "0", 120, 0.0, 238.0}, {241, "0", "0", 121, 0.0, 240.0},
    };
    for (const auto &c : cases) {
        const QString path = m_files.written(HistoryFileKind::Ascii, 1, c.records);
        const tk70::test::ToolRun run =
            runTool({path, QStringLiteral("--trace"), QStringLiteral("T1"), QStringLiteral("--from"),
                     QLatin1String(c.from), QStringLiteral("--to"), QLatin1String(c.to), QStringLiteral("--list")});
        ASSERT_EQ(run.exitCode, 0) << run.err.constData();
        const std::vector<QStringList> lines = listed(run.out);
        ASSERT_EQ(lines.size(), c.lines) << c.records << " from " << c.from;
        EXPECT_DOUBLE_EQ(lines.front()[3].toDouble(), c.first);
        EXPECT_DOUBLE_EQ(lines.back()[3].toDouble(), c.last);
    }
}

// A DOS file keeps 9 characters of a tagname: a selection's FEEDWATER_TEMP and
// FEEDWATER_FLOW both cut to FEEDWATER find their own columns by their addresses, and a
// tag whose address names no such column draws nothing.
TEST_F(GraphTool, CutDosNamesAreMatchedByAddress)
{
    const QStringList names{QStringLiteral("FEEDWATER_FLOW"), QStringLiteral("FEEDWATER_TEMP"),
                            QStringLiteral("DRUM_LEVEL_2")};
    const QString path = m_files.written(HistoryFileKind::Dos, names, 5);
    // The selection holds the tags in another order; column k is at PCU k + 2, module
    // k + 3, block 100 + k.
    tk70::CTagDoc document;
    const struct {
        const char *name;
        int column;
    } tags[] = {{"FEEDWATER_TEMP", 1}, {"FEEDWATER_PRES", 7}, {"DRUM_LEVEL_2", 2}, {"FEEDWATER_FLOW", 0}};
    for (int slot = 0; slot < 4; ++slot) {
        tk70::TagRecord tag;
        tag.tagname = QLatin1String(tags[slot].name);
        tag.pcu = tags[slot].column + 2;
        tag.module = tags[slot].column + 3;
        tag.block = 100 + tags[slot].column;
        document.setTag(slot, tag);
    }
    document.tags().setCount(4);
    tk70::TrendGraph &graph = document.graph(0);
    graph.traceCount = 4;
    for (int trace = 0; trace < 4; ++trace)
        graph.traces[size_t(trace)] = {QLatin1String(tags[trace].name), 0.0, 100.0, QString()};
    QTemporaryDir dir;
    const QString tsf = dir.filePath(QStringLiteral("feed.tsf"));
    ASSERT_TRUE(document.saveDocument(tsf));

    const tk70::test::ToolRun run = runTool({path, QStringLiteral("--selection"), tsf, QStringLiteral("--list")});
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    const std::vector<QStringList> lines = listed(run.out);
    ASSERT_EQ(lines.size(), 5u);
    const QStringList &line = lines[3];
    ASSERT_EQ(line.size(), 3 + 2 * 4);
    EXPECT_DOUBLE_EQ(line[3].toDouble(), 3.1);  // FEEDWATER_TEMP
    EXPECT_EQ(line[5] + line[6], QString());    // FEEDWATER_PRES: no column of the file
    EXPECT_DOUBLE_EQ(line[7].toDouble(), 3.2);  // DRUM_LEVEL_2, its cut name unique
    EXPECT_DOUBLE_EQ(line[9].toDouble(), 3.0);  // FEEDWATER_FLOW
}

// Every kind is written; WMF is read back by wmf2svg and PDF by pdftotext, which must
// find the title and the tagnames (skipped when a reader is not installed).
TEST_F(GraphTool, WritesEveryGraphFileKind)
{
    const QString path = m_files.written(HistoryFileKind::Dos, 3, 30);
    QTemporaryDir dir;
    const QString tsf = writeSelection(dir.filePath(QStringLiteral("plant.tsf")));
    const std::vector<std::pair<const char *, QByteArray>> kinds = {{"g.pdf", "%PDF"},
                                                                    {"g.svg", "<?xml"},
                                                                    {"g.png", "\x89PNG"},
                                                                    {"g.emf", QByteArray("\x01\0\0\0", 4)},
                                                                    {"g.wmf", "\xD7\xCD\xC6\x9A"}};
    for (const auto &[name, magic] : kinds) {
        const QString out = dir.filePath(QString::fromLatin1(name));
        const tk70::test::ToolRun run =
            runTool({path, QStringLiteral("--selection"), tsf, QStringLiteral("--graph"), QStringLiteral("2"),
                     QStringLiteral("--out"), out, QStringLiteral("--reverse")});
        ASSERT_EQ(run.exitCode, 0) << name << run.err.constData();
        EXPECT_TRUE(fileBytes(out).startsWith(magic)) << name;
    }
    QStringList missing;
    for (const char *reader : {"wmf2svg", "pdftotext"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(reader)).isEmpty())
            missing << QString::fromLatin1(reader);
    }
    if (!missing.isEmpty())
        GTEST_SKIP() << "not installed: " << missing.join(QLatin1Char(' ')).toStdString();
    EXPECT_EQ(QProcess::execute(QStringLiteral("wmf2svg"), {QStringLiteral("-o"), dir.filePath(QStringLiteral("w.svg")),
                                                            dir.filePath(QStringLiteral("g.wmf"))}),
              0);
    QProcess pdf;
    pdf.start(QStringLiteral("pdftotext"), {dir.filePath(QStringLiteral("g.pdf")), QStringLiteral("-")});
    ASSERT_TRUE(pdf.waitForFinished(30000));
    const QString text = QString::fromUtf8(pdf.readAllStandardOutput());
    for (const char *expected : {"Nightly Flows", "T1", "T3"})
        EXPECT_TRUE(text.contains(QString::fromLatin1(expected))) << expected << "\n" << text.toStdString();
}

// --reverse is the tool's own (the application object must not take it): the picture
// changes with it, and without --out it is refused.
TEST_F(GraphTool, ReverseIsTheToolsOwnOption)
{
    const QString path = m_files.written(HistoryFileKind::Ascii, 3, 30);
    QTemporaryDir dir;
    const QString tsf = writeSelection(dir.filePath(QStringLiteral("plant.tsf")));
    QByteArray pictures[2];
    for (int reverse = 0; reverse < 2; ++reverse) {
        const QString out = dir.filePath(QStringLiteral("g%1.png").arg(reverse));
        QStringList args{path, QStringLiteral("--selection"), tsf, QStringLiteral("--out"), out};
        if (reverse)
            args << QStringLiteral("--reverse");
        const tk70::test::ToolRun run = runTool(args);
        ASSERT_EQ(run.exitCode, 0) << run.err.constData();
        pictures[reverse] = fileBytes(out);
    }
    EXPECT_TRUE(pictures[0].startsWith("\x89PNG"));
    EXPECT_NE(pictures[0], pictures[1]);
    const tk70::test::ToolRun list =
        runTool({path, QStringLiteral("--selection"), tsf, QStringLiteral("--list"), QStringLiteral("--reverse")});
    EXPECT_EQ(list.exitCode, 2);
    EXPECT_TRUE(list.err.contains("--reverse goes with --out")) << list.err.constData();
}

// A graph of the selection without traces is no report: exit 1, nothing written.
TEST_F(GraphTool, AGraphWithoutTracesIsRefused)
{
    const QString path = m_files.written(HistoryFileKind::Ascii, 3, 5);
    QTemporaryDir dir;
    const QString tsf = writeSelection(dir.filePath(QStringLiteral("plant.tsf")));
    const QString out = dir.filePath(QStringLiteral("g.png"));
    const tk70::test::ToolRun run = runTool({path, QStringLiteral("--selection"), tsf, QStringLiteral("--graph"),
                                             QStringLiteral("3"), QStringLiteral("--out"), out});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("tk70-graph: Trend Graph #3 of " + tsf.toUtf8() + " Has No Traces."))
        << run.err.constData();
    EXPECT_FALSE(QFile::exists(out));
}

// A command line outside the usage exits 2 with the usage; a file the viewer refuses
// exits 1 with the viewer's message.
TEST_F(GraphTool, RefusalsExitWithTheirCode)
{
    const QString ascii = m_files.written(HistoryFileKind::Ascii, 2, 3);
    const QString csv = m_files.writtenAs(QStringLiteral("CSV"), 2, 3);
    const QString trace = QStringLiteral("--trace");
    const QString list = QStringLiteral("--list");
    QStringList thirteenTraces = {ascii, list};
    for (int i = 0; i < 13; ++i)
        thirteenTraces << trace << QStringLiteral("T1");
    struct Case {
        QStringList args;
        int exitCode;
        const char *err;
    };
    const std::vector<Case> cases = {
        {{}, 2, "usage: tk70-graph"},
        {{ascii, trace, QStringLiteral("T1")}, 2, "usage: tk70-graph"},
        {{ascii, trace, QStringLiteral("T1"), list, QStringLiteral("--out"), QStringLiteral("g.pdf")}, 2, "usage"},
        {{ascii, trace, QStringLiteral("T1"), QStringLiteral("--out"), QStringLiteral("g.doc")}, 2, "usage"},
        {{ascii, trace, QStringLiteral("T1:5"), list}, 2, "usage"},
        {thirteenTraces, 2, "at most 12 traces"},
        {{ascii, QStringLiteral("--selection"), QStringLiteral("a.tsf"), QStringLiteral("--graph"),
          QStringLiteral("11"), list},
         2,
         "usage"},
        {{csv, trace, QStringLiteral("T1"), list},
         1,
         "tk70-graph: Invalid TK70 Pro Historical Data File Format. Could Not Open Data File."},
        {{ascii + QStringLiteral(".gone"), trace, QStringLiteral("T1"), list},
         1,
         "tk70-graph: Error Opening TK70 Pro Historical Data File."},
        {{ascii, trace, QStringLiteral("T1"), trace, QStringLiteral("FT999"), list},
         1,
         "tk70-graph: Tag FT999 Not Found in Historical Data File."},
    };
    for (const Case &c : cases) {
        const tk70::test::ToolRun run = runTool(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.args.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(run.err.contains(c.err)) << run.err.constData();
        EXPECT_TRUE(run.out.isEmpty());
    }
}

}  // namespace
