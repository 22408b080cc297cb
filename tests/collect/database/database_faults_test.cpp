// The database output against what a user and other programs do to its file: hostile
// tag and table names, another program holding the write lock, another collector on
// the same file, a failed open, and the copy a data user takes while it collects.
#include "collect/collection_run.h"
#include "collect/database/database_group_output.h"
#include "collect/datafile/text_group_output.h"
#include "tags/tag_doc.h"
#include "tests/collect/database/sqlite_rows.h"
#include "tests/support/message_recorder.h"
#include "tests/support/test_clock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tk70;
using tk70test::sqliteRows;
using tk70test::sqliteValue;

namespace {

// Tag i reads i + 0.25 plus a tenth per sample taken.
class CountingReadings : public PointReadings {
public:
    PointReading reading(int position) const override { return {0, position + 0.25 + m_step / 10.0, false}; }
    int m_step = 0;
};

// Another program's connection to a database file, holding its write lock while it lives.
class ForeignWriteLock {
public:
    explicit ForeignWriteLock(const QString &path)
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "foreign");
        db.setDatabaseName(path);
        EXPECT_TRUE(db.open());
        QSqlQuery begin(db);
        EXPECT_TRUE(begin.exec("BEGIN IMMEDIATE")) << qPrintable(begin.lastError().text());
    }
    ~ForeignWriteLock() { release(); }
    void release()
    {
        if (m_released)
            return;
        m_released = true;
        {
            QSqlDatabase db = QSqlDatabase::database("foreign", false);
            QSqlQuery(db).exec("COMMIT");
            db.close();
        }
        QSqlDatabase::removeDatabase("foreign");
    }

private:
    bool m_released = false;
};

class DatabaseFaultsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_clock.set(QDateTime(QDate(2026, 12, 8), QTime(9, 0)));
        setCurrentDatabaseSettings(DatabaseSettings{});
        m_doc.newDocument();
        setTags({"FT101", "TT102", "PT103"});
        CollectionGroup &group = m_doc.group(0);
        group.fileType = QString::fromLatin1(kFileTypeDatabase);
        group.fileName = path("run.db");
        group.sampleTime = 1;
    }

    void setTags(const QStringList &names)
    {
        for (int i = 0; i < names.size(); ++i) {
            TagRecord tag;
            tag.tagname = names.at(i);
            tag.loop = 1;
            tag.pcu = 2;
            tag.module = 3;
            tag.block = 10 + i;
            tag.pointType = 4;
            tag.groups = {1, 0, 0, 0};
            m_doc.setTag(i, tag);
        }
        m_doc.tags().setCount(int(names.size()));
    }
    QString path(const QString &name) const { return m_dir.filePath(name); }
    // One sample a second of group 1, the readings moving on with each.
    void tick(CollectionRun &run, int samples)
    {
        for (int s = 0; s < samples; ++s) {
            m_clock.advance(1);
            ++m_readings.m_step;
            run.sampleTick(0);
        }
    }
    int rowCount(const QString &table = "TK70Data")
    {
        return sqliteValue(path("run.db"), QStringLiteral("SELECT COUNT(*) FROM \"%1\"").arg(table)).toInt();
    }

    QTemporaryDir m_dir;
    CTagDoc m_doc;
    tk70test::TestClock m_clock;
    CountingReadings m_readings;
    tk70test::MessageRecorder m_messages;
};

}  // namespace

// Every name is quoted by the output, every value bound: each column takes its own tag's
// value back, the table name stays one name, and an append recognises the names.
TEST_F(DatabaseFaultsTest, HostileTagAndTableNamesRoundTrip)
{
    const QStringList names{"a\"b", ";", "'", "with space", "[x]", "Ströme°C", "x\"); DROP TABLE y;--"};
    setTags(names);
    DatabaseSettings settings;
    settings.dataTableName = "Da\"ta; DROP TABLE x;--";
    settings.tagInfoTableName = "Tag 'Info\"";
    setCurrentDatabaseSettings(settings);
    m_doc.group(0).appendFile = 1;
    for (int run = 0; run < 2; ++run) {
        CollectionRun collection(m_doc, m_readings, m_clock);
        ASSERT_TRUE(collection.openOutputs(OverwritePolicy::Ask)) << qPrintable(m_messages.texts().join('|'));
        tick(collection, 3);
    }
    EXPECT_TRUE(m_messages.messages().empty()) << qPrintable(m_messages.texts().join('|'));
    const QString db = path("run.db");
    EXPECT_EQ(sqliteValue(db, "SELECT COUNT(*) FROM \"Da\"\"ta; DROP TABLE x;--\""), "6");
    for (int c = 0; c < names.size(); ++c) {
        QString quoted = names.at(c);
        quoted.replace('"', "\"\"");
        EXPECT_EQ(sqliteValue(db, QStringLiteral("SELECT \"%1\" FROM \"Da\"\"ta; DROP TABLE x;--\" ORDER BY rowid "
                                                 "DESC LIMIT 1")
                                      .arg(quoted)),
                  QString::number(c + 0.25 + 0.6))
            << qPrintable(names.at(c));
    }
    EXPECT_EQ(sqliteRows(db, "SELECT TagName FROM \"Tag 'Info\"\"\" ORDER BY rowid").size(), names.size() * 1);
    EXPECT_EQ(sqliteValue(db, "SELECT group_concat(name, '|') FROM sqlite_master WHERE type = 'table'"),
              "Da\"ta; DROP TABLE x;--|Tag 'Info\"");
}

// A user's open write transaction: the samples wait, in order, while the collection goes
// on; the message comes once and does not wait for OK; the rows arrive when the lock goes.
TEST_F(DatabaseFaultsTest, ASampleWaitsForAForeignWriteLockAndNoneIsLost)
{
    CollectionRun run(m_doc, m_readings, m_clock);
    ASSERT_TRUE(run.openOutputs(OverwritePolicy::Ask));
    tick(run, 2);
    {
        ForeignWriteLock lock(path("run.db"));
        tick(run, 5);
        run.writeWaiting();
        EXPECT_EQ(run.group(0).counts.waiting, 5);
        EXPECT_EQ(run.group(0).counts.stored, 2);
        ASSERT_EQ(m_messages.messages().size(), 1u);
        EXPECT_EQ(m_messages.posted(), 1);
        EXPECT_TRUE(m_messages.texts().at(0).startsWith("Can't Write to Access Database file " + path("run.db")))
            << qPrintable(m_messages.texts().at(0));
    }
    run.writeWaiting();
    EXPECT_EQ(run.group(0).counts.stored, 7);
    EXPECT_EQ(run.group(0).counts.waiting, 0);
    tick(run, 1);
    EXPECT_EQ(rowCount(), 8);
    const QList<QStringList> stamps = sqliteRows(path("run.db"), "SELECT \"Date/Time\" FROM TK70Data ORDER BY rowid");
    for (int r = 0; r < stamps.size(); ++r)
        EXPECT_EQ(stamps.at(r).at(0), QStringLiteral("2026-12-08 09:00:%1").arg(r + 1, 2, 10, QChar('0')));
    EXPECT_EQ(m_messages.messages().size(), 1u);
}

// Past the bound the oldest samples go, counted and said once; the newest are kept.
TEST_F(DatabaseFaultsTest, TheWaitIsBoundedAndWhatGoesIsCounted)
{
    CollectionRun run(m_doc, m_readings, m_clock, [&](const QString &) {
        return std::unique_ptr<GroupOutput>(new DatabaseGroupOutput(DatabaseSettings{}, 4));
    });
    ASSERT_TRUE(run.openOutputs(OverwritePolicy::Ask));
    {
        ForeignWriteLock lock(path("run.db"));
        tick(run, 10);
        EXPECT_EQ(run.group(0).counts.waiting, 4);
        EXPECT_EQ(run.group(0).counts.lost, 6);
    }
    run.writeWaiting();
    EXPECT_EQ(rowCount(), 4);
    EXPECT_EQ(sqliteValue(path("run.db"), "SELECT min(\"Date/Time\") FROM TK70Data"), "2026-12-08 09:00:07");
    EXPECT_EQ(m_messages.texts().filter("Samples Wait for Access Database file").size(), 1);
    EXPECT_EQ(run.group(0).counts.stored, 4);
}

// A close while the lock is still held waits a little, then says what it could not write.
TEST_F(DatabaseFaultsTest, ACloseUnderAForeignLockCountsWhatItCouldNotWrite)
{
    CollectionRun run(m_doc, m_readings, m_clock);
    ASSERT_TRUE(run.openOutputs(OverwritePolicy::Ask));
    tick(run, 1);
    ForeignWriteLock lock(path("run.db"));
    tick(run, 3);
    run.closeAll();
    EXPECT_EQ(run.group(0).counts.stored, 1);
    EXPECT_EQ(run.group(0).counts.lost, 3);
    EXPECT_EQ(m_messages.texts().last(),
              "3 Samples Could Not be Written to Access Database file " + path("run.db") + ".");
    lock.release();
    EXPECT_EQ(rowCount(), 1);
}

// A second collector on the file, with leave to overwrite: refused before it touches it.
TEST_F(DatabaseFaultsTest, AFileAnotherCollectorWritesIsRefusedUntouched)
{
    CollectionRun first(m_doc, m_readings, m_clock);
    ASSERT_TRUE(first.openOutputs(OverwritePolicy::Ask));
    tick(first, 2);
    for (auto policy : {OverwritePolicy::Overwrite, OverwritePolicy::Ask}) {
        for (bool append : {false, true}) {
            DatabaseGroupOutput second(DatabaseSettings{});
            EXPECT_FALSE(second.open(path("run.db"), append, policy));
        }
    }
    EXPECT_EQ(m_messages.texts().size(), 4);
    EXPECT_EQ(m_messages.texts().at(0), outputHeldMessage(path("run.db")));
    tick(first, 2);
    EXPECT_EQ(rowCount(), 4);
    first.closeAll();
    DatabaseGroupOutput after(DatabaseSettings{});
    EXPECT_TRUE(after.open(path("run.db"), true, OverwritePolicy::Ask));
}

TEST_F(DatabaseFaultsTest, ATextFileAnotherCollectorWritesIsNeitherAskedAboutNorCut)
{
    m_doc.group(0).fileType = "CSV";
    m_doc.group(0).fileName = path("run.csv");
    CollectionRun first(m_doc, m_readings, m_clock);
    ASSERT_TRUE(first.openOutputs(OverwritePolicy::Ask));
    tick(first, 2);
    const qint64 size = QFileInfo(path("run.csv")).size();
    auto second = makeTextGroupOutput("CSV");
    EXPECT_FALSE(second->open(path("run.csv"), false, OverwritePolicy::Ask));
    EXPECT_FALSE(second->open(path("run.csv"), false, OverwritePolicy::Overwrite));
    EXPECT_EQ(m_messages.texts(), QStringList(2, outputHeldMessage(path("run.csv"))));
    EXPECT_GE(QFileInfo(path("run.csv")).size(), size);
    first.closeAll();
    EXPECT_TRUE(second->open(path("run.csv"), true, OverwritePolicy::Ask));
}

// Tables the engine refuses (two columns of one name): the file the open made is gone,
// and the next start, with a sound selection, works.
TEST_F(DatabaseFaultsTest, AFailedOpenLeavesNoFileItMade)
{
    setTags({"FT101", "ft101"});
    {
        CollectionRun run(m_doc, m_readings, m_clock);
        EXPECT_FALSE(run.openOutputs(OverwritePolicy::Ask));
    }
    ASSERT_EQ(m_messages.texts().size(), 1);
    EXPECT_TRUE(m_messages.texts().at(0).contains("duplicate column name")) << qPrintable(m_messages.texts().at(0));
    EXPECT_EQ(m_messages.messages().at(0).icon, MessageIcon::None);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList());
    setTags({"FT101", "TT102"});
    m_doc.group(0).appendFile = 1;
    CollectionRun run(m_doc, m_readings, m_clock);
    ASSERT_TRUE(run.openOutputs(OverwritePolicy::Ask));
    tick(run, 1);
    EXPECT_EQ(rowCount(), 1);
}

// An empty file (what a collector killed at its open, or a shell, leaves) becomes the
// database; one that is not a database is refused and kept.
TEST_F(DatabaseFaultsTest, AnEmptyFileIsMadeTheDatabaseAndAForeignOneIsKept)
{
    m_doc.group(0).appendFile = 1;
    QFile(path("run.db")).open(QIODevice::WriteOnly);
    {
        CollectionRun run(m_doc, m_readings, m_clock);
        ASSERT_TRUE(run.openOutputs(OverwritePolicy::Ask)) << qPrintable(m_messages.texts().join('|'));
        tick(run, 2);
    }
    EXPECT_EQ(rowCount(), 2);
    QFile other(path("other.db"));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write(QByteArray(4096, 'x'));
    other.close();
    m_doc.group(0).fileName = path("other.db");
    CollectionRun run(m_doc, m_readings, m_clock);
    EXPECT_FALSE(run.openOutputs(OverwritePolicy::Ask));
    EXPECT_EQ(QFileInfo(path("other.db")).size(), 4096);
}

// A copy of the database file alone, taken while collecting, holds the samples of more
// than a minute ago; after the close the file holds them all, and "Date/Time" is indexed.
TEST_F(DatabaseFaultsTest, TheFileAloneHoldsTheSamplesOnceAMinuteAndAtTheClose)
{
    CollectionRun run(m_doc, m_readings, m_clock);
    ASSERT_TRUE(run.openOutputs(OverwritePolicy::Ask));
    tick(run, 61);
    const auto copiedRows = [&] {
        QFile::remove(path("copy.db"));
        EXPECT_TRUE(QFile::copy(path("run.db"), path("copy.db")));
        return sqliteValue(path("copy.db"), "SELECT COUNT(*) FROM TK70Data").toInt();
    };
    EXPECT_GE(copiedRows(), 60);
    run.closeAll();
    EXPECT_EQ(copiedRows(), 61);
    EXPECT_EQ(QFileInfo(path("run.db-wal")).size(), 0);
    EXPECT_EQ(sqliteValue(path("run.db"), "SELECT COUNT(*) FROM pragma_index_info('TK70Data Date/Time')"), "1");
}
