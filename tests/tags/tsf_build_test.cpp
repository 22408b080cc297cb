// Tests of `tk70-tsf build`: the round trip through `dump --json`, the defaults a short
// JSON file keeps, every kind of refused input (exit 1, a message naming the member, no
// file written), the warnings that let a build go on, and the committed demo selection.
#include "tags/point_type.h"
#include "tags/tag_doc.h"
#include "tests/support/tool_run.h"
#include "tests/tags/tsf_bytes.h"

#include <QFile>
#include <QSet>
#include <gtest/gtest.h>

using tk70::test::fileBytes;
using tk70::test::runTool;
using tk70::test::ToolRun;
using tk70::test::TsfBytes;

namespace {

using TsfBuild = tk70::test::ToolFiles;

ToolRun build(const QString &json, const QString &tsf) { return runTool({QStringLiteral("build"), json, tsf}); }

// A selection with every field away from its default: texts with Windows-1252 bytes
// (0x80 the euro sign, 0x81 a byte the code page leaves undefined), fractional and
// negative doubles, a graph of twelve traces behind one of two, all four groups set.
QByteArray fullSelection()
{
    TsfBytes b;
    b.header().i32(3);
    b.tag("FT101", "Feed flow \x80/h \x81", 1, 2, 3, 101, 1, 1, 1, 0, 1);
    b.tag("TT205", "", 0, 255, 31, 9999, 9, 0, 0, 1, 1);
    b.tag("PT310", "Drum pressure", 255, 0, 0, 0, 0, 1, 0, 0, 0);
    b.i32(2).graph(1800, 2, 2.5, "Feed", "Second \xE9");
    b.trace(-273.15, 0.1, "FT101", "Flow").trace(1e-7, -50.0, "TT205", "");
    b.graph(360, 12, 600.0, "", "");
    for (int t = 0; t < 12; ++t)
        b.trace(t, 100.0 + t, "PT310", "Trace " + QByteArray::number(t));
    b.group("C:\\TK70\\G1.CSV", 5, "01/02/99", "02/02/99", "PT310", 1, 8, "08:00", "17:30", 1, "CSV");
    b.group("g2.txt", 1, "", "", "", 0, 0, "", "", 0, "ASCII");
    b.group("hist.mdb", 60, "", "", "", 0, 24, "", "", 1, "MS Access (*.mdb)");
    b.group("dos.DAT", -3, "x", "y", "nobody", 0, -1, "z", "w", 1, "TK70 (DOS)");
    b.i32(3).i32(1);
    return b;
}

}  // namespace

TEST_F(TsfBuild, DumpThenBuildGivesTheSameBytes)
{
    const QByteArray original = fullSelection();
    const ToolRun dump = runTool({QStringLiteral("dump"), QStringLiteral("--json"), write("full.tsf", original)});
    ASSERT_EQ(dump.exitCode, 0) << dump.err.constData();
    const ToolRun run = build(write("full.json", dump.out), path("rebuilt.tsf"));
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, QByteArray());
    EXPECT_EQ(fileBytes(path("rebuilt.tsf")), original);
}

TEST_F(TsfBuild, MissingMembersKeepTheNewDocumentValues)
{
    const ToolRun run =
        build(write("tags.json", R"({"tags": [{"tagname": "FT101", "pcu": 12, "pointType": 1}]})"), path("tags.tsf"));
    EXPECT_EQ(run.exitCode, 0) << run.err.constData();
    TsfBytes expected;
    expected.header().i32(1).tag("FT101", "", 0, 12, 0, 0, 1);
    expected.i32(0).newDocumentGroups().i32(1).i32(0);
    EXPECT_EQ(fileBytes(path("tags.tsf")), QByteArray(expected));

    EXPECT_EQ(build(write("empty.json", "{}"), path("empty.tsf")).exitCode, 0);
    EXPECT_EQ(fileBytes(path("empty.tsf")), tk70::test::newDocumentFileBytes());
}

TEST_F(TsfBuild, RefusedInputNamesTheMemberAndWritesNothing)
{
    const QByteArray tag = R"({"tagname": "T"})";
    const QByteArray graph = R"({"traceCount": 1, "traces": [{"tagname": "T"}]})";
    const QByteArray trace = R"({"tagname": "T"})";
    const auto repeat = [](const QByteArray &item, int n) { return QList<QByteArray>(n, item).join(','); };
    const struct {
        QByteArray json;
        const char *message;
    } cases[] = {
        {"{\"tags\": [\n  {\"tagname\": \"T\",}\n]}", "line 2, column "},
        {"[]", "top level: an object is needed, not an array"},
        {R"({"tags": {}})", "tags: an array is needed, not an object"},
        {R"({"tags": [{"tagname": "T", "loop": "1"}]})", "tags[0].loop: a whole number is needed, not a text"},
        {R"({"tags": [{"tagname": "T", "block": 10.5}]})", "tags[0].block: a whole number is needed, not 10.5"},
        {R"({"tags": [{"tagname": "T", "module": 32}]})", "tags[0].module: 32 is out of range 0 to 31"},
        {R"({"tags": [{"tagname": "T", "pointType": 10}]})", "tags[0].pointType: 10 is out of range 0 to 9"},
        {R"({"tags": [{"tagname": "T", "groups": [1, 2]}]})", "tags[0].groups[1]: 2 is out of range 0 to 1"},
        {R"({"tags": [{"tagname": "T", "groups": [1, 0, 0, 0, 0]}]})", "tags[0].groups: 5 entries, at most 4 fit"},
        {R"({"tags": [{"description": "no name"}]})", "tags[0].tagname: missing; every tag needs a name"},
        {R"({"tags": [7]})", "tags[0]: an object is needed, not a number"},
        {"{\"tags\": [" + repeat(tag, 31) + "]}", "tags: 31 entries, at most 30 fit"},
        {R"({"tags": [{"tagname": "ABCDEFGHIJKLMNO"}]})", "tags[0].tagname: 15 characters, at most 14 fit"},
        {R"({"tags": [{"tagname": "T", "description": "\u03a9"}]})",
         "tags[0].description: character \xCE\xA9 (U+03A9) has no Windows-1252 byte"},
        {R"({"tags": [{"tagname": "A\ud800B"}]})", "tags[0].tagname: character ? (U+D800) has no Windows-1252 byte"},
        {"{\"graphs\": [" + repeat(graph, 11) + "]}", "graphs: 11 entries, at most 10 fit"},
        {"{\"graphs\": [{\"traces\": [" + repeat(trace, 13) + "]}]}", "graphs[0].traces: 13 entries, at most 12 fit"},
        {R"({"graphs": [{"traceCount": 13}]})", "graphs[0].traceCount: 13 is out of range 0 to 12"},
        {R"({"graphs": [{"traceCount": 2, "traces": [{"tagname": "T"}]}]})",
         "graphs[0].traceCount: 2 traces in use, but traces[1] has no tagname"},
        {R"({"graphs": [{"historyLength": 900}]})", "graphs[0].historyLength: 900 is none of 360, 600, 1200"},
        {R"({"graphs": [{"sampleInterval": 0.5}]})", "graphs[0].sampleInterval: 0.5 is out of range 1 to 600"},
        {R"({"graphs": [{"title": "12345678901234567890123456789012345678901"}]})",
         "graphs[0].title: 41 characters, at most 40 fit"},
        {R"({"graphs": [{"traces": [{"span": null}]}]})", "graphs[0].traces[0].span: a number is needed, not null"},
        {R"({"groups": [{}, {}, {}, {}, {}]})", "groups: 5 entries, at most 4 fit"},
        {R"({"groups": [{"fileType": "Excel"}]})", "groups[0].fileType: \"Excel\" is none of \"ASCII\", \"CSV\""},
        {R"({"groups": [{"enabled": true}]})", "groups[0].enabled: a whole number is needed, not true/false"},
        {R"({"baudRateIndex": 5})", "baudRateIndex: 5 is out of range 0 to 4"},
    };
    const QString out = path("out.tsf");
    for (const auto &c : cases) {
        SCOPED_TRACE(c.json.constData());
        const ToolRun run = build(write("in.json", c.json), out);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.err.contains(QByteArray("tk70-tsf: ") + path("in.json").toUtf8() + ": " + c.message))
            << run.err.constData();
        EXPECT_TRUE(run.err.endsWith("out.tsf not written\n")) << run.err.constData();
        EXPECT_FALSE(QFile::exists(out));
    }
}

TEST_F(TsfBuild, ARefusedBuildLeavesAnExistingFileAlone)
{
    const QString out = write("keep.tsf", "old bytes");
    EXPECT_EQ(build(write("bad.json", R"({"tags": [{"tagname": "T", "loop": 256}]})"), out).exitCode, 1);
    EXPECT_EQ(fileBytes(out), QByteArray("old bytes"));
    EXPECT_EQ(build(path("missing.json"), out).exitCode, 1);
    EXPECT_EQ(build(write("ok.json", "{}"), path("no/dir/x.tsf")).exitCode, 1);
    EXPECT_EQ(fileBytes(out), QByteArray("old bytes"));
}

TEST_F(TsfBuild, UnknownMembersAndUnstoredTracesAreWarnings)
{
    const QString json = write("warn.json", R"({"tags": [{"tagname": "T", "c\u00f6lour": "red"}], "version": 2,
        "graphs": [{"traces": [{"tagname": "T"}]}, {"traceCount": 1, "traces": [{"tagname": "T", "unit": "%"}]}],
        "warnings": ["anything"]})");
    const ToolRun run = build(json, path("warn.tsf"));
    EXPECT_EQ(run.exitCode, 0);
    const QByteArray prefix = QByteArray("tk70-tsf: ") + json.toUtf8() + ": ";
    const QList<QByteArray> lines = run.err.trimmed().split('\n');
    EXPECT_EQ(lines, (QList<QByteArray>{
                         prefix + "tags[0].c\xC3\xB6lour: warning: unknown key, ignored",
                         prefix + "graphs[0].traceCount: warning: traces[0] (T) is past the 0 traces in use and is "
                                  "not stored",
                         prefix + "graphs[1].traces[0].unit: warning: unknown key, ignored",
                         prefix + "graphs: warning: graphs[1] is stored as graph 1: graphs without traces are not "
                                  "stored, so the ones after them move up",
                         prefix + "version: warning: unknown key, ignored",
                     }));
    EXPECT_FALSE(fileBytes(path("warn.tsf")).isEmpty());
    EXPECT_EQ(runTool({QStringLiteral("build"), json}).exitCode, 2);
    EXPECT_EQ(runTool({QStringLiteral("build"), QStringLiteral("--json"), json, path("x.tsf")}).exitCode, 2);
}

// The committed demo selection is exactly what its JSON builds, and it starts a
// collection without a question: every point type, all four groups enabled (group 4 the
// database), every trace a tag with a span.
TEST_F(TsfBuild, DemoSelectionIsBuiltFromItsJson)
{
    const QString demo = QStringLiteral(TK70_DEMO_DIR);
    ASSERT_EQ(build(demo + QStringLiteral("/demo.json"), path("demo.tsf")).exitCode, 0);
    const QByteArray committed = fileBytes(demo + QStringLiteral("/demo.tsf"));
    ASSERT_FALSE(committed.isEmpty());
    EXPECT_EQ(fileBytes(path("demo.tsf")), committed);

    tk70::CTagDoc doc;
    ASSERT_TRUE(doc.loadTsf(committed, QStringLiteral("demo.tsf")));
    QSet<qint32> pointTypes;
    for (int slot = 0; slot < doc.tagCount(); ++slot)
        pointTypes.insert(doc.tag(slot).pointType);
    EXPECT_EQ(pointTypes.size(), tk70::PointTypes::kCount);
    for (int g = 0; g < 4; ++g)
        EXPECT_EQ(doc.group(g).enabled, 1) << g;
    EXPECT_EQ(doc.group(3).fileType, QString::fromLatin1(tk70::kFileTypeDatabase));
    for (int g = 0; g < tk70::TrendGraph::kGraphCount; ++g) {
        const tk70::TrendGraph &graph = doc.graph(g);
        for (int t = 0; t < graph.tracesInUse(); ++t) {
            EXPECT_GE(doc.tags().find(graph.traces[size_t(t)].tagname), 0) << g << ' ' << t;
            EXPECT_NE(graph.traces[size_t(t)].span, 0.0) << g << ' ' << t;
        }
    }
    EXPECT_GT(doc.graph(1).tracesInUse(), 0);
}
