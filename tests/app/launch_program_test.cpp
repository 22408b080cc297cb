// The TK70 program started as a user starts it: --help, --version and a wrong option
// answer at once without a display; a second start with a window hands its file to the
// running window and ends, while a headless run stays on its own; a running window that
// died leaves a socket the next start replaces.
#include "app/launch/instance_channel.h"
#include "app/settings/system_figures.h"
#include "platform/registry/settings_store.h"
#include "tags/tag_doc.h"
#include "tests/support/wait_for_events.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

using namespace tk70;

namespace {

constexpr int kDeadlineMs = 20000;

// The program's environment without any display: no X, no Wayland, and the platform
// plugin unset or one that does not exist.
QProcessEnvironment withoutDisplay(const char *platform)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    if (platform)
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QString::fromLatin1(platform));
    return env;
}

struct AtOnceCase {
    const char *name;
    QStringList arguments;
    const char *platform;  // nullptr: unset
    int exitCode;
    QString out;  // all of standard output
    QString err;  // contained in standard error
};

}  // namespace

TEST(ProgramCommandLine, HelpVersionAndWrongOptionsAnswerAtOnceWithoutADisplay)
{
    const QString usage = QStringLiteral("usage: TK70 [FILE.tsf] [--nologo]\n"
                                         "       TK70 --headless FILE.tsf [--overwrite]\n"
                                         "       TK70 --help\n"
                                         "       TK70 --version\n");
    const QString version = QStringLiteral("TK70 Pro ") + programVersionText() + QLatin1Char('\n');
    const std::vector<AtOnceCase> cases = {
        {"help", {"--help"}, nullptr, 0, usage, {}},
        {"help, bogus platform", {"--help"}, "bogus", 0, usage, {}},
        {"version", {"--version"}, nullptr, 0, version, {}},
        {"version, bogus platform", {"--version"}, "bogus", 0, version, {}},
        {"unknown option", {"--bogus"}, nullptr, 2, {}, "TK70: unknown option --bogus\n\n" + usage},
        {"unknown option with a file", {"plant.tsf", "--bogus"}, "bogus", 2, {}, usage},
        {"unknown option outweighs help", {"--help", "-x"}, "bogus", 2, {}, "unknown option -x"},
        {"two files", {"a.tsf", "b.tsf"}, nullptr, 2, {}, "more than one file"},
    };
    for (const AtOnceCase &c : cases) {
        SCOPED_TRACE(c.name);
        QProcess program;
        program.setProcessEnvironment(withoutDisplay(c.platform));
        program.start(QStringLiteral(TK70_PROGRAM), c.arguments);
        ASSERT_TRUE(program.waitForFinished(kDeadlineMs));
        const QString out = QString::fromUtf8(program.readAllStandardOutput());
        const QString err = QString::fromUtf8(program.readAllStandardError());
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << qPrintable(err);
        EXPECT_EQ(program.exitCode(), c.exitCode) << qPrintable(err);
        if (c.exitCode == 0) {
            EXPECT_TRUE(out.startsWith(c.out)) << qPrintable(out);
            EXPECT_TRUE(err.isEmpty()) << qPrintable(err);
        } else {
            EXPECT_TRUE(out.isEmpty()) << qPrintable(out);
            EXPECT_TRUE(err.contains(c.err)) << qPrintable(err);
        }
    }
}

namespace {

// Starts of TK70 with one settings store and one private runtime folder, offscreen.
class SecondStartTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("run")));
        m_runtime = m_dir.filePath(QStringLiteral("run"));
        QFile::setPermissions(m_runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        m_registry = m_dir.filePath(QStringLiteral("registry"));
        CTagDoc empty;
        empty.newDocument();
        ASSERT_TRUE(empty.saveDocument(m_dir.filePath(QStringLiteral("plant.tsf"))));
    }
    void TearDown() override
    {
        for (const auto &program : m_programs) {
            program->kill();
            program->waitForFinished(kDeadlineMs);
        }
    }

    QProcess *start(const QStringList &arguments)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("TK70_REGISTRY"), m_registry);
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime);
        auto program = std::make_unique<QProcess>();
        program->setProcessEnvironment(env);
        program->setWorkingDirectory(m_dir.path());
        program->start(QStringLiteral(TK70_PROGRAM), arguments);
        EXPECT_TRUE(program->waitForStarted(kDeadlineMs));
        m_programs.push_back(std::move(program));
        return m_programs.back().get();
    }
    QString socketPath() const { return instanceSocketPath(m_runtime, m_registry); }
    // The newest entry of the running window's recent file list.
    QString newestRecentFile() const
    {
        SettingsStore store(m_registry);
        return store.string(QStringLiteral("SOFTWARE\\Kestrane\\TK70 Pro\\Recent File List"), QStringLiteral("File1"))
            .value_or(QString());
    }

    QTemporaryDir m_dir;
    QString m_runtime;
    QString m_registry;
    std::vector<std::unique_ptr<QProcess>> m_programs;
};

}  // namespace

TEST_F(SecondStartTest, HandsItsFileToTheRunningWindowAndEnds)
{
    QProcess *first = start({QStringLiteral("--nologo")});
    ASSERT_TRUE(tk70test::waitFor([&] { return QFileInfo::exists(socketPath()); }, kDeadlineMs));

    QProcess *second = start({QStringLiteral("plant.tsf")});
    ASSERT_TRUE(second->waitForFinished(kDeadlineMs));
    EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second->exitCode(), 0) << second->readAllStandardError().constData();
    const QString plant = QFileInfo(m_dir.filePath(QStringLiteral("plant.tsf"))).absoluteFilePath();
    EXPECT_TRUE(tk70test::waitFor([&] { return newestRecentFile() == plant; }, kDeadlineMs))
        << qPrintable(newestRecentFile());

    // A headless run neither hands over nor listens: it refuses the empty selection itself.
    QProcess *headless = start({QStringLiteral("--headless"), QStringLiteral("plant.tsf")});
    ASSERT_TRUE(headless->waitForFinished(kDeadlineMs));
    EXPECT_EQ(headless->exitCode(), 2);
    EXPECT_TRUE(headless->readAllStandardError().contains("No Tags Defined in Tag List!"));
    EXPECT_EQ(first->state(), QProcess::Running);
}

TEST_F(SecondStartTest, AfterTheRunningWindowDiedTheNextStartBecomesTheInstance)
{
    QProcess *first = start({QStringLiteral("--nologo")});
    ASSERT_TRUE(tk70test::waitFor([&] { return QFileInfo::exists(socketPath()); }, kDeadlineMs));
    first->kill();
    ASSERT_TRUE(first->waitForFinished(kDeadlineMs));
    ASSERT_TRUE(QFileInfo::exists(socketPath()));
    ASSERT_EQ(handOver(socketPath(), QString(), kDeadlineMs), HandOver::NoInstance);

    QProcess *next = start({QStringLiteral("--nologo")});
    EXPECT_TRUE(tk70test::waitFor([&] { return handOver(socketPath(), QString(), kDeadlineMs) == HandOver::Delivered; },
                                  kDeadlineMs));
    EXPECT_EQ(next->state(), QProcess::Running) << next->readAllStandardError().constData();
}
