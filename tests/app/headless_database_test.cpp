// The database output in whole collections against the CIU simulator: a fourth group
// writing an SQLite file that the sqlite3 shell reads back with the simulator's values,
// a user's write transaction in the shell that costs no sample, a second TK70 on the
// same file refused, and the TK70 program killed while it collects leaving a sound
// database.
#include "app/headless/headless_collector.h"
#include "driverclient/ciu_driver.h"
#include "tags/tag_doc.h"
#include "tests/app/collection_setup.h"
#include "tests/support/wait_for_events.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <gtest/gtest.h>

using namespace tk70;
using namespace tk70test;

namespace {

// The three text groups of the selection, and group 4 writing every tag to plant.db.
QString writeDatabaseSelection(const QTemporaryDir &dir)
{
    return writeSelectionWithGroup4(dir, kFileTypeDatabase, dir.filePath("plant.db"));
}

// What the sqlite3 shell prints for statement on the database file.
QString sqlite(const QString &file, const QString &statement)
{
    QProcess shell;
    shell.start(QStringLiteral("sqlite3"), {file, statement});
    if (!shell.waitForFinished(10000) || shell.exitCode() != 0)
        return QStringLiteral("sqlite3 failed: ") + QString::fromLocal8Bit(shell.readAllStandardError());
    return QString::fromUtf8(shell.readAllStandardOutput()).trimmed();
}

// The sqlite3 shell holding a write transaction on a database file until commit().
class ShellWriteLock {
public:
    explicit ShellWriteLock(const QString &file)
    {
        m_shell.start(QStringLiteral("sqlite3"), {file});
        m_shell.write("BEGIN IMMEDIATE;\nSELECT 'locked';\n");
    }
    // Whether the shell holds the lock: it answers once it has taken it.
    bool holds()
    {
        return tk70test::waitFor([&] { return (m_answer += m_shell.readAllStandardOutput()).contains("locked"); },
                                 10000);
    }
    bool commit()
    {
        m_shell.write("COMMIT;\n.quit\n");
        m_shell.closeWriteChannel();
        return m_shell.waitForFinished(10000) && m_shell.exitCode() == 0;
    }

private:
    QProcess m_shell;
    QByteArray m_answer;
};

// The number of the last summary line's stored samples of group 4.
qint64 storedInLastSummary(const QString &output)
{
    const QString marker = QStringLiteral("group 4: ");
    const qsizetype at = output.lastIndexOf(marker);
    return at < 0 ? -1 : output.mid(at + marker.size()).section(' ', 0, 0).toLongLong();
}

using HeadlessDatabaseTest = SimulatedPlantTest;

}  // namespace

TEST_F(HeadlessDatabaseTest, TheDatabaseHoldsTheSimulatorsValues)
{
    QString output;
    QTextStream out(&output);
    HeadlessCollector collector(*m_store, out);
    ASSERT_TRUE(collector.start(writeDatabaseSelection(m_dir), false)) << qPrintable(output);
    ASSERT_TRUE(tk70test::waitFor([&] { return collector.driver().connectionState() == 5; }, 10000));
    const CollectionRun *run = collector.collection().run();
    ASSERT_NE(run, nullptr);
    const qint64 before = run->group(3).counts.stored;
    ASSERT_TRUE(tk70test::waitFor([&] { return run->group(3).counts.stored >= before + 2; }, 10000));
    collector.stop();

    const QString db = m_dir.filePath("plant.db");
    EXPECT_EQ(sqlite(db, "SELECT FT101, TT102, PT103 FROM TK70Data ORDER BY rowid DESC LIMIT 1"), "33.5|1234.5|-7.25");
    EXPECT_EQ(sqlite(db, "SELECT date(\"Date/Time\") = date('now', 'localtime') FROM TK70Data LIMIT 1"), "1");
    EXPECT_EQ(sqlite(db, "SELECT TagName, Blk, Collection4 FROM TK70TagInfo"), "FT101|101|1\nTT102|102|1\nPT103|103|1");
}

TEST_F(HeadlessDatabaseTest, AKilledCollectionLeavesASoundDatabase)
{
    const QString tsf = writeDatabaseSelection(m_dir);
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TK70_REGISTRY", m_dir.filePath("registry"));
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(TK70_PROGRAM), {"--headless", tsf});
    ASSERT_TRUE(program.waitForStarted());
    const QString db = m_dir.filePath("plant.db");
    // The shell would make an empty file of a name that does not exist yet.
    const auto rows = [&] { return QFile::exists(db) ? sqlite(db, "SELECT COUNT(*) FROM TK70Data").toInt() : 0; };
    ASSERT_TRUE(tk70test::waitFor([&] { return rows() >= 3; }, 20000)) << program.readAllStandardError().constData();
    ::kill(pid_t(program.processId()), SIGKILL);
    ASSERT_TRUE(program.waitForFinished(20000));
    EXPECT_EQ(sqlite(db, "PRAGMA integrity_check"), "ok");
    EXPECT_GE(rows(), 3);
}

// Five seconds of a user's open write transaction: the samples wait and are written when
// it ends, so the table holds one row per tick, and the summary counts exactly those.
TEST_F(HeadlessDatabaseTest, AForeignWriteLockCostsNoSample)
{
    QString output;
    QTextStream out(&output);
    HeadlessCollector collector(*m_store, out);
    ASSERT_TRUE(collector.start(writeDatabaseSelection(m_dir), false)) << qPrintable(output);
    const CollectionRun *run = collector.collection().run();
    ASSERT_NE(run, nullptr);
    ASSERT_TRUE(tk70test::waitFor([&] { return run->group(3).counts.stored >= 2; }, 10000));
    const QString db = m_dir.filePath("plant.db");
    {
        ShellWriteLock lock(db);
        ASSERT_TRUE(lock.holds());
        ASSERT_TRUE(tk70test::waitFor([&] { return run->group(3).counts.waiting >= 5; }, 15000));
        EXPECT_TRUE(lock.commit());
    }
    ASSERT_TRUE(tk70test::waitFor([&] { return run->group(3).counts.waiting == 0; }, 10000));
    const qint64 taken = run->group(3).samplesTaken;
    collector.stop();
    EXPECT_EQ(sqlite(db, "SELECT COUNT(*) FROM TK70Data").toLongLong(), taken);
    EXPECT_EQ(storedInLastSummary(output), taken) << qPrintable(output);
    EXPECT_FALSE(output.contains(" lost")) << qPrintable(output);
    EXPECT_EQ(sqlite(db, "SELECT COUNT(DISTINCT \"Date/Time\") FROM TK70Data").toLongLong(), taken);
}

// A second TK70 told to overwrite the file the first writes: refused, the file whole.
TEST_F(HeadlessDatabaseTest, ASecondCollectorOnTheSameFileIsRefused)
{
    QString output;
    QTextStream out(&output);
    HeadlessCollector collector(*m_store, out);
    const QString tsf = writeDatabaseSelection(m_dir);
    ASSERT_TRUE(collector.start(tsf, false)) << qPrintable(output);
    const CollectionRun *run = collector.collection().run();
    ASSERT_TRUE(tk70test::waitFor([&] { return run->group(3).counts.stored >= 2; }, 10000));
    QProcess second;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TK70_REGISTRY", m_dir.filePath("registry"));
    second.setProcessEnvironment(env);
    second.start(QStringLiteral(TK70_PROGRAM), {"--headless", tsf, "--overwrite"});
    ASSERT_TRUE(second.waitForFinished(20000));
    EXPECT_EQ(second.exitCode(), HeadlessCollector::kExitRefused);
    EXPECT_TRUE(second.readAllStandardError().contains("is Being Written by Another Collector"));
    const qint64 before = run->group(3).counts.stored;
    ASSERT_TRUE(tk70test::waitFor([&] { return run->group(3).counts.stored >= before + 1; }, 10000));
    const qint64 taken = run->group(3).samplesTaken;
    collector.stop();
    EXPECT_EQ(sqlite(m_dir.filePath("plant.db"), "SELECT COUNT(*) FROM TK70Data").toLongLong(), taken);
    EXPECT_GT(fileLines(m_dir.filePath("plant.txt")).size(), 3);  // group 1's file: refused first, not cut
}
