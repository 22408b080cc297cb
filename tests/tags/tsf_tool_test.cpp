// Tests of the tk70-tsf program: the file `new` writes, the JSON and text dumps of a
// file built by hand, the delimited tag list export and the exit statuses.
#include "tags/tsf_messages.h"
#include "tests/support/tool_run.h"
#include "tests/tags/tsf_bytes.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

using tk70::test::runTool;
using tk70::test::ToolRun;
using tk70::test::TsfBytes;

namespace {

QStringList keys(const QJsonObject &object)
{
    QStringList list = object.keys();
    list.sort();
    return list;
}

using TsfTool = tk70::test::ToolFiles;

// A file as the original program writes it: 31 tags (one too many), graph 1 with two
// traces, changed groups 1 and 3, COM2 at 4800 baud.
QByteArray originalFile()
{
    TsfBytes b;
    b.header().i32(31);
    b.tag("AEPT100A", "Ambient Pressure \x80", 0, 12, 2, 3423, 1, 1, 0, 1, 0);
    for (int i = 2; i <= 31; ++i)
        b.tag("TAG" + QByteArray::number(i), "", i, 1, 1, i, 9, 0, 0, 0, 1);
    b.i32(1).graph(1800, 2, 10.0, "Boiler 1", "Pressures");
    b.trace(-1.0, 2.0, "AEPT100A", "Ambient").trace(0.0, 100.0, "TAG2", "");
    b.group("C:\\TK70\\G1.CSV", 5, "01/02/99", "02/02/99", "TAG3", 1, 8, "08:00", "17:30", 1, "CSV");
    b.emptyGroup();
    b.group("hist.mdb", 60, "", "", "", 0, 24, "", "", 1, "MS Access (*.mdb)");
    b.emptyGroup();
    b.i32(2).i32(1);
    return b;
}

}  // namespace

TEST_F(TsfTool, NewWritesTheNewDocumentFile)
{
    const QString path = m_dir.filePath(QStringLiteral("new.tsf"));
    const ToolRun run = runTool({QStringLiteral("new"), path});
    EXPECT_EQ(run.exitCode, 0) << run.err.constData();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), tk70::test::newDocumentFileBytes());
}

TEST_F(TsfTool, JsonDumpOfAFileFromTheOriginalProgram)
{
    const ToolRun run = runTool({QStringLiteral("dump"), QStringLiteral("--json"), write("o.tsf", originalFile())});
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    const QJsonObject root = QJsonDocument::fromJson(run.out).object();
    EXPECT_EQ(keys(root), (QStringList{"baudRateIndex", "graphs", "groups", "serialPortIndex", "tags", "warnings"}));

    const QJsonArray tags = root["tags"].toArray();
    ASSERT_EQ(tags.size(), 30);
    const QJsonObject tag = tags[0].toObject();
    EXPECT_EQ(keys(tag),
              (QStringList{"block", "description", "groups", "loop", "module", "pcu", "pointType", "tagname"}));
    EXPECT_EQ(tag["tagname"].toString(), QStringLiteral("AEPT100A"));
    EXPECT_EQ(tag["description"].toString(), QString::fromUtf8("Ambient Pressure €"));
    EXPECT_EQ(tag["pcu"].toInt(), 12);
    EXPECT_EQ(tag["block"].toInt(), 3423);
    EXPECT_EQ(tag["pointType"].toInt(), 1);
    EXPECT_EQ(tag["groups"].toArray(), (QJsonArray{1, 0, 1, 0}));
    EXPECT_EQ(tags[29].toObject()["tagname"].toString(), QStringLiteral("TAG30"));

    const QJsonArray graphs = root["graphs"].toArray();
    ASSERT_EQ(graphs.size(), 10);
    const QJsonObject graph = graphs[0].toObject();
    EXPECT_EQ(keys(graph),
              (QStringList{"historyLength", "sampleInterval", "secondTitle", "title", "traceCount", "traces"}));
    EXPECT_EQ(graph["historyLength"].toInt(), 1800);
    EXPECT_EQ(graph["traceCount"].toInt(), 2);
    EXPECT_EQ(graph["sampleInterval"].toDouble(), 10.0);
    EXPECT_EQ(graph["secondTitle"].toString(), QStringLiteral("Pressures"));
    const QJsonArray traces = graph["traces"].toArray();
    ASSERT_EQ(traces.size(), 12);
    EXPECT_EQ(traces[0].toObject(),
              (QJsonObject{{"tagname", "AEPT100A"}, {"description", "Ambient"}, {"zero", -1.0}, {"span", 2.0}}));
    EXPECT_EQ(graphs[9].toObject()["title"].toString(), QStringLiteral("TK70 Pro Trend Graph #10"));

    const QJsonArray groups = root["groups"].toArray();
    ASSERT_EQ(groups.size(), 4);
    const QJsonObject g1 = groups[0].toObject();
    EXPECT_EQ(keys(g1), (QStringList{"appendFile", "enabled", "endDate", "endTime", "fileName", "fileType",
                                     "rolloverHours", "sampleTime", "saveInhibitTag", "startDate", "startTime"}));
    EXPECT_EQ(g1["fileName"].toString(), QStringLiteral("C:\\TK70\\G1.CSV"));
    EXPECT_EQ(g1["startTime"].toString(), QStringLiteral("08:00"));
    EXPECT_EQ(g1["endDate"].toString(), QStringLiteral("02/02/99"));
    EXPECT_EQ(g1["saveInhibitTag"].toString(), QStringLiteral("TAG3"));
    EXPECT_EQ(g1["appendFile"].toInt(), 1);
    EXPECT_EQ(g1["rolloverHours"].toInt(), 8);
    EXPECT_EQ(groups[2].toObject()["fileType"].toString(), QStringLiteral("MS Access (*.mdb)"));
    EXPECT_EQ(groups[3].toObject()["enabled"].toInt(), 0);
    EXPECT_EQ(root["baudRateIndex"].toInt(), 2);
    EXPECT_EQ(root["serialPortIndex"].toInt(), 1);
    EXPECT_EQ(root["warnings"].toArray(), QJsonArray{QString::fromLatin1(tk70::TsfMessages::kTagsLimited)});
    EXPECT_TRUE(run.err.contains("Tag Selection File contains more tags than this version supports."));
}

TEST_F(TsfTool, TextDumpShowsEverySection)
{
    const ToolRun run = runTool({QStringLiteral("dump"), write("o.tsf", originalFile())});
    ASSERT_EQ(run.exitCode, 0);
    const QString out = QString::fromUtf8(run.out);
    EXPECT_TRUE(out.contains(QStringLiteral("Tags: 30 of 30")));
    EXPECT_TRUE(out.contains(QString::fromUtf8("Tag 1: \"AEPT100A\" 00-12-02-3423 Analog Exception, groups 1 0 1 0, "
                                               "description \"Ambient Pressure €\"")));
    EXPECT_TRUE(out.contains(QStringLiteral("Trace 1: \"AEPT100A\" zero -1 span 2, description \"Ambient\"")));
    EXPECT_TRUE(out.contains(QStringLiteral("Group 3: enabled 1, file \"hist.mdb\", type \"MS Access (*.mdb)\"")));
    EXPECT_TRUE(out.contains(QStringLiteral("Serial port index: 1 (COM2)")));
    EXPECT_TRUE(out.contains(QStringLiteral("Baud rate index: 2 (4800 baud)")));
}

TEST_F(TsfTool, ExportTagsWritesWhatTheImportReads)
{
    TsfBytes b;
    b.header().i32(3);
    b.tag("AEPT100A", "Ambient Pressure", 0, 12, 2, 3423, 1);
    b.tag("ST9", "Flow, \"net\"\ncaf\xE9", 1, 2, 3, 4, 9);
    b.tag("ODD", "", 1, 2, 3, 4, 42);
    b.i32(0).newDocumentGroups().i32(1).i32(0);
    const ToolRun run = runTool({QStringLiteral("export-tags"), write("t.tsf", b)});
    ASSERT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, QByteArray("AEPT100A,0,12,2,3423,Analog Exception,Ambient Pressure\n"
                                  "ST9,1,2,3,4,M/A Station Status,Flow; net caf\xE9\n"
                                  "ODD,1,2,3,4,,\n"));
    const QList<QByteArray> notes = run.err.trimmed().split('\n');
    ASSERT_EQ(notes.size(), 4) << run.err.constData();
    EXPECT_EQ(notes[0], QByteArray("tk70-tsf: tag 2 (ST9): description: double quotes left out"));
    EXPECT_EQ(notes[3],
              QByteArray("tk70-tsf: tag 3 (ODD): point type 42 has no name; the import reads it as Non-Exception"));
}

TEST_F(TsfTool, ExitStatusesAndOneLineErrors)
{
    const ToolRun missing = runTool({QStringLiteral("dump"), m_dir.filePath(QStringLiteral("missing.tsf"))});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err.count('\n'), 1) << missing.err.constData();
    EXPECT_TRUE(missing.err.startsWith("tk70-tsf: Error Loading TK70 Tag Selection File. Filename : "));
    EXPECT_TRUE(missing.out.isEmpty());

    const ToolRun truncated =
        runTool({QStringLiteral("dump"), QStringLiteral("--json"), write("cut.tsf", originalFile().left(100))});
    EXPECT_EQ(truncated.exitCode, 1);
    EXPECT_EQ(truncated.err.count('\n'), 1) << truncated.err.constData();
    EXPECT_TRUE(truncated.err.endsWith(": Unexpected file format.\n"));
    EXPECT_TRUE(truncated.out.isEmpty());

    const ToolRun invalid =
        runTool({QStringLiteral("export-tags"), write("bad.tsf", TsfBytes().str("TK70").i32(3546))});
    EXPECT_EQ(invalid.exitCode, 0);
    EXPECT_EQ(invalid.err, QByteArray("tk70-tsf: Invalid TK70 Pro Tag Slection File Format Settings Re-Initialize to "
                                      "Default Values\n"));

    EXPECT_EQ(runTool({QStringLiteral("new"), m_dir.filePath(QStringLiteral("no/dir/x.tsf"))}).exitCode, 1);
    EXPECT_EQ(runTool({}).exitCode, 2);
    EXPECT_EQ(runTool({QStringLiteral("dump")}).exitCode, 2);
    EXPECT_EQ(runTool({QStringLiteral("new"), QStringLiteral("--json"), QStringLiteral("x.tsf")}).exitCode, 2);
    EXPECT_EQ(runTool({QStringLiteral("frobnicate"), QStringLiteral("x.tsf")}).exitCode, 2);
    EXPECT_EQ(runTool({QStringLiteral("--help")}).exitCode, 0);
}
