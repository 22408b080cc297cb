// The checks that refuse a collection start: which fault is named first, the question
// about tags in groups that do not collect, and a refused start that opens no file.
#include "ciu_driver.h"
#include "collection_control.h"
#include "message_recorder.h"
#include "point_registration.h"
#include "registry/settings_store.h"
#include "start_check.h"
#include "tag_doc.h"

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tk70;

namespace {

TagRecord tag(const QString &name, std::array<qint32, 4> groups = {1, 0, 0, 0})
{
    TagRecord record;
    record.tagname = name;
    record.loop = 1;
    record.pcu = 2;
    record.module = 3;
    record.block = 40;
    record.pointType = 1;
    record.groups = groups;
    return record;
}

class StartCheck : public ::testing::Test {
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        m_doc.newDocument();
        m_doc.setTag(0, tag("FT101"));
        m_doc.setTag(1, tag("TT102"));
        m_doc.tags().setCount(2);
    }
    void TearDown() override { QLocale::setDefault(QLocale::system()); }
    QString fault() const { return firstCollectionSettingsFault(m_doc).value_or(QString()); }

    CTagDoc m_doc;
};

}  // namespace

TEST_F(StartCheck, ANewDocumentWithTagsMayStart)
{
    EXPECT_EQ(fault(), "");
}

TEST_F(StartCheck, AnEmptyTagListRefusesFirst)
{
    m_doc.resetTags();
    m_doc.group(0).sampleTime = 0;
    EXPECT_EQ(fault(), "No Tags Defined in Tag List!\n\nCan Not Continue.");
}

TEST_F(StartCheck, OnlyEnabledGroupsAreCheckedInGroupOrder)
{
    m_doc.group(0).sampleTime = 0;
    EXPECT_EQ(fault(), "Collection Group #1 Contains an Illegal Sample Time.\n\nCan Not Continue!");
    m_doc.group(0).enabled = 0;
    m_doc.group(2).enabled = 1;
    m_doc.group(3).enabled = 1;
    m_doc.group(3).fileName = "TK70CG4.txt";
    m_doc.group(3).rolloverHours = -1;
    EXPECT_EQ(fault(), "Collection Group #3 Contains a Blank Filename.\n\nCan Not Continue!");
    m_doc.group(2).fileName = "TK70CG3.txt";
    EXPECT_EQ(fault(), "Collection Group #4 Contains an Illegal File Rollover Time.\n\nCan Not Continue!");
}

TEST_F(StartCheck, WithinAGroupDatesAreCheckedBeforeTimes)
{
    CollectionGroup &group = m_doc.group(0);
    group.startTime = "25:61";
    group.endDate = "13/45/2026";
    group.startDate = "31/31/96";
    EXPECT_EQ(fault(), "Collection Group #1 Contains an Illegal Start Date.\n\nCan Not Continue!");
    group.startDate = "12/6/96";
    EXPECT_EQ(fault(), "Collection Group #1 Contains an Illegal End Date.\n\nCan Not Continue!");
    group.endDate = "";
    EXPECT_EQ(fault(), "Collection Group #1 Contains an Illegal Start Time.\n\nCan Not Continue!");
    group.startTime = "";
    group.endTime = "x";
    EXPECT_EQ(fault(), "Collection Group #1 Contains an Illegal End Time.\n\nCan Not Continue!");
}

namespace {

// A program around the collection control without forms or windows.
class PlainHost : public CollectionHost {
public:
    bool commitSetupForms() override { return true; }
    void storeSetupForms() override {}
    void setBusy(bool) override {}
    void collectionStarted() override {}
    void collectionStopped() override {}
};

}  // namespace

// A database group's faults refuse the start before any output opens, so an automatic
// start that may overwrite has not touched group 1's file; with the engine present a
// database group (also of the older type text) passes the check.
TEST_F(StartCheck, ADatabaseGroupRefusesTheStartBeforeAnyFileIsOpened)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString kept = dir.filePath("run.txt");
    QFile existing(kept);
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("keep me\r\n");
    existing.close();
    m_doc.group(0).fileName = kept;
    CollectionGroup &database = m_doc.group(1);
    database.enabled = 1;
    database.fileName = "TK70CG2.mdb";
    database.fileType = "MS Access (*.mdb)";
    database.sampleTime = 0;
    EXPECT_EQ(fault(), "Collection Group #2 Contains an Illegal Sample Time.\n\nCan Not Continue!");
    const QString refusal = fault();

    SettingsStore store(dir.filePath("registry"));
    CCiuDriver driver(store);
    PlainHost host;
    SystemClock clock;
    CollectionControl control(driver, host, clock);
    tk70test::MessageRecorder recorder;
    EXPECT_FALSE(control.start(m_doc, StartOptions{true, true}));
    EXPECT_EQ(recorder.texts(), QStringList{refusal});
    ASSERT_TRUE(existing.open(QIODevice::ReadOnly));
    EXPECT_EQ(existing.readAll(), "keep me\r\n");
    database.sampleTime = 10;
    EXPECT_EQ(fault(), QString());
    database.fileType = "SQLite Database (*.db)";
    EXPECT_EQ(fault(), QString());
}

TEST_F(StartCheck, TrendGraphsAreCheckedAfterTheGroups)
{
    TrendGraph &graph = m_doc.graph(2);
    graph.traceCount = 2;
    graph.traces[0].tagname = "FT101";
    graph.traces[1].tagname = "PT999";
    graph.traces[0].span = -10.0;  // a negative span passes
    EXPECT_EQ(fault(), "Trend Graph #3 Contains an Non Existing Trace.\nTagname=PT999\n\nCan Not Continue!");
    graph.traces[1].tagname = "TT102";
    graph.traces[1].span = 0.0;
    EXPECT_EQ(fault(), "Trend Graph #3 Contains an Illegal Trace Span Value\nfor Tagname TT102.\n\nCan Not Continue!");
    graph.sampleInterval = 0.5;
    EXPECT_EQ(fault(), "Trend Graph #3 Contains an Illegal Sample Interval.\n\nCan Not Continue!");
    m_doc.group(0).fileName.clear();
    EXPECT_EQ(fault(), "Collection Group #1 Contains a Blank Filename.\n\nCan Not Continue!");
}

TEST_F(StartCheck, GraphsWithoutTracesAreNotChecked)
{
    m_doc.graph(0).sampleInterval = 0.0;
    m_doc.graph(0).traces[0].tagname = "GONE";
    EXPECT_EQ(fault(), "");
}

TEST_F(StartCheck, TagsInAGroupThatDoesNotCollectAskOnceUnlessStartedAutomatically)
{
    m_doc.setTag(1, tag("TT102", {0, 0, 1, 1}));
    tk70test::MessageRecorder recorder;
    recorder.answer(MessageAnswer::No);
    EXPECT_FALSE(checkCollectionSettings(m_doc, false));
    ASSERT_EQ(recorder.messages().size(), 1u);
    EXPECT_EQ(recorder.messages()[0].text, "One or More Tags are Contained in a Collection Group\nthat is Not "
                                           "Enabled For Data Collection.\n\nWould You Like to Continue?");
    EXPECT_EQ(recorder.messages()[0].title, "TK70 Pro Warning");
    recorder.answer(MessageAnswer::Yes);
    EXPECT_TRUE(checkCollectionSettings(m_doc, false));
    recorder.clear();
    EXPECT_TRUE(checkCollectionSettings(m_doc, true));
    EXPECT_TRUE(recorder.messages().empty());
}

TEST_F(StartCheck, ARefusalIsShownWithTheStopIcon)
{
    m_doc.group(0).sampleTime = -5;
    tk70test::MessageRecorder recorder;
    EXPECT_FALSE(checkCollectionSettings(m_doc, true));
    ASSERT_EQ(recorder.messages().size(), 1u);
    EXPECT_EQ(recorder.messages()[0].icon, MessageIcon::Stop);
}

TEST(PointTypeCodes, EveryTagPointTypeHasItsCiuCode)
{
    const int expected[] = {99, 5, 7, 80, 2, 1, 3, 15, 19, 6, 99};
    for (int type = 0; type <= 10; ++type)
        EXPECT_EQ(ciuPointTypeCode(type), expected[type]) << type;
    EXPECT_EQ(ciuPointTypeCode(-1), 99);
}
