// Settings store: values keep their type and bytes, keys and names ignore letter case,
// limits, several writers sharing one file, and where the file lives.
#include "registry_fixture.h"

#include <QDir>
#include <QFileInfo>
#include <thread>
#include <vector>

using tk70::RegType;
using tk70::RegValue;
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
    const auto groupOrOther = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther |
                              QFile::WriteOther | QFile::ExeOther;
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
