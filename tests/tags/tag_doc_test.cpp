// Tests of the tag selection document: new-document values, opening and saving files,
// graph compaction, failures that must lose nothing, and the host's save refusals and
// link settings.
#include "tags/tag_doc.h"
#include "tags/tag_doc_host.h"
#include "tags/tsf_messages.h"
#include "tests/support/message_recorder.h"
#include "tests/tags/tsf_bytes.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tk70;
using tk70::test::TsfBytes;
using tk70test::MessageRecorder;

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// A host whose answers the test sets, recording what the document asks of it.
class ScriptedHost : public CTagDocHost {
public:
    bool collecting = false;
    bool current = true;
    bool editorOpen = true;
    bool setupOpen = false;
    bool editorValid = true;
    bool setupValid = true;
    int copies = 0;
    QList<std::pair<int, int>> linkSettings;
    std::function<void()> onCopy;

    bool isCollecting() const override { return collecting; }
    bool hasCurrentDocument() const override { return current; }
    bool tagEditorOpen() const override { return editorOpen; }
    bool trendSetupOpen() const override { return setupOpen; }
    bool tagEditorPageValid() override { return editorValid; }
    bool trendSetupPageValid() override { return setupValid; }
    void copyOpenPagesIntoDocument() override
    {
        ++copies;
        if (onCopy)
            onCopy();
    }
    void setLinkSettings(int comPort, int baudRate) override { linkSettings.append({comPort, baudRate}); }
};

class TagDocFiles : public ::testing::Test {
protected:
    QString path(const char *name) const { return m_dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir m_dir;
    MessageRecorder m_recorder;
};

}  // namespace

TEST(TagDocNew, NewDocumentValues)
{
    CTagDoc doc;
    doc.setTag(3, test::namedTag("X"));
    doc.graph(9).traceCount = 2;
    doc.setCurrentGraphIndex(7);
    doc.newDocument();
    EXPECT_EQ(doc.tagCount(), 0);
    EXPECT_EQ(doc.tagCapacity(), 30);
    EXPECT_EQ(doc.tag(3), TagRecord{});
    EXPECT_EQ(doc.tag(29).groups, (std::array<qint32, 4>{1, 0, 0, 0}));
    for (int g = 0; g < 10; ++g) {
        EXPECT_EQ(doc.graph(g).title, QStringLiteral("TK70 Pro Trend Graph #%1").arg(g + 1));
        EXPECT_EQ(doc.graph(g).historyLength, 600);
        EXPECT_EQ(doc.graph(g).sampleInterval, 5.0);
        EXPECT_EQ(doc.graph(g).traceCount, 0);
        EXPECT_EQ(doc.graph(g).traces[11], (TrendTrace{"", 0.0, 100.0, ""}));
    }
    EXPECT_EQ(doc.group(0).fileName, QStringLiteral("TK70CG1.txt"));
    EXPECT_EQ(doc.group(0).enabled, 1);
    EXPECT_EQ(doc.group(3).enabled, 0);
    EXPECT_TRUE(doc.group(3).fileName.isEmpty());
    EXPECT_EQ(doc.group(2).fileType, QStringLiteral("ASCII"));
    EXPECT_EQ(doc.comPort(), 1);
    EXPECT_EQ(doc.baudRate(), 9600);
    EXPECT_EQ(doc.currentGraphIndex(), 0);
    EXPECT_TRUE(doc.pathName().isEmpty());
}

TEST_F(TagDocFiles, SaveAndReopenClosesUpGraphsWithoutTraces)
{
    CTagDoc doc;
    doc.graph(0).traceCount = 1;
    doc.graph(0).traces[0].tagname = QStringLiteral("A");
    doc.graph(2).traceCount = 2;
    doc.graph(2).title = QStringLiteral("Former graph 3");
    doc.graph(2).traces[1] = TrendTrace{QStringLiteral("B"), -5.0, 5.0, QStringLiteral("b")};
    doc.graph(1).title = QStringLiteral("Empty graph, not stored");
    ASSERT_TRUE(doc.saveDocument(path("c.tsf")));
    EXPECT_EQ(doc.pathName(), path("c.tsf"));

    CTagDoc reopened;
    ASSERT_TRUE(reopened.openDocument(path("c.tsf")));
    EXPECT_EQ(reopened.graph(0), doc.graph(0));
    EXPECT_EQ(reopened.graph(1), doc.graph(2));
    EXPECT_EQ(reopened.graph(2), TrendGraph::newGraph(3));
    EXPECT_TRUE(m_recorder.messages().empty());
}

TEST_F(TagDocFiles, FailedOpenLeavesTheDocumentAsItWas)
{
    CTagDoc doc;
    doc.setTag(0, test::namedTag("KEEP"));
    doc.tags().setCount(1);
    ASSERT_TRUE(doc.saveDocument(path("keep.tsf")));
    const TagSelection before = doc.selection();

    EXPECT_FALSE(doc.openDocument(path("missing.tsf")));
    ASSERT_EQ(m_recorder.texts().size(), 2);
    EXPECT_EQ(m_recorder.texts()[0],
              QStringLiteral("Error Loading TK70 Tag Selection File.\nFilename : ") + path("missing.tsf"));
    EXPECT_TRUE(m_recorder.texts()[1].contains(QStringLiteral("Cannot find this file.")));

    writeBytes(path("short.tsf"), test::newDocumentFileBytes().chopped(1));
    EXPECT_FALSE(doc.openDocument(path("short.tsf")));
    EXPECT_EQ(m_recorder.texts().last(), QStringLiteral("Unexpected file format."));

    EXPECT_FALSE(doc.openDocument(m_dir.path()));
    EXPECT_EQ(doc.selection(), before);
    EXPECT_EQ(doc.pathName(), path("keep.tsf"));
}

TEST_F(TagDocFiles, InvalidFileOpensUnderItsNameAndSavesDefaults)
{
    writeBytes(path("bad.tsf"), TsfBytes().str("tk70 tag selection file").i32(3546));
    CTagDoc doc;
    ASSERT_TRUE(doc.openDocument(path("bad.tsf")));
    EXPECT_EQ(m_recorder.texts(), QStringList{QString::fromLatin1(TsfMessages::kInvalidFormat)});
    EXPECT_EQ(doc.pathName(), path("bad.tsf"));
    ASSERT_TRUE(doc.saveDocument(doc.pathName()));
    EXPECT_EQ(fileBytes(path("bad.tsf")), test::newDocumentFileBytes());
}

TEST_F(TagDocFiles, SaveFailureIsReportedAndReturnsFalse)
{
    CTagDoc doc;
    const QString target = path("no/such/folder/x.tsf");
    EXPECT_FALSE(doc.saveDocument(target));
    ASSERT_EQ(m_recorder.texts().size(), 2);
    EXPECT_EQ(m_recorder.texts()[0], QStringLiteral("Error Saving TK70 Tag Selection File.\nFilename : ") + target);
    EXPECT_EQ(m_recorder.messages()[0].icon, MessageIcon::Warning);
    EXPECT_FALSE(m_recorder.texts()[1].isEmpty());
    EXPECT_TRUE(doc.pathName().isEmpty());
}

TEST_F(TagDocFiles, HostRefusesSavingSilently)
{
    ScriptedHost host;
    CTagDoc doc(&host);
    host.collecting = true;
    EXPECT_FALSE(doc.saveDocument(path("a.tsf")));
    host.collecting = false;
    host.editorOpen = false;
    EXPECT_FALSE(doc.saveDocument(path("a.tsf")));
    host.setupOpen = true;
    host.current = false;
    EXPECT_FALSE(doc.saveDocument(path("a.tsf")));
    EXPECT_FALSE(QFile::exists(path("a.tsf")));
    EXPECT_TRUE(m_recorder.messages().empty());
    EXPECT_EQ(host.copies, 0);
}

TEST_F(TagDocFiles, HostPagesThatDoNotValidateStopTheSave)
{
    ScriptedHost host;
    CTagDoc doc(&host);
    host.setupOpen = true;
    host.setupValid = false;
    host.editorValid = false;
    EXPECT_FALSE(doc.saveDocument(path("a.tsf")));
    host.setupValid = true;
    EXPECT_FALSE(doc.saveDocument(path("a.tsf")));
    EXPECT_EQ(m_recorder.texts(), (QStringList{QStringLiteral("Unable to Save File due to error in Trend Setup."),
                                               QStringLiteral("Unable to Save File due to error in Tag Settings.")}));
    EXPECT_EQ(m_recorder.messages()[0].icon, MessageIcon::Stop);
    EXPECT_EQ(m_recorder.messages()[1].icon, MessageIcon::Stop);
    EXPECT_EQ(m_recorder.messages()[1].title, QStringLiteral("TK70 Pro Warning"));
    EXPECT_FALSE(QFile::exists(path("a.tsf")));

    host.setupOpen = false;  // the trend setup page is not checked when it is closed
    host.setupValid = false;
    host.editorValid = true;
    host.onCopy = [&doc] { doc.graph(4).traceCount = 1; };
    ASSERT_TRUE(doc.saveDocument(path("a.tsf")));
    EXPECT_EQ(host.copies, 1);
    CTagDoc reopened;
    ASSERT_TRUE(reopened.openDocument(path("a.tsf")));
    EXPECT_EQ(reopened.graph(0).title, QStringLiteral("TK70 Pro Trend Graph #5")) << "copied pages are written";
}

TEST_F(TagDocFiles, OpeningHandsThePortAndBaudRateToTheHost)
{
    ScriptedHost host;
    CTagDoc doc(&host);
    const auto save = [&](qint32 port, qint32 baud, const char *name) {
        CTagDoc source;
        source.setSerialPortIndex(port);
        source.setBaudRateIndex(baud);
        ASSERT_TRUE(source.saveDocument(path(name)));
    };
    save(0, 0, "a.tsf");
    save(5, 2, "b.tsf");
    save(1, 3, "c.tsf");
    save(-1, 4, "d.tsf");
    save(0, 9, "e.tsf");
    for (const char *name : {"a.tsf", "b.tsf", "c.tsf", "d.tsf", "e.tsf"})
        ASSERT_TRUE(doc.openDocument(path(name)));
    EXPECT_FALSE(doc.openDocument(path("missing.tsf")));
    const QList<std::pair<int, int>> expected{{1, 19200}, {2, 4800}, {2, 2400}, {2, 1200}, {1, 9600}};
    EXPECT_EQ(host.linkSettings, expected);
    EXPECT_EQ(doc.serialPortIndex(), 0);
    EXPECT_EQ(doc.baudRateIndex(), 9) << "indexes are kept as stored";
}

TEST(TagDocHostDefaults, AHostOverridingNothingAllowsSaving)
{
    QTemporaryDir dir;
    CTagDocHost host;
    CTagDoc doc(&host);
    EXPECT_TRUE(doc.saveDocument(dir.filePath(QStringLiteral("d.tsf"))));
}
