// The headless collector against the CIU simulator: in-process with the driver's waits
// shortened, a whole collection into ASCII, CSV and TK70 (DOS) files carrying the
// simulator's values; and the TK70 program itself with --headless: a refused start, a
// settings file it cannot read, a clean stop on SIGTERM, and data that survives SIGKILL.
#include "app/headless/headless_collector.h"
#include "ciusim/pty_server.h"
#include "driver/thread_control.h"
#include "driverclient/ciu_driver.h"
#include "platform/registry/settings_store.h"
#include "tags/tag_doc.h"
#include "tests/app/collection_setup.h"
#include "tests/app/column_reader.h"
#include "tests/support/wait_for_events.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <gtest/gtest.h>

using namespace tk70;

namespace {

using namespace tk70test;

class HeadlessTest : public SimulatedPlantTest {
protected:
    // Collects the selection until every group has written two samples after the values
    // arrived, then stops; returns what the collector printed.
    QString collectTwoSamplesEach()
    {
        QString output;
        QTextStream out(&output);
        HeadlessCollector collector(*m_store, out);
        EXPECT_TRUE(collector.start(writeSelection(m_dir), false));
        EXPECT_TRUE(tk70test::waitFor([&] { return collector.driver().connectionState() == 5; }, 10000));
        const CollectionRun *run = collector.collection().run();
        if (!run)
            return output;
        const qint64 before[3] = {run->group(0).counts.stored, run->group(1).counts.stored,
                                  run->group(2).counts.stored};
        EXPECT_TRUE(tk70test::waitFor(
            [&] {
                for (int g = 0; g < 3; ++g)
                    if (run->group(g).counts.stored < before[g] + 2)
                        return false;
                return true;
            },
            10000));
        collector.stop();
        return output;
    }
};

}  // namespace

TEST_F(HeadlessTest, CollectsTheSimulatorsValuesIntoEveryTextFormat)
{
    const QString output = collectTwoSamplesEach();
    EXPECT_TRUE(output.contains("CIU: Collection In-Progress")) << qPrintable(output);
    EXPECT_TRUE(output.contains("Collection stopped.")) << qPrintable(output);

    const QList<QByteArray> ascii = fileLines(m_dir.filePath("plant.txt"));
    ASSERT_GE(ascii.size(), 8);
    EXPECT_EQ(ascii[4], "                           FT101          TT102          PT103 \r");
    EXPECT_EQ(ascii[5].mid(19, 15), " 01-02-03-0101 ");
    EXPECT_EQ(ascii[ascii.size() - 2].mid(20), "      33.5000       1234.500        -7.2500  \r");

    const QList<QByteArray> csv = fileLines(m_dir.filePath("plant.csv"));
    ASSERT_GE(csv.size(), 8);
    EXPECT_TRUE(csv[csv.size() - 2].endsWith(",33.5,\"\",-7.25,\"\"\r")) << csv[csv.size() - 2].constData();

    const QList<QByteArray> dos = fileLines(m_dir.filePath("plant.DAT"));
    ASSERT_GE(dos.size(), 9);
    EXPECT_EQ(dos[4], "    TIME     2-03-0101  2-03-0102 \r");
    EXPECT_EQ(dos[dos.size() - 2].mid(13), "   33.500   1234.500  \r");
}

// The files read back by their column positions, as the historical viewer reads them.
TEST_F(HeadlessTest, TheFilesReadBackByColumnPosition)
{
    collectTwoSamplesEach();
    const ReadDataFile ascii = readByColumns(fileBytes(m_dir.filePath("plant.txt")), ReadLayout::Ascii);
    ASSERT_EQ(ascii.columns.size(), 3);
    EXPECT_EQ(ascii.columns[2].name, "PT103");
    EXPECT_EQ(
        (std::array{ascii.columns[2].loop, ascii.columns[2].pcu, ascii.columns[2].module, ascii.columns[2].block}),
        (std::array{1, 2, 3, 103}));
    ASSERT_GE(ascii.samples.size(), 2);
    EXPECT_EQ(ascii.samples.last().values, (QList<double>{33.5, 1234.5, -7.25}));
    EXPECT_EQ(ascii.samples.last().bad, (QList<bool>{false, false, false}));
    EXPECT_EQ(ascii.samples.last().date, QDate::currentDate().toString("MM/dd/yy"));

    const ReadDataFile dos = readByColumns(fileBytes(m_dir.filePath("plant.DAT")), ReadLayout::Dos);
    ASSERT_EQ(dos.columns.size(), 2);
    EXPECT_EQ(dos.columns[1].name, "TT102");
    EXPECT_EQ((std::array{dos.columns[1].pcu, dos.columns[1].module, dos.columns[1].block}), (std::array{2, 3, 102}));
    ASSERT_GE(dos.samples.size(), 2);
    EXPECT_EQ(dos.samples.last().values, (QList<double>{33.5, 1234.5}));
    EXPECT_EQ(dos.samples.last().bad, (QList<bool>{false, false}));
}

namespace {

class HeadlessProgramTest : public HeadlessTest {
protected:
    void startProgram(const QStringList &arguments)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TK70_REGISTRY", m_dir.filePath("registry"));
        m_program.setProcessEnvironment(env);
        m_program.setWorkingDirectory(m_dir.path());
        m_program.start(QStringLiteral(TK70_PROGRAM), QStringList{"--headless"} + arguments);
        ASSERT_TRUE(m_program.waitForStarted());
    }
    bool waitForOutput(const QByteArray &text)
    {
        return tk70test::waitFor(
                   [&] {
                       m_stdout += m_program.readAllStandardOutput();
                       return m_stdout.contains(text) || m_program.state() == QProcess::NotRunning;
                   },
                   20000) &&
               m_stdout.contains(text);
    }

    QProcess m_program;
    QByteArray m_stdout;
};

}  // namespace

TEST_F(HeadlessProgramTest, ARefusedStartPrintsItsMessageAndExitsWith2)
{
    CTagDoc empty;
    empty.newDocument();
    ASSERT_TRUE(empty.saveDocument(m_dir.filePath("empty.tsf")));
    startProgram({m_dir.filePath("empty.tsf")});
    ASSERT_TRUE(m_program.waitForFinished(20000));
    EXPECT_EQ(m_program.exitCode(), 2);
    EXPECT_TRUE(m_program.readAllStandardError().contains("No Tags Defined in Tag List!"));

    startProgram({});
    ASSERT_TRUE(m_program.waitForFinished(20000));
    EXPECT_EQ(m_program.exitCode(), 2);
    EXPECT_TRUE(m_program.readAllStandardError().contains("usage: TK70 --headless FILE.tsf"));
}

TEST_F(HeadlessProgramTest, ASettingsFileThatCannotBeReadIsReportedOnStandardError)
{
    QFile registry(m_dir.filePath("registry"));
    ASSERT_TRUE(registry.open(QIODevice::ReadWrite | QIODevice::Append));
    const qsizetype badLine = fileBytes(registry.fileName()).count('\n') + 1;
    registry.write("garbage\n");
    registry.close();
    CTagDoc empty;
    empty.newDocument();
    ASSERT_TRUE(empty.saveDocument(m_dir.filePath("empty.tsf")));
    startProgram({m_dir.filePath("empty.tsf")});
    ASSERT_TRUE(m_program.waitForFinished(20000));
    const QString expected =
        QStringLiteral("TK70 Pro Warning: The settings could not be read; defaults are used and nothing "
                       "will be written until the file is mended.\n\n%1: line %2: not a key line")
            .arg(registry.fileName())
            .arg(badLine);
    EXPECT_TRUE(QString::fromLocal8Bit(m_program.readAllStandardError()).contains(expected)) << qPrintable(expected);
}

TEST_F(HeadlessProgramTest, AnExistingFileIsReplacedOnlyWithOverwrite)
{
    const QString tsf = writeSelection(m_dir);
    QFile existing(m_dir.filePath("plant.txt"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("yesterday\r\n");
    existing.close();
    startProgram({tsf});
    ASSERT_TRUE(m_program.waitForFinished(20000));
    EXPECT_EQ(m_program.exitCode(), 2);
    EXPECT_TRUE(m_program.readAllStandardError().contains("Already Exists"));
    EXPECT_EQ(fileBytes(m_dir.filePath("plant.txt")), "yesterday\r\n");

    startProgram({tsf, "--overwrite"});
    ASSERT_TRUE(waitForOutput("Collecting from"));
    ::kill(pid_t(m_program.processId()), SIGTERM);
    ASSERT_TRUE(m_program.waitForFinished(20000));
    EXPECT_EQ(m_program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(m_program.exitCode(), 0);
    m_stdout += m_program.readAllStandardOutput();
    EXPECT_TRUE(m_stdout.contains("Collection stopped.")) << m_stdout.constData();
    EXPECT_TRUE(fileBytes(m_dir.filePath("plant.txt")).contains("TK70 Pro DATA COLLECTION PROGRAM"));
}

TEST_F(HeadlessProgramTest, AHangUpStopsCleanly)
{
    startProgram({writeSelection(m_dir)});
    ASSERT_TRUE(waitForOutput("Collecting from"));
    ::kill(pid_t(m_program.processId()), SIGHUP);  // the terminal went away
    ASSERT_TRUE(m_program.waitForFinished(20000));
    EXPECT_EQ(m_program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(m_program.exitCode(), 0);
    EXPECT_TRUE(fileBytes(m_dir.filePath("plant.DAT")).endsWith("\r\n"));  // closed, so flushed
}

TEST_F(HeadlessProgramTest, SamplesSurviveAKillUpToTheLastFlush)
{
    // Eleven tags in group 1: every line of eleven values is flushed as it is written.
    startProgram({writeSelection(m_dir, 11)});
    ASSERT_TRUE(waitForOutput("Collecting from"));
    const QString ascii = m_dir.filePath("plant.txt");
    ASSERT_TRUE(tk70test::waitFor([&] { return fileLines(ascii).size() >= 10; }, 20000));
    ::kill(pid_t(m_program.processId()), SIGKILL);
    ASSERT_TRUE(m_program.waitForFinished(20000));
    // Every line is whole; the last one lacks only its line end, which follows the
    // flush of its eleventh value.
    const QList<QByteArray> all = fileLines(ascii);
    ASSERT_GE(all.size(), 9);
    for (qsizetype i = 7; i + 1 < all.size(); ++i)
        EXPECT_EQ(all[i].size(), 20 + 11 * 15 + 1) << i;
    EXPECT_EQ(all.last().size(), 20 + 11 * 15);
}
