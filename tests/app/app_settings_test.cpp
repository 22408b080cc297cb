// The program settings in the settings store: the first start, loading with type and
// size rules, saving back with the stored forms, each save one write of the file, the
// substitute values exact and in the C locale under a German locale, and a store that
// cannot be read or written at start-up and at a save.
#include "app/settings/app_settings.h"
#include "app/settings/historian_output_settings.h"
#include "platform/registry/settings_store.h"
#include "platform/registry/settings_warning.h"
#include "tests/platform/file_replacements.h"
#include "tests/support/message_recorder.h"

#include <QFile>
#include <QTemporaryDir>
#include <clocale>
#include <cstdio>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <unistd.h>
#include <utility>

using namespace tk70;

class AppSettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_store = std::make_unique<SettingsStore>(m_dir.filePath("registry"));
    }
    QTemporaryDir m_dir;
    std::unique_ptr<SettingsStore> m_store;
};

TEST_F(AppSettingsTest, AFirstStartCreatesTheSevenStartUpValues)
{
    EXPECT_TRUE(createDefaultAppSettings(*m_store));
    EXPECT_EQ(m_store->dword(kProgramKey, "InhibitDaoDllCheck"), 0u);
    EXPECT_EQ(m_store->dword(kProgramKey, "AutoStartDelayTime"), 5u);
    EXPECT_EQ(m_store->multiString(kProgramKey, "AutoStartTsfFilename"), QByteArray("\0", 1));
    EXPECT_FALSE(m_store->value(kProgramKey, "DdeRefresh").has_value());
    EXPECT_FALSE(createDefaultAppSettings(*m_store));  // not a first start any more
    EXPECT_EQ(loadAppSettings(*m_store), AppSettings{});
}

TEST_F(AppSettingsTest, ExistingValuesAreNotReplacedByDefaults)
{
    ASSERT_TRUE(m_store->setDword(kProgramKey, "AutoStartDelayTime", 7));
    ASSERT_TRUE(m_store->setString(kProgramKey, "AutoStartTsfFilename", "plant.tsf"));  // of another type
    EXPECT_TRUE(createDefaultAppSettings(*m_store));
    EXPECT_EQ(m_store->dword(kProgramKey, "AutoStartDelayTime"), 7u);
    AppSettings s = loadAppSettings(*m_store);
    EXPECT_EQ(s.autoStartDelayTime, 7);
    EXPECT_EQ(s.autoStartTsfFilename, QString());  // a REG_SZ text is ignored
}

TEST_F(AppSettingsTest, FlagsAreNormalisedAndNumbersTakenAsStored)
{
    ASSERT_TRUE(m_store->setDword(kProgramKey, "AutoStartEnabled", 9));
    ASSERT_TRUE(m_store->setDword(kProgramKey, "DdeRefresh", 1000));
    ASSERT_TRUE(m_store->setMultiString(kProgramKey, "DdeApplicationName", QByteArray("Plant\0", 6)));
    ASSERT_TRUE(m_store->setMultiString(kProgramKey, "DdeValueTopic", QByteArray(250, 'x')));  // too long
    ASSERT_TRUE(m_store->setMultiString(kProgramKey, "AccessPointErrorValue", QByteArray("-12.5\0", 6)));
    AppSettings s = loadAppSettings(*m_store);
    EXPECT_TRUE(s.autoStartEnabled);
    EXPECT_EQ(s.ddeRefresh, 1000);
    EXPECT_EQ(s.ddeApplicationName, "Plant");
    EXPECT_EQ(s.ddeValueTopic, "Value");
    EXPECT_EQ(s.accessPointErrorValue, -12.5);
}

TEST_F(AppSettingsTest, SavingWritesEveryValueButTheEngineCheck)
{
    AppSettings s;
    s.autoStartEnabled = true;
    s.autoStartTsfFilename = QStringLiteral("/plant/Unit 4 – Kessel.tsf");
    ASSERT_TRUE(saveAppSettings(*m_store, s));
    EXPECT_FALSE(m_store->value(kProgramKey, "InhibitDaoDllCheck").has_value());
    EXPECT_EQ(m_store->multiString(kProgramKey, "DdeSystemTopic"), QByteArray("System\0", 7));
    AppSettings back = loadAppSettings(*m_store);
    EXPECT_EQ(back.autoStartTsfFilename, s.autoStartTsfFilename);
    EXPECT_TRUE(back.autoStartEnabled);
}

// The station's name goes with every historian row; the spool bound is kept within what a
// disk can sensibly give, whatever number the store holds.
TEST_F(AppSettingsTest, TheHistorianTakesTheStationNameAndABoundedSpool)
{
    ASSERT_TRUE(m_store->setMultiString(kProgramKey, "StationName", QByteArray("Unit 4 – Kessel\0", 18)));
    ASSERT_TRUE(m_store->setDword(kProgramKey, "HistorianSpoolLimitMB", 0xFFFFFFFFu));
    const HistorianSettings historian = historianSettingsOf(loadAppSettings(*m_store), m_dir.path());
    EXPECT_EQ(historian.stationName, QStringLiteral("Unit 4 – Kessel"));
    EXPECT_EQ(historian.spoolLimitBytes, qint64(kSpoolLimitMinMB) << 20) << "a negative bound";
    EXPECT_EQ(historian.spoolFolder, m_dir.path());
    EXPECT_EQ(historianSettingsOf(AppSettings{}, {}).spoolLimitBytes, qint64(1) << 30);
    AppSettings huge;
    huge.historianSpoolLimitMB = 1 << 30;
    EXPECT_EQ(historianSettingsOf(huge, {}).spoolLimitBytes, qint64(kSpoolLimitMaxMB) << 20);
    EXPECT_FALSE(effectiveStationName(HistorianSettings{}).isEmpty()) << "no host name for a station";
}

TEST_F(AppSettingsTest, EachSaveIsOneWriteOfTheFile)
{
    FileReplacements replacements(m_dir.filePath("registry"));
    EXPECT_TRUE(createDefaultAppSettings(*m_store));
    EXPECT_EQ(replacements.take(), 1);
    ASSERT_TRUE(saveAppSettings(*m_store, AppSettings{}));
    EXPECT_EQ(replacements.take(), 1);

    ASSERT_TRUE(saveRecentFileList(*m_store, {"/p/a.tsf", "/p/b.tsf", "/p/c.tsf", "/p/d.tsf", "/p/e.tsf"}));
    EXPECT_EQ(replacements.take(), 1);
    EXPECT_EQ(loadRecentFileList(*m_store), (QStringList{"/p/a.tsf", "/p/b.tsf", "/p/c.tsf", "/p/d.tsf"}));
    ASSERT_TRUE(saveRecentFileList(*m_store, {"/p/b.tsf"}));  // the names left over go
    EXPECT_EQ(replacements.take(), 1);
    EXPECT_EQ(loadRecentFileList(*m_store), QStringList{"/p/b.tsf"});
    EXPECT_FALSE(m_store->value(kRecentFileKey, "File2").has_value());
}

namespace {

// Switches the whole program to a German locale, whose decimal separator is a comma, as
// the application object does for a German user; the earlier locale comes back at the
// end.  Where no German locale is installed the C locale stays.
class GermanNumbers {
public:
    GermanNumbers() : m_previous(std::setlocale(LC_ALL, nullptr))
    {
        for (const char *name : {"de_DE.UTF-8", "de_DE.utf8"})
            if (std::setlocale(LC_ALL, name)) {
                m_active = true;
                break;
            }
        static bool noted = false;
        if (!m_active && !std::exchange(noted, true))
            std::printf("[   NOTE   ] no de_DE locale here: the C locale is used, the texts checked byte for byte\n");
    }
    ~GermanNumbers() { std::setlocale(LC_ALL, m_previous.c_str()); }
    GermanNumbers(const GermanNumbers &) = delete;
    GermanNumbers &operator=(const GermanNumbers &) = delete;

    bool active() const { return m_active; }

private:
    std::string m_previous;
    bool m_active = false;
};

// The two substitute values, saved and loaded while the program runs in a German locale.
class AppSettingsSubstituteTest : public AppSettingsTest {
protected:
    void storeText(const char *name, const char *text)
    {
        QByteArray data(text);
        data.append('\0');
        ASSERT_TRUE(m_store->setMultiString(kProgramKey, name, data));
    }
    QByteArray storedText(const char *name) const
    {
        QByteArray data = m_store->multiString(kProgramKey, name).value_or(QByteArray());
        return data.endsWith('\0') ? data.chopped(1) : QByteArray("(no text with its zero byte)");
    }

    GermanNumbers m_german;
};

}  // namespace

TEST_F(AppSettingsSubstituteTest, ValuesSurviveASaveExactlyAndInTheCLocale)
{
    if (m_german.active()) {
        ASSERT_STREQ(std::localeconv()->decimal_point, ",");  // the locale that would write "-888,25"
    }
    const struct {
        double value;
        const char *text;
    } cases[] = {{-888.25, "-888.25"}, {-9999999.99, "-9999999.99"}, {1e300, "1e+300"}, {-0.5, "-0.5"}};
    const size_t count = std::size(cases);
    for (size_t k = 0; k < count; ++k) {
        const auto &point = cases[k], &bad = cases[(k + 1) % count];  // each field its own value
        SCOPED_TRACE(point.text);
        AppSettings s;
        s.accessPointErrorValue = point.value;
        s.accessBadQualityValue = bad.value;
        ASSERT_TRUE(saveAppSettings(*m_store, s));
        EXPECT_EQ(storedText("AccessPointErrorValue"), QByteArray(point.text));
        EXPECT_EQ(storedText("AccessBadQualityValue"), QByteArray(bad.text));
        const AppSettings back = loadAppSettings(*m_store);
        EXPECT_EQ(back.accessPointErrorValue, point.value);
        EXPECT_EQ(back.accessBadQualityValue, bad.value);
        ASSERT_TRUE(saveAppSettings(*m_store, back));  // a second save writes the same text
        EXPECT_EQ(storedText("AccessPointErrorValue"), QByteArray(point.text));
    }
}

TEST_F(AppSettingsSubstituteTest, TheDefaultIsWrittenWithAllItsDigits)
{
    ASSERT_TRUE(saveAppSettings(*m_store, AppSettings{}));
    EXPECT_EQ(m_store->multiString(kProgramKey, "AccessPointErrorValue"), QByteArray("-9999999.99\0", 12));
    EXPECT_EQ(m_store->multiString(kProgramKey, "AccessBadQualityValue"), QByteArray("-9999999.99\0", 12));
    EXPECT_EQ(loadAppSettings(*m_store), AppSettings{});
}

TEST_F(AppSettingsSubstituteTest, ATextThatIsNotWhollyAFiniteNumberKeepsTheDefault)
{
    const double kDefault = AppSettings{}.accessPointErrorValue;
    const char *const hostile[] = {"-888,25", "abc",   "12abc", "12 5", "nan",  "inf",
                                   "-inf",    "1e999", "",      "  ",   "0x10", "1.5e"};
    for (const char *text : hostile) {
        SCOPED_TRACE(std::string("[") + text + "]");
        storeText("AccessPointErrorValue", text);
        storeText("AccessBadQualityValue", " \t-7.25 ");  // blanks around a number are allowed
        const AppSettings s = loadAppSettings(*m_store);
        EXPECT_EQ(s.accessPointErrorValue, kDefault);
        EXPECT_EQ(s.accessBadQualityValue, -7.25);
    }
}

namespace {

const char *const kUnreadable =
    "The settings could not be read; defaults are used and nothing will be written until the file is mended.";
const char *const kUnwritable = "The settings cannot be saved; changes will not be kept.";
const char *const kNotSaved = "The settings could not be saved.";

// A store at start-up: whether it makes a first start, what the start says (nothing for a
// sound store) and what a refused save says, each before the error text that follows the
// file's path ("%1" stands for the test folder).
struct StartCase {
    const char *name;
    enum Kind { Sound, BadLine, FolderIsAFile, ReadOnlyFile } kind;
    bool firstStart;
    const char *atStart;
    const char *atSave;
    const char *reason;
};

class AppSettingsStartTest : public AppSettingsTest, public ::testing::WithParamInterface<StartCase> {
protected:
    ~AppSettingsStartTest() override
    {
        QFile::setPermissions(m_dir.filePath("registry"), QFile::ReadOwner | QFile::WriteOwner);
    }

    // Makes the case's store; nothing when permission bits do not stop this user (root).
    std::optional<QString> inject(StartCase::Kind kind)
    {
        const QString path = m_dir.filePath("registry");
        if (kind == StartCase::Sound)
            return path;
        if (kind == StartCase::ReadOnlyFile) {
            EXPECT_TRUE(createDefaultAppSettings(*m_store));
            EXPECT_TRUE(QFile::setPermissions(path, QFile::ReadOwner));
            return ::access(QFile::encodeName(path).constData(), W_OK) != 0 ? std::optional(path) : std::nullopt;
        }
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Kestrane\\TK70 Pro]\n\"AutoStartDelayTime\"=dword:7\n");
        f.write(kind == StartCase::BadLine ? "garbage\n" : "");
        return kind == StartCase::BadLine ? path : path + "/registry";  // a regular file where a folder should be
    }
    static QByteArray bytesOf(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

}  // namespace

TEST_P(AppSettingsStartTest, AStoreThatCannotBeReadOrWrittenIsNoFirstStartAndSaysWhy)
{
    const StartCase &c = GetParam();
    const std::optional<QString> path = inject(c.kind);
    if (!path)
        GTEST_SKIP() << "permission bits do not stop this user (root); FolderIsAFile makes a store unwritable here";
    SettingsStore store(*path);
    const QString error = *path + ": " + QString::fromUtf8(c.reason).replace("%1", m_dir.path());
    const auto warning = [&](const char *sentence) {
        return QStringList{QString::fromUtf8(sentence) + "\n\n" + error};
    };
    tk70test::MessageRecorder messages;

    const StartupSettings start = startAppSettings(store);
    EXPECT_EQ(start.firstStart, c.firstStart);
    EXPECT_EQ(start.settings, AppSettings{});
    EXPECT_EQ(messages.texts(), c.atStart ? warning(c.atStart) : QStringList{});
    if (!c.atSave)
        return;
    EXPECT_EQ(messages.messages()[0].title, "TK70 Pro Warning");
    EXPECT_EQ(messages.messages()[0].icon, MessageIcon::Warning);

    messages.clear();
    const QByteArray before = bytesOf(m_dir.filePath("registry"));
    AppSettings changed;
    changed.autoStartEnabled = true;
    EXPECT_FALSE(saveAppSettings(store, changed));
    warnSettingsNotSaved(store);
    EXPECT_EQ(messages.texts(), warning(c.atSave));
    EXPECT_EQ(bytesOf(m_dir.filePath("registry")), before);
}

INSTANTIATE_TEST_SUITE_P(EachStore, AppSettingsStartTest,
                         ::testing::Values(StartCase{"Sound", StartCase::Sound, true, nullptr, nullptr, ""},
                                           StartCase{"BadLine", StartCase::BadLine, false, kUnreadable, kUnreadable,
                                                     "line 3: not a key line, a value line or a comment"},
                                           StartCase{
                                               "FolderIsAFile", StartCase::FolderIsAFile, false, kNotSaved, kNotSaved,
                                               "%1/registry is in the way of the settings folder: it is not a folder"},
                                           StartCase{"ReadOnlyFile", StartCase::ReadOnlyFile, false, kUnwritable,
                                                     kNotSaved, "Permission denied"}),
                         [](const auto &info) { return std::string(info.param.name); });
