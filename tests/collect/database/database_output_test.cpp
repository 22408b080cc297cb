// The database output on real SQLite files through the collection run: appending with
// the same and a changed selection, the tag information table with a blank description,
// point errors and bad quality, the overwrite question and a rollover's new file.
#include "collect/collection_run.h"
#include "collect/database/database_group_output.h"
#include "tags/tag_doc.h"
#include "tests/collect/database/sqlite_rows.h"
#include "tests/support/message_recorder.h"
#include "tests/support/test_clock.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tk70;

namespace {

class TestReadings : public PointReadings {
public:
    PointReading reading(int position) const override { return m_readings.at(size_t(position)); }
    std::array<PointReading, 3> m_readings{{{0, 1.5, false}, {0, -2.25, false}, {0, 1e6 + 0.1, false}}};
};

QList<QStringList> rows(const QString &path, const QString &sql) { return tk70test::sqliteRows(path, sql); }

class DatabaseOutputTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_clock.set(QDateTime(QDate(2026, 12, 7), QTime(8, 0)));
        setCurrentDatabaseSettings(DatabaseSettings{});
        m_doc.newDocument();
        const char *names[] = {"FT101", "TT102", "PT103"};
        for (int i = 0; i < 3; ++i) {
            TagRecord tag;
            tag.tagname = QString::fromLatin1(names[i]);
            tag.description = i == 1 ? QString() : QStringLiteral("Tag %1").arg(i);
            tag.loop = 1;
            tag.pcu = 2 + i;
            tag.module = 3;
            tag.block = 101 + i;
            tag.pointType = 4;
            tag.groups = {1, 0, i, 0};
            m_doc.setTag(i, tag);
        }
        m_doc.tags().setCount(3);
        CollectionGroup &group = m_doc.group(0);
        group.fileType = QString::fromLatin1(kFileTypeDatabase);
        group.fileName = path("run.db");
        group.sampleTime = 10;
    }

    QString path(const QString &name) const { return m_dir.filePath(name); }
    // One run: open, samples ticks ten seconds apart, close; false when the open failed.
    bool collect(int samples, OverwritePolicy policy = OverwritePolicy::Ask)
    {
        CollectionRun run(m_doc, m_readings, m_clock);
        if (!run.openOutputs(policy))
            return false;
        for (int s = 0; s < samples; ++s) {
            m_clock.advance(10);
            run.sampleTick(0);
        }
        return true;
    }
    template <typename Change>
    void edit(int slot, Change change)
    {
        TagRecord tag = m_doc.tag(slot);
        change(tag);
        m_doc.setTag(slot, tag);
    }
    int dataRows(const QString &name = "run.db") const
    {
        return rows(path(name), "SELECT COUNT(*) FROM TK70Data").value(0).value(0).toInt();
    }

    QTemporaryDir m_dir;
    CTagDoc m_doc;
    tk70test::TestClock m_clock;
    TestReadings m_readings;
    tk70test::MessageRecorder m_messages;
};

}  // namespace

TEST_F(DatabaseOutputTest, AppendingNeedsTheSameTagSelection)
{
    m_doc.group(0).appendFile = 1;
    ASSERT_TRUE(collect(2));
    ASSERT_TRUE(collect(3));
    EXPECT_EQ(dataRows(), 5);
    EXPECT_TRUE(m_messages.messages().empty());

    edit(1, [](TagRecord &tag) { tag.description = "now described"; });  // stored blank: compared
    EXPECT_FALSE(collect(1));
    edit(1, [](TagRecord &tag) { tag.description.clear(); });
    edit(0, [](TagRecord &tag) { tag.description = "changed"; });
    EXPECT_FALSE(collect(1));
    edit(0, [](TagRecord &tag) { tag.description = "Tag 0"; });
    edit(2, [](TagRecord &tag) { tag.pcu = 9; });
    EXPECT_FALSE(collect(1));
    const QString refusal = "Tag Selection Changed.\nCan't append to Access Database file " + path("run.db") + ".";
    EXPECT_EQ(m_messages.texts(), QStringList({refusal, refusal, refusal}));
    EXPECT_EQ(m_messages.messages().at(0).icon, MessageIcon::Stop);
    EXPECT_EQ(dataRows(), 5);
}

TEST_F(DatabaseOutputTest, TheTablesHoldTheTagsAndOneRecordPerSample)
{
    m_readings.m_readings[1].badQuality = true;
    ASSERT_TRUE(collect(1));
    EXPECT_EQ(rows(path("run.db"), "SELECT * FROM TK70TagInfo ORDER BY rowid"),
              (QList<QStringList>{{"FT101", "1", "2", "3", "101", "4", "1", "0", "0", "0", "Tag 0"},
                                  {"TT102", "1", "3", "3", "102", "4", "1", "0", "1", "0", "(Blank Description)"},
                                  {"PT103", "1", "4", "3", "103", "4", "1", "0", "0", "0", "Tag 2"}}));
    EXPECT_EQ(
        rows(path("run.db"), "SELECT name, type FROM pragma_table_info('TK70Data')"),
        (QList<QStringList>{{"Date/Time", "DATETIME"}, {"FT101", "DOUBLE"}, {"TT102", "DOUBLE"}, {"PT103", "DOUBLE"}}));
    EXPECT_EQ(rows(path("run.db"), "SELECT * FROM TK70Data"),
              (QList<QStringList>{{"2026-12-07 08:00:10", "1.5", "-9999999.99", "1000000.1"}}));
    EXPECT_EQ(rows(path("run.db"), "PRAGMA journal_mode"), (QList<QStringList>{{"wal"}}));
}

// Which number a reading stores, by the substitution and precision settings.
TEST(DatabaseValues, SubstitutesAndPrecision)
{
    DatabaseSettings marked;
    marked.pointErrorValue = -1e7;
    marked.badQualityValue = -5.0;
    DatabaseSettings plain = marked;
    plain.markPointErrors = plain.markBadQuality = false;
    DatabaseSettings single = plain;
    single.doublePrecision = false;
    const struct {
        PointReading reading;
        const DatabaseSettings &settings;
        double stored;
    } cases[] = {
        {{0, 2.5, false}, marked, 2.5},          {{3, 2.5, false}, marked, -1e7}, {{3, 2.5, true}, marked, -1e7},
        {{0, 2.5, true}, marked, -5.0},          {{3, 2.5, true}, plain, 2.5},    {{0, 2.5, true}, plain, 2.5},
        {{0, 0.1, false}, single, double(0.1f)}, {{0, 0.1, false}, plain, 0.1},
    };
    for (const auto &c : cases)
        EXPECT_EQ(DatabaseGroupOutput::storedValue(c.reading, c.settings), c.stored) << c.reading.value;
}

TEST_F(DatabaseOutputTest, PointErrorsStoreTheSubstituteWithTheRealTimeStamp)
{
    for (PointReading &reading : m_readings.m_readings)
        reading.errorCode = 4;
    m_clock.set(QDateTime(QDate(2026, 12, 7), QTime(23, 59, 45)));
    ASSERT_TRUE(collect(2));
    EXPECT_EQ(rows(path("run.db"), "SELECT * FROM TK70Data"),
              (QList<QStringList>{{"2026-12-07 23:59:55", "-9999999.99", "-9999999.99", "-9999999.99"},
                                  {"2026-12-08 00:00:05", "-9999999.99", "-9999999.99", "-9999999.99"}}));
}

TEST_F(DatabaseOutputTest, AnExistingFileIsReplacedOnlyAfterYes)
{
    ASSERT_TRUE(collect(2));
    const QByteArray before = [&] {
        QFile file(path("run.db"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    m_messages.answer(MessageAnswer::No);
    EXPECT_FALSE(collect(1));
    const QString question = "File " + path("run.db") + " Already Exists\n\nDo you want to overwrite ?";
    EXPECT_EQ(m_messages.texts(), QStringList{question});
    QFile file(path("run.db"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
    file.close();

    m_messages.answer(MessageAnswer::Yes);
    ASSERT_TRUE(collect(1));
    EXPECT_EQ(dataRows(), 1);
    ASSERT_TRUE(collect(3, OverwritePolicy::Overwrite));
    EXPECT_EQ(dataRows(), 3);
    EXPECT_EQ(m_messages.messages().size(), 2u);
}

TEST_F(DatabaseOutputTest, ARolloverStartsANewFileWithItsOwnTagTable)
{
    m_doc.group(0).rolloverHours = 1;
    m_clock.set(QDateTime(QDate(2026, 12, 7), QTime(8, 59, 40)));
    ASSERT_TRUE(collect(3));
    EXPECT_EQ(dataRows("run-26120708.db"), 1);
    EXPECT_EQ(dataRows("run-26120709.db"), 2);
    EXPECT_EQ(rows(path("run-26120709.db"), "SELECT COUNT(*) FROM TK70TagInfo"), (QList<QStringList>{{"3"}}));
    EXPECT_TRUE(m_messages.messages().empty());
}
