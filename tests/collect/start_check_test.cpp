// The checks that refuse a collection start: which fault is named first, groups that
// would write one file, database groups whose tags would name one column, the question
// about tags in groups that do not collect, and a refused start that opens no file.
#include "collect/collection_control.h"
#include "collect/point_registration.h"
#include "collect/start_check.h"
#include "driverclient/ciu_driver.h"
#include "platform/registry/settings_store.h"
#include "tags/tag_doc.h"
#include "tests/support/message_recorder.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <cmath>
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
    void enableGroup(int index, const QString &fileName, const char *fileType = kFileTypeAscii)
    {
        CollectionGroup &group = m_doc.group(index);
        group.enabled = 1;
        group.fileName = fileName;
        group.fileType = QString::fromLatin1(fileType);
    }

    CTagDoc m_doc;
};

}  // namespace

TEST_F(StartCheck, ANewDocumentWithTagsMayStart) { EXPECT_EQ(fault(), ""); }

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
    // Intervals the trend setup would never store, but a file from elsewhere may hold.
    for (double interval : {0.5, std::nan(""), 600.5, 1e7, HUGE_VAL}) {
        graph.sampleInterval = interval;
        EXPECT_EQ(fault(), "Trend Graph #3 Contains an Illegal Sample Interval.\n\nCan Not Continue!") << interval;
    }
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

// Group 2 opening the file group 1 has just opened would ask to overwrite it and, on
// Yes, delete what group 1 writes; equal names are one file with or without rollover.
TEST_F(StartCheck, TwoEnabledGroupsOnOneFileAreRefusedLowerGroupFirst)
{
    enableGroup(3, "TK70CG1.txt");
    const QString refusal = "Collection Groups #1 and #4 Both Write the File\nTK70CG1.txt.\n\nCan Not Continue!";
    EXPECT_EQ(fault(), refusal);
    m_doc.group(3).rolloverHours = 2;
    EXPECT_EQ(fault(), refusal);
    m_doc.group(0).rolloverHours = 8;
    EXPECT_EQ(fault(), refusal);
    m_doc.group(0).enabled = 0;
    enableGroup(1, "TK70CG1.txt", kFileTypeCsv);
    EXPECT_EQ(fault(), "Collection Groups #2 and #4 Both Write the File\nTK70CG1.txt.\n\nCan Not Continue!");

    tk70test::MessageRecorder recorder;
    EXPECT_FALSE(checkCollectionSettings(m_doc, true));
    ASSERT_EQ(recorder.messages().size(), 1u);
    EXPECT_EQ(recorder.messages()[0].icon, MessageIcon::Stop);
    EXPECT_EQ(recorder.messages()[0].text, fault());
}

TEST_F(StartCheck, NamesOfOneFileCollideOnceMadeAbsoluteAndClean)
{
    m_doc.group(0).fileName = "./x.db";
    m_doc.group(0).fileType = QString::fromLatin1(kFileTypeDatabase);
    enableGroup(2, "x.db", kFileTypeDatabase);
    EXPECT_EQ(fault(), "Collection Groups #1 and #3 Both Write the File\n./x.db.\n\nCan Not Continue!");
    m_doc.group(2).fileName = QDir::currentPath() + "/x.db";
    EXPECT_NE(fault(), "");
    m_doc.group(2).fileName = "no-such-dir/../x.db";
    EXPECT_NE(fault(), "");
    m_doc.group(2).fileName = "y.db";
    EXPECT_EQ(fault(), "");
}

TEST_F(StartCheck, ASymbolicLinkToTheSameFileCollides)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString real = dir.filePath("real.txt");
    QFile file(real);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    ASSERT_TRUE(QFile::link(real, dir.filePath("link.txt")));
    m_doc.group(0).fileName = dir.filePath("link.txt");
    enableGroup(1, real);
    EXPECT_EQ(fault(), "Collection Groups #1 and #2 Both Write the File\n" + dir.filePath("link.txt") +
                           ".\n\nCan Not Continue!");

    // A file not there yet is one file through a linked directory too.
    ASSERT_TRUE(QDir(dir.path()).mkdir("data"));
    ASSERT_TRUE(QFile::link(dir.filePath("data"), dir.filePath("alias")));
    m_doc.group(0).fileName = dir.filePath("data/new.txt");
    m_doc.group(1).fileName = dir.filePath("alias/new.txt");
    EXPECT_NE(fault(), "");
    m_doc.group(1).fileName = dir.filePath("alias/other.txt");
    EXPECT_EQ(fault(), "");
}

TEST_F(StartCheck, GroupsOnDifferentFilesAndDisabledGroupsDoNotCollide)
{
    enableGroup(1, "TK70CG2.txt");
    enableGroup(2, "TK70CG1.txt.txt");
    m_doc.group(3).fileName = "TK70CG1.txt";  // not enabled: writes nothing
    EXPECT_EQ(fault(), "");
    m_doc.group(0).enabled = 0;
    m_doc.group(1).fileName = "TK70CG1.txt";
    m_doc.group(3).enabled = 1;
    EXPECT_EQ(fault(), "Collection Groups #2 and #4 Both Write the File\nTK70CG1.txt.\n\nCan Not Continue!");
}

// Each group's own faults are named before two groups on one file, and a shared file
// before the trend graphs.
TEST_F(StartCheck, ASharedFileIsCheckedAfterEveryGroupsOwnFaults)
{
    enableGroup(1, "");
    enableGroup(2, "TK70CG1.txt");
    enableGroup(3, "TK70CG1.txt");
    EXPECT_EQ(fault(), "Collection Group #2 Contains a Blank Filename.\n\nCan Not Continue!");
    m_doc.group(1).fileName = "TK70CG2.txt";
    m_doc.group(3).sampleTime = 0;
    EXPECT_EQ(fault(), "Collection Group #4 Contains an Illegal Sample Time.\n\nCan Not Continue!");
    m_doc.group(3).sampleTime = 10;
    m_doc.graph(0).traceCount = 1;
    m_doc.graph(0).traces[0].tagname = "GONE";
    EXPECT_EQ(fault(), "Collection Groups #1 and #3 Both Write the File\nTK70CG1.txt.\n\nCan Not Continue!");
    m_doc.group(3).enabled = 0;
    EXPECT_EQ(fault(), "Collection Groups #1 and #3 Both Write the File\nTK70CG1.txt.\n\nCan Not Continue!");
    m_doc.group(2).enabled = 0;
    EXPECT_EQ(fault(), "Trend Graph #1 Contains an Non Existing Trace.\nTagname=GONE\n\nCan Not Continue!");
}

// The database compares column names ignoring the case of ASCII letters, so tags the
// tag list tells apart by case alone would name one column.
TEST_F(StartCheck, CaseTwinsInADatabaseGroupAreRefusedNamingBoth)
{
    m_doc.group(0).fileName = "TK70CG1.db";
    m_doc.group(0).fileType = QString::fromLatin1(kFileTypeDatabase);
    m_doc.setTag(2, tag("ft101"));
    m_doc.tags().setCount(3);
    EXPECT_EQ(fault(), "Collection Group #1 Writes a Database in which the Tagnames\nFT101 and ft101 Would "
                       "Name One Column.\n\nCan Not Continue!");
    m_doc.group(0).fileType = QString::fromLatin1(kFileTypeAccess);  // the older database type text
    EXPECT_NE(fault(), "");

    // Only the members of one group share its table.
    m_doc.setTag(2, tag("ft101", {0, 1, 0, 0}));
    enableGroup(1, "TK70CG2.db", kFileTypeDatabase);
    EXPECT_EQ(fault(), "");
    m_doc.setTag(0, tag("FT101", {1, 1, 0, 0}));
    EXPECT_EQ(fault(), "Collection Group #2 Writes a Database in which the Tagnames\nFT101 and ft101 Would "
                       "Name One Column.\n\nCan Not Continue!");
    m_doc.tags().setCount(2);  // a tag past the count is no member
    EXPECT_EQ(fault(), "");
}

TEST_F(StartCheck, CaseTwinsInATextFileGroupMayStart)
{
    m_doc.setTag(2, tag("ft101"));
    m_doc.setTag(3, tag("date/time"));
    m_doc.tags().setCount(4);
    EXPECT_EQ(fault(), "");
    m_doc.group(0).fileType = QString::fromLatin1(kFileTypeCsv);
    EXPECT_EQ(fault(), "");
    m_doc.group(0).fileType = QString::fromLatin1(kFileTypeDos);
    EXPECT_EQ(fault(), "");
}

TEST_F(StartCheck, ATagNamedLikeTheDateColumnIsRefusedInADatabaseGroup)
{
    enableGroup(2, "TK70CG3.db", kFileTypeDatabase);
    m_doc.setTag(2, tag("date/time", {1, 0, 1, 0}));
    m_doc.tags().setCount(3);
    EXPECT_EQ(fault(), "Collection Group #3 Writes a Database in which the Tagnames\nDate/Time and date/time "
                       "Would Name One Column.\n\nCan Not Continue!");
    m_doc.setTag(2, tag("Date/Time", {0, 0, 1, 0}));
    EXPECT_EQ(fault(), "Collection Group #3 Writes a Database in which the Tagnames\nDate/Time and Date/Time "
                       "Would Name One Column.\n\nCan Not Continue!");
    m_doc.setTag(2, tag("Date/Time1", {0, 0, 1, 0}));
    EXPECT_EQ(fault(), "");
}

// A full tag list of distinct names, some alike but for a non-ASCII letter's case or a
// character next to the date column's name, fills one table.
TEST_F(StartCheck, ThirtyDistinctTagsInADatabaseGroupMayStart)
{
    m_doc.group(0).fileName = "TK70CG1.db";
    m_doc.group(0).fileType = QString::fromLatin1(kFileTypeDatabase);
    for (int i = 0; i < TagTable::kCapacity; ++i)
        m_doc.setTag(i, tag(QStringLiteral("TAG%1").arg(i)));
    m_doc.setTag(10, tag(QStringLiteral("P\u00C41")));  // PÄ1
    m_doc.setTag(11, tag(QStringLiteral("p\u00E41")));  // pä1
    m_doc.setTag(12, tag("Date Time"));
    m_doc.setTag(13, tag("DateTime"));
    m_doc.setTag(14, tag("TAG[1"));
    m_doc.setTag(15, tag("tag{1"));
    m_doc.tags().setCount(TagTable::kCapacity);
    EXPECT_EQ(fault(), "");
    m_doc.setTag(29, tag("tag28"));
    EXPECT_EQ(fault(), "Collection Group #1 Writes a Database in which the Tagnames\nTAG28 and tag28 Would "
                       "Name One Column.\n\nCan Not Continue!");
}

TEST(SameColumnName, AsciiLettersMatchWhateverTheirCase)
{
    EXPECT_TRUE(sameColumnName("FT101", "ft101"));
    EXPECT_TRUE(sameColumnName("a\"b", "A\"B"));
    EXPECT_TRUE(sameColumnName("Date/Time", "DATE/TIME"));
    EXPECT_TRUE(sameColumnName("abcdefghijklmnopqrstuvwxyz", "ABCDEFGHIJKLMNOPQRSTUVWXYZ"));
    EXPECT_TRUE(sameColumnName("P\u00C41", "p\u00C41"));
}

TEST(SameColumnName, EveryOtherCharacterMustBeEqual)
{
    EXPECT_FALSE(sameColumnName("\u00C4", "\u00E4"));  // Ä, ä
    EXPECT_FALSE(sameColumnName("\u00C9", "\u00E9"));  // É, é
    EXPECT_FALSE(sameColumnName("K", "\u212A"));       // the Kelvin sign lowers to k
    EXPECT_FALSE(sameColumnName("[@\\]^", "{`|}~"));   // 0x20 apart, but not letters
    EXPECT_FALSE(sameColumnName("FT10", "FT101"));
    EXPECT_FALSE(sameColumnName("FT101", "FT102"));
    EXPECT_FALSE(sameColumnName("Date/Time", "Date\\Time"));
}

TEST(PointTypeCodes, EveryTagPointTypeHasItsCiuCode)
{
    const int expected[] = {99, 5, 7, 80, 2, 1, 3, 15, 19, 6, 99};
    for (int type = 0; type <= 10; ++type)
        EXPECT_EQ(ciuPointTypeCode(type), expected[type]) << type;
    EXPECT_EQ(ciuPointTypeCode(-1), 99);
}
