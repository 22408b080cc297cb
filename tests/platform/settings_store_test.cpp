// Settings store: values keep their type and bytes, keys and names ignore letter case,
// limits, several writers sharing one file, batches written at once, a file that cannot be
// read or written, and where the file lives.
#include "platform/registry/settings_batch.h"
#include "tests/platform/file_replacements.h"
#include "tests/platform/registry_fixture.h"

#include <QDir>
#include <QFileInfo>
#include <thread>
#include <unistd.h>
#include <vector>

using tk70::RegType;
using tk70::RegValue;
using tk70::SettingsBatch;
using tk70::SettingsStore;

namespace {

// Every byte a text file could mangle: zero, CR, LF, quotes, backslash, a byte that is
// not UTF-8, a C1 control character, and UTF-8 text.
const QByteArray kAwkwardBytes = QByteArray("a\0b\r\n\"q\"\\\xff\x80\xc2\x85", 13) + "Grüße 温度" + QByteArray(1, '\0');

}  // namespace

using SettingsStoreTest = RegistryTest;

TEST_F(SettingsStoreTest, EachTypeReadsBackFromTheFileByteForByte)
{
    SettingsStore writer;
    ASSERT_TRUE(writer.setDword(kKey, "Zero", 0)) << writer.errorText().toStdString();
    ASSERT_TRUE(writer.setDword(kKey, "Max", 0xffffffffu));
    ASSERT_TRUE(writer.setDword(kKey, "RxTimeout", 5000));
    ASSERT_TRUE(writer.setString(kKey, "Text", "line\r\n\"quoted\" back\\slash Grüße 温度"));
    ASSERT_TRUE(writer.setMultiString(kKey, "Raw", kAwkwardBytes));
    ASSERT_TRUE(writer.setMultiString(kKey, "LogFileName", QByteArray("TK70Pro.LOG\0", 12)));

    SettingsStore reader;  // a fresh store reads the file
    EXPECT_EQ(reader.dword(kKey, "Zero"), 0u);
    EXPECT_EQ(reader.dword(kKey, "Max"), 0xffffffffu);
    EXPECT_EQ(reader.value(kKey, "RxTimeout")->data, QByteArray("\x88\x13\0\0", 4));
    EXPECT_EQ(reader.string(kKey, "Text"), QString("line\r\n\"quoted\" back\\slash Grüße 温度"));
    EXPECT_EQ(reader.value(kKey, "Text")->data.count('\0'), 1);
    EXPECT_EQ(reader.multiString(kKey, "Raw"), kAwkwardBytes);
    EXPECT_EQ(reader.multiString(kKey, "LogFileName"), QByteArray("TK70Pro.LOG\0", 12));
    EXPECT_TRUE(readFile().contains("\"LogFileName\"=multi_sz:\"TK70Pro.LOG\\0\"\n"));
    EXPECT_TRUE(reader.errorText().isEmpty());
}

TEST_F(SettingsStoreTest, TypedReadsSeeOnlyTheirOwnType)
{
    SettingsStore store;
    ASSERT_TRUE(store.setDword(kKey, "Number", 7));
    ASSERT_TRUE(store.setString(kKey, "Text", "x"));
    ASSERT_TRUE(store.setMultiString(kKey, "Multi", QByteArray("x\0", 2)));

    EXPECT_FALSE(store.string(kKey, "Number"));
    EXPECT_FALSE(store.multiString(kKey, "Text"));  // REG_SZ where a program text is expected
    EXPECT_FALSE(store.string(kKey, "Multi"));
    EXPECT_FALSE(store.dword(kKey, "Multi"));
    EXPECT_FALSE(store.dword(kKey, "Missing"));
    EXPECT_FALSE(store.dword(tk70::kProgramKey, "Number"));
    EXPECT_EQ(store.value(kKey, "Multi")->type, RegType::MultiSz);
    EXPECT_FALSE(store.setValue(kKey, "Short", {RegType::Dword, QByteArray(3, '\0')}));
}

TEST_F(SettingsStoreTest, KeysAndNamesIgnoreCaseAndKeepTheirFirstSpelling)
{
    SettingsStore store;
    ASSERT_TRUE(store.setDword(kKey, "RxTimeout", 1));
    ASSERT_TRUE(store.setDword("software\\KESTRANE\\ciu driver", "RXTIMEOUT", 2));

    EXPECT_EQ(store.dword("SOFTWARE\\kestrane\\Ciu Driver", "rxtimeout"), 2u);
    const QByteArray text = readFile();
    EXPECT_TRUE(text.contains("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Kestrane\\Ciu Driver]\n\"RxTimeout\"=dword:00000002\n"));
    EXPECT_EQ(text.count("RxTimeout"), 1);
}

TEST_F(SettingsStoreTest, KeysAreCreatedWithTheirParents)
{
    SettingsStore store;
    EXPECT_FALSE(store.keyExists(tk70::kProgramKey));
    ASSERT_TRUE(store.createKey(tk70::kProgramKey));
    EXPECT_TRUE(store.keyExists(tk70::kProgramKey));
    EXPECT_TRUE(store.keyExists("software\\kestrane"));
    EXPECT_TRUE(store.keyExists("SOFTWARE"));
    EXPECT_FALSE(store.keyExists("SOFTWARE\\Kest"));
    EXPECT_FALSE(store.keyExists(kKey));
    for (const char *bad : {"", "A\\\\B", "A\\", "\\A", "A\nB"}) {
        EXPECT_FALSE(store.createKey(bad)) << bad;
        EXPECT_FALSE(store.errorText().isEmpty());
    }
}

TEST_F(SettingsStoreTest, RemovingAValueKeepsTheOthers)
{
    SettingsStore store;
    ASSERT_TRUE(store.setDword(kKey, "A", 1));
    ASSERT_TRUE(store.setDword(kKey, "B", 2));
    ASSERT_TRUE(store.removeValue(kKey, "a"));
    EXPECT_FALSE(store.value(kKey, "A"));
    EXPECT_EQ(store.dword(kKey, "B"), 2u);
    EXPECT_TRUE(store.removeValue(kKey, "A"));  // already gone: nothing to do
    EXPECT_TRUE(store.errorText().isEmpty());
}

TEST_F(SettingsStoreTest, MissingFileIsAnEmptyStoreUntilTheFirstWriteCreatesItsFolders)
{
    const QString path = dir() + "/new/deeper/registry";
    SettingsStore store(path);
    EXPECT_FALSE(store.value(kKey, "A"));
    EXPECT_FALSE(store.keyExists("SOFTWARE"));
    EXPECT_TRUE(store.errorText().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(dir() + "/new"));

    ASSERT_TRUE(store.setDword(kKey, "A", 1)) << store.errorText().toStdString();
    EXPECT_EQ(SettingsStore(path).dword(kKey, "A"), 1u);
    const auto groupOrOther =
        QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    for (const QString &folder : {dir() + "/new", dir() + "/new/deeper"})
        EXPECT_FALSE(QFileInfo(folder).permissions() & groupOrOther) << folder.toStdString();
}

TEST_F(SettingsStoreTest, AbsurdSizesAreRefused)
{
    SettingsStore store;
    EXPECT_FALSE(store.setString(kKey, QString(20000, 'n'), "x"));
    EXPECT_FALSE(store.setMultiString(kKey, "Big", QByteArray(1024 * 1024 + 1, 'x')));
    EXPECT_TRUE(store.errorText().contains("larger than"));
    EXPECT_FALSE(QFileInfo::exists(file()));

    writeFile(QByteArray(5 * 1024 * 1024, ';'));
    EXPECT_FALSE(store.setDword(kKey, "A", 1));
    EXPECT_TRUE(store.errorText().contains("larger than"));
    EXPECT_EQ(QFileInfo(file()).size(), 5 * 1024 * 1024);
}

TEST_F(SettingsStoreTest, WritesKeepWhatAnotherWriterSavedMeanwhile)
{
    SettingsStore first;
    SettingsStore second;
    ASSERT_TRUE(first.setDword(kKey, "First", 1));
    EXPECT_FALSE(second.dword(kKey, "Second"));  // second has now read the file once
    ASSERT_TRUE(second.setDword(kKey, "Second", 2));
    ASSERT_TRUE(first.setDword(kKey, "Third", 3));
    EXPECT_EQ(second.dword(kKey, "Third"), 3u);
    EXPECT_EQ(first.dword(kKey, "Second"), 2u);

    // An edit in place of the same size, as fast as it can follow the last read.
    QByteArray edited = readFile();
    edited.replace("dword:00000003", "dword:00000009");
    writeFile(edited);
    EXPECT_EQ(first.dword(kKey, "Third"), 9u);
}

TEST_F(SettingsStoreTest, WritersInSeveralThreadsLoseNothing)
{
    constexpr int kWriters = 4;
    constexpr int kValuesEach = 25;
    std::vector<std::thread> writers;
    for (int w = 0; w < kWriters; ++w) {
        writers.emplace_back([w] {
            SettingsStore store;
            for (int i = 0; i < kValuesEach; ++i)
                EXPECT_TRUE(store.setDword(kKey, QString("W%1-%2").arg(w).arg(i), quint32(i)));
        });
    }
    for (std::thread &t : writers)
        t.join();
    SettingsStore store;
    for (int w = 0; w < kWriters; ++w) {
        for (int i = 0; i < kValuesEach; ++i)
            EXPECT_EQ(store.dword(kKey, QString("W%1-%2").arg(w).arg(i)), quint32(i));
    }
}

TEST_F(SettingsStoreTest, LocationFollowsTheEnvironment)
{
    EXPECT_EQ(SettingsStore::defaultPath(), file());
    EXPECT_EQ(SettingsStore().path(), file());
    EXPECT_EQ(SettingsStore("/elsewhere/reg").path(), "/elsewhere/reg");

    qunsetenv("TK70_REGISTRY");
    qputenv("XDG_CONFIG_HOME", "/xdg/config");
    qputenv("HOME", "/home/engineer");
    EXPECT_EQ(SettingsStore::defaultPath(), "/xdg/config/tk70pro/registry");
    qputenv("XDG_CONFIG_HOME", "relative/config");  // not absolute: ignored
    EXPECT_EQ(SettingsStore::defaultPath(), "/home/engineer/.config/tk70pro/registry");
    qunsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(SettingsStore::defaultPath(), "/home/engineer/.config/tk70pro/registry");
}

TEST_F(SettingsStoreTest, AFolderWhereTheFileShouldBeIsAnError)
{
    ASSERT_TRUE(QDir().mkdir(file()));
    SettingsStore store;
    EXPECT_FALSE(store.value(kKey, "A"));
    EXPECT_TRUE(store.errorText().contains("not a regular file"));
    EXPECT_FALSE(store.setDword(kKey, "A", 1));
    EXPECT_TRUE(QFileInfo(file()).isDir());
}

TEST_F(SettingsStoreTest, ABatchReplacesTheFileOnceOrNotAtAll)
{
    SettingsStore store;
    ASSERT_TRUE(store.setDword(kKey, "Gone", 1));
    FileReplacements replacements(file());
    const auto fill = [](SettingsBatch &batch) {
        batch.createKey(tk70::kProgramKey);
        for (int i = 0; i < 33; ++i)
            batch.setDword(kKey, QString("V%1").arg(i), quint32(i));
        batch.setString(kKey, "Text", "x");
        batch.removeValue(kKey, "Gone");
        EXPECT_EQ(batch.value(kKey, "V32")->data, QByteArray("\x20\0\0\0", 4));  // sees its own changes
        EXPECT_FALSE(batch.value(kKey, "Gone"));
    };
    ASSERT_TRUE(store.apply(fill)) << store.errorText().toStdString();
    EXPECT_EQ(replacements.take(), 1);
    SettingsStore reader;
    EXPECT_EQ(reader.dword(kKey, "V32"), 32u);
    EXPECT_EQ(reader.string(kKey, "Text"), QString("x"));
    EXPECT_FALSE(reader.value(kKey, "Gone"));
    EXPECT_TRUE(reader.keyExists(tk70::kProgramKey));

    ASSERT_TRUE(store.apply(fill));  // nothing changes: the file stays
    EXPECT_EQ(replacements.take(), 0);

    // One change that cannot be kept refuses the others, before and after it.
    const QByteArray before = readFile();
    EXPECT_FALSE(store.apply([](SettingsBatch &batch) {
        batch.setDword(kKey, "New", 1);
        batch.setMultiString(kKey, "Big", QByteArray(1024 * 1024 + 1, 'x'));
        batch.setDword(kKey, "After", 2);
    }));
    EXPECT_TRUE(store.errorText().startsWith(file() + ": the value \"Big\" cannot be saved: "))
        << store.errorText().toStdString();
    EXPECT_EQ(replacements.take(), 0);
    EXPECT_EQ(readFile(), before);
}

namespace {

// A store that cannot be read or written, and what its error text says after the file's
// path ("%1" stands for the store's folder).
struct StoreFault {
    const char *name;
    enum Kind { BadLine, NoReadPermission, ReadOnlyFile, ReadOnlyFolder, FolderIsAFile } kind;
    bool readable;
    const char *reason;
};

class StoreFaultTest : public RegistryTest, public ::testing::WithParamInterface<StoreFault> {
protected:
    ~StoreFaultTest() override
    {
        QFile::setPermissions(folder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile::setPermissions(folder() + "/registry", QFile::ReadOwner | QFile::WriteOwner);
    }
    QString folder() const { return dir() + "/store"; }

    // Makes the fault; returns the store's path, or nothing when permission bits do not
    // stop this user (root), so the fault cannot be made.
    std::optional<QString> inject(StoreFault::Kind kind) const
    {
        const QString path = folder() + "/registry";
        EXPECT_TRUE(QDir().mkdir(folder()));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("[HKEY_LOCAL_MACHINE\\") + kKey + "]\n\"A\"=dword:1\n" +
                (kind == StoreFault::BadLine ? "garbage\n" : ""));
        f.close();
        switch (kind) {
        case StoreFault::BadLine: return path;
        case StoreFault::NoReadPermission: return bitsBind(path, QFile::WriteOwner, R_OK);
        case StoreFault::ReadOnlyFile: return bitsBind(path, QFile::ReadOwner, W_OK);
        case StoreFault::ReadOnlyFolder:
            return bitsBind(folder(), QFile::ReadOwner | QFile::ExeOwner, W_OK) ? std::optional(path) : std::nullopt;
        case StoreFault::FolderIsAFile: return folder() + "/registry/sub/registry";
        }
        return std::nullopt;
    }
    static std::optional<QString> bitsBind(const QString &path, QFile::Permissions permissions, int mode)
    {
        EXPECT_TRUE(QFile::setPermissions(path, permissions));
        return ::access(QFile::encodeName(path).constData(), mode) != 0 ? std::optional(path) : std::nullopt;
    }
};

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(none)");
}

}  // namespace

TEST_P(StoreFaultTest, SaysWhichFileAndWhyAndLeavesItAsItIs)
{
    const std::optional<QString> path = inject(GetParam().kind);
    if (!path)
        GTEST_SKIP() << "permission bits do not stop this user (root); FolderIsAFile makes a store unwritable here";
    SettingsStore store(*path);
    const QString expected = *path + ": " + QString::fromUtf8(GetParam().reason).replace("%1", folder());
    const QByteArray before = bytesOf(folder() + "/registry");

    EXPECT_EQ(store.isReadable(), GetParam().readable) << store.errorText().toStdString();
    EXPECT_EQ(store.dword(kKey, "A").has_value(), GetParam().readable && GetParam().kind != StoreFault::FolderIsAFile);
    EXPECT_FALSE(store.canWrite());
    EXPECT_EQ(store.errorText(), expected);

    FileReplacements replacements(*path);
    EXPECT_FALSE(store.apply([](SettingsBatch &batch) {
        batch.setDword(kKey, "A", 2);
        batch.setDword(kKey, "B", 3);
    }));
    EXPECT_EQ(store.errorText(), expected);
    EXPECT_FALSE(store.setDword(kKey, "A", 2));
    EXPECT_EQ(store.errorText(), expected);
    EXPECT_EQ(bytesOf(folder() + "/registry"), before);
    EXPECT_EQ(replacements.take(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    EachFault, StoreFaultTest,
    ::testing::Values(
        StoreFault{"BadLine", StoreFault::BadLine, false, "line 3: not a key line, a value line or a comment"},
        StoreFault{"NoReadPermission", StoreFault::NoReadPermission, false, "Permission denied"},
        StoreFault{"ReadOnlyFile", StoreFault::ReadOnlyFile, true, "Permission denied"},
        StoreFault{"ReadOnlyFolder", StoreFault::ReadOnlyFolder, true, "the folder %1: Permission denied"},
        StoreFault{"FolderIsAFile", StoreFault::FolderIsAFile, true,
                   "%1/registry is in the way of the settings folder: it is not a folder"}),
    [](const auto &info) { return std::string(info.param.name); });
