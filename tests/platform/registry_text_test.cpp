// The settings file as text: what is written, what a person may write by hand, every
// kind of line that makes the file unreadable (and then untouchable), and that any bytes
// survive the trip through the text.
#include "tests/platform/registry_fixture.h"

#include "platform/registry/reg_literal.h"
#include "platform/registry/reg_text_format.h"

using tk70::SettingsStore;

using RegistryTextTest = RegistryTest;

TEST_F(RegistryTextTest, WrittenFileIsOneSectionPerKeyAndOneLinePerValue)
{
    SettingsStore store;
    ASSERT_TRUE(store.setDword(kKey, "RxTimeout", 5000));
    ASSERT_TRUE(store.setMultiString(kKey, "LogFileName", QByteArray("TK70Pro.LOG\0", 12)));
    ASSERT_TRUE(store.setString(tk70::kProgramKey, "Say \"hi\"", "a\\b\tc"));
    ASSERT_TRUE(store.createKey("SOFTWARE\\Empty"));
    const QByteArray text = readFile();
    const QByteArray body = text.mid(text.indexOf("\n\n") + 1);
    EXPECT_EQ(body, "\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Kestrane\\Ciu Driver]\n"
                    "\"RxTimeout\"=dword:00001388\n"
                    "\"LogFileName\"=multi_sz:\"TK70Pro.LOG\\0\"\n"
                    "\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Kestrane\\TK70 Pro]\n"
                    "\"Say \\\"hi\\\"\"=sz:\"a\\\\b\\tc\\0\"\n"
                    "\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Empty]\n");
    EXPECT_TRUE(text.startsWith(';'));
}

TEST_F(RegistryTextTest, HandWrittenFilesAreRead)
{
    writeFile("\xef\xbb\xbf; written by hand\r\n"
              "# another comment\r\n"
              "\r\n"
              "  [hkey_local_machine\\software\\kestrane\\ciu driver]  \r\n"
              "\"RxTimeout\" = DWORD: 1388\r\n"
              "\"Port\"=sz:\"/dev/ttyUSB0\"\r\n"
              "\"Name\"=Multi_Sz:\"TK70Pro.LOG\\x00\"\r\n");
    SettingsStore store;
    EXPECT_EQ(store.dword(kKey, "RxTimeout"), 5000u) << store.errorText().toStdString();
    EXPECT_EQ(store.string(kKey, "Port"), QString("/dev/ttyUSB0"));
    EXPECT_EQ(store.value(kKey, "Port")->data, "/dev/ttyUSB0");
    EXPECT_EQ(store.multiString(kKey, "Name"), QByteArray("TK70Pro.LOG\0", 12));
    EXPECT_TRUE(store.errorText().isEmpty());
}

struct BadLine {
    const char *line;
    const char *reason;
};

class RegistryBadLineTest : public RegistryTest, public ::testing::WithParamInterface<BadLine> {};

TEST_P(RegistryBadLineTest, MakesTheFileUnreadableAndUntouchable)
{
    const QByteArray text = QByteArray("; good so far\n[HKEY_LOCAL_MACHINE\\") + kKey + "]\n\"A\"=dword:1\n" +
                            GetParam().line + "\n\"B\"=dword:2\n";
    writeFile(text);
    SettingsStore store;
    EXPECT_FALSE(store.dword(kKey, "A"));
    const QString error = file() + ": line 4: ";
    EXPECT_TRUE(store.errorText().startsWith(error)) << store.errorText().toStdString();
    EXPECT_TRUE(store.errorText().contains(GetParam().reason)) << store.errorText().toStdString();

    // A refused write says why: the same file, line and reason.
    EXPECT_FALSE(store.setDword(kKey, "C", 3));
    EXPECT_FALSE(store.createKey("SOFTWARE\\Other"));
    EXPECT_FALSE(store.removeValue(kKey, "A"));
    EXPECT_TRUE(store.errorText().startsWith(error)) << store.errorText().toStdString();
    EXPECT_EQ(readFile(), text);
}

INSTANTIATE_TEST_SUITE_P(
    EveryKind, RegistryBadLineTest,
    ::testing::Values(BadLine{"garbage", "not a key line"},
                      BadLine{"[HKEY_LOCAL_MACHINE\\SOFTWARE", "must end with ']'"},
                      BadLine{"[HKEY_CURRENT_USER\\SOFTWARE]", "only keys under HKEY_LOCAL_MACHINE"},
                      BadLine{"[HKEY_LOCAL_MACHINE\\A\\\\B]", "empty part"},
                      BadLine{"[HKEY_LOCAL_MACHINE\\\xff]", "not valid UTF-8"},
                      BadLine{"\"\xc3\"=dword:1", "not valid UTF-8"}, BadLine{"\"A=dword:1", "closing quote"},
                      BadLine{"\"C\" dword:1", "'=' is expected"}, BadLine{"\"C\"=qword:1", "unknown value type"},
                      BadLine{"\"C\"=dword1", "unknown value type"}, BadLine{"\"C\"=dword:123456789", "1 to 8 hex"},
                      BadLine{"\"C\"=dword:", "1 to 8 hex"}, BadLine{"\"C\"=sz:\"x\\q\"", "unknown escape"},
                      BadLine{"\"C\"=sz:\"x\\x4\"", "unknown escape"},
                      BadLine{"\"C\"=sz:\"x\" junk", "unexpected text"}, BadLine{"\"C\"=sz:x", "quoted text"},
                      BadLine{"\"a\"=dword:3", "appears twice"}, BadLine{"\"C\\n\"=dword:3", "control character"}));

TEST_F(RegistryTextTest, AValueBeforeAnyKeyIsAnError)
{
    writeFile("\"A\"=dword:1\n");
    SettingsStore store;
    EXPECT_FALSE(store.value("A", "A"));
    EXPECT_TRUE(store.errorText().contains("line 1: a value line before the first key line"));
}

TEST_F(RegistryTextTest, EveryByteSurvivesAsPrintableText)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all += char(b);
    all += "é温度\xf0\x9f\x98\x80\xed\xa0\x80\xc0\xaf";  // good UTF-8, then a surrogate and an overlong form
    const QByteArray literal = tk70::reg::quote(all);
    EXPECT_TRUE(tk70::reg::isValidUtf8(literal));
    for (char c : literal)
        EXPECT_TRUE(quint8(c) >= 0x20 && c != 0x7f) << int(quint8(c));
    qsizetype pos = 0;
    QByteArray back;
    EXPECT_TRUE(tk70::reg::unquote(literal, pos, back).isEmpty());
    EXPECT_EQ(back, all);
    EXPECT_EQ(pos, literal.size());
}

// A name may begin with a byte order mark; it is kept, so the name reads back as written
// (a decoder that drops a leading mark turned such a key into an empty, unreadable one).
TEST_F(RegistryTextTest, NamesBeginningWithAByteOrderMarkReadBackAsWritten)
{
    const QByteArray text = "[HKEY_LOCAL_MACHINE\\\xEF\xBB\xBF\xEF\xBB\xBF]\n\"\xEF\xBB\xBFN\"=dword:00000001\n";
    const tk70::reg::ParseResult parsed = tk70::reg::parseText(text);
    ASSERT_TRUE(parsed.ok()) << parsed.error.toStdString();
    const QByteArray written = tk70::reg::formatText(parsed.document);
    const tk70::reg::ParseResult again = tk70::reg::parseText(written);
    ASSERT_TRUE(again.ok()) << again.error.toStdString();
    EXPECT_EQ(tk70::reg::formatText(again.document), written);
    EXPECT_EQ(parsed.document.keys().front().name(), QString(2, QChar(0xFEFF)));
}
