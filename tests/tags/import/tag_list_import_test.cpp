// Tests of the delimited tag list import over files built in the tests: each field rule
// with its message and the format help after it, the point type words, quotes, blank
// lines, the 30-tag limit and its warning, and how the messages are shown.
#include "tags/import/tag_list_import.h"
#include "tags/tag_doc.h"
#include "tests/support/message_recorder.h"
#include "tests/tags/import/import_test_support.h"

#include <gtest/gtest.h>

namespace {

const QString kHelp = QStringLiteral(
    "TK70 Pro has detected an Invalid File Format.\nThe File can only contain printable ASCII charaters\n"
    "with the fields separated by a comma.\n\nThe required import file format is as follows:\n\n"
    "Tagname,Loop,PCU,Module,Block,PointType,TagDescription\n\nFor Example:\n\n"
    "AEPT100A,0,12,2,3423,AE,Ambient Pressure\n\nRefer to User's Guide or On Line Help for additional information.");
const QString kLimit = QStringLiteral("Tag Count Exceeds This Version's Tag Capability.\nCould Not Import All Tags.");

QString fieldError(const char *first, int tag, const char *name)
{
    return QStringLiteral("%1.\nImport Terminated.\nTag Number %2\nTagname=%3")
        .arg(QLatin1String(first), QString::number(tag), QLatin1String(name));
}

QString blankName(int tag) { return QStringLiteral("Blank Tagname.\nImport Terminated.\nTag Number %1").arg(tag); }

QByteArray lines(int count)
{
    QByteArray text;
    for (int i = 1; i <= count; ++i)
        text += "TAG" + QByteArray::number(i) + "," + QByteArray::number(i) + ",1,2,3,AE,Tag\r\n";
    return text;
}

bool import(const QByteArray &text, tk70::CTagDoc &doc)
{
    return tk70test::importBytes(&tk70::importDelimitedTagList, text, doc);
}

struct Case {
    const char *what;
    QByteArray text;
    int tags;  // -1: refused
    QStringList messages;
};

}  // namespace

TEST(TagListImport, FieldRulesAndTheirMessages)
{
    const QByteArray fifty(50, 'd');
    const char *const loop = "Loop Address Contains a Non Numeric Character";
    const char *const block = "Block Address Contains a Non Numeric Character";
    const char *const desc = "Tag Description Field Exceeds Allowable Number of Characters";
    const Case cases[] = {
        {"the example line", "AEPT100A,0,12,2,3423,AE,Ambient Pressure\n", 1, {}},
        {"15-character tagname",
         "ABCDEFGHIJKLMNO,0,1,2,3,AE,x\n",
         -1,
         {fieldError("Tagname Exceeds Allowable Number of Characters", 1, "ABCDEFGHIJKLMNO"), kHelp}},
        {"14 characters and quotes", "\"ABCDEFGHIJKLMN\",0,1,2,3,AE,x\n", 1, {}},
        {"empty tagname", ",0,1,2,3,AE,x\n", -1, {blankName(1), kHelp}},
        {"tagname of 15 quotes is empty, not too long",
         QByteArray(15, '"') + ",0,1,2,3,AE,x\n",
         -1,
         {blankName(1), kHelp}},
        {"empty tagname before a bad loop", ",0x1,1,2,3,AE,x\n", -1, {blankName(1), kHelp}},
        {"empty tagname between sound lines", lines(2) + ",1,2,2,3,AE,x\n" + lines(2), -1, {blankName(3), kHelp}},
        {"loop 0x1 on the second line", lines(1) + "B,0x1,1,2,3,AE,x\n", -1, {fieldError(loop, 2, "B"), kHelp}},
        {"PCU with a blank",
         "B,1, 2,2,3,AE,x\n",
         -1,
         {fieldError("PCU Address Contains a Non Numeric Character", 1, "B"), kHelp}},
        {"module quoted",
         "B,1,2,\"2\",3,AE,x\n",
         -1,
         {fieldError("Module Address Contains a Non Numeric Character", 1, "B"), kHelp}},
        {"no comma after block", "B,1,2,2,3\n", -1, {fieldError(block, 1, "B"), kHelp}},
        {"tagname only", "B\n", -1, {fieldError(loop, 1, "B"), kHelp}},
        {"21-character point type",
         "B,1,2,2,3,ABCDEFGHIJKLMNOPQRSTU,x\n",
         -1,
         {fieldError("Point Type Field Exceeds Allowable Number of Characters", 1, "B"), kHelp}},
        {"description of 50", "B,1,2,2,3,AE," + fifty + "\n", 1, {}},
        {"description of 51", "B,1,2,2,3,AE," + fifty + "d\n", -1, {fieldError(desc, 1, "B"), kHelp}},
        {"binary byte on line 2",
         lines(1) + "B,1,2,2,3,AE,\x01\n",
         -1,
         {QStringLiteral("File Contains Binary Data.\nLine #2\nImport Terminated."), kHelp}},
        {"a Windows-1252 letter is binary",
         "B,1,2,2,3,AE,\xB0"
         "C\n",
         -1,
         {QStringLiteral("File Contains Binary Data.\nLine #1\nImport Terminated."), kHelp}},
        {"empty file", "", -1, {QStringLiteral("Inorrect File Format.\nImport Terminated."), kHelp}},
        {"only blank lines",
         "\n \t\r\n,,,,,,\n",
         -1,
         {QStringLiteral("Inorrect File Format.\nImport Terminated."), kHelp}},
        {"blank lines between tags", "\nA,1,2,2,3,,\r\n\r\n   \nB,1,2,2,3,AE,x", 2, {}},
        {"exactly 30 lines", lines(30), 30, {}},
        {"30 lines and blank ones", lines(30) + "\n\n", 30, {}},
        {"31 lines", lines(31), 30, {kLimit}},
        {"30 lines and a faulty 31st", lines(30) + "\x01", 30, {kLimit}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        tk70test::MessageRecorder recorder;
        tk70::CTagDoc doc;
        tk70test::holdOneTag(doc);
        const tk70::TagSelection before = doc.selection();

        EXPECT_EQ(import(c.text, doc), c.tags >= 0);
        EXPECT_EQ(recorder.texts(), c.messages);
        if (c.tags < 0) {
            EXPECT_TRUE(doc.selection() == before);
        } else {
            EXPECT_EQ(doc.tagCount(), c.tags);
        }
    }
}

TEST(TagListImport, FieldValues)
{
    const QByteArray text = "AEPT100A,0,12,2,3423,AE,Ambient Pressure\r\n"
                            "\"FT\"101,256,007,,99999999999,pv,\"Flow\" in, ignored\n"
                            "S1,1,2,3,4,STATUS\n"
                            "S2,1,2,3,4,Analog,x\n"
                            "S3,1,2,3,4,m/a station co,x\n"
                            "S4,1,2,3,4,\"AE\"\n"
                            "S5,1,2,3,4,AE,desc," +
                            QByteArray(385, '-') + "\n";
    tk70test::MessageRecorder recorder;
    tk70::CTagDoc doc;
    ASSERT_TRUE(import(text.left(text.indexOf("S5")), doc)) << recorder.texts().join(u'|').toStdString();

    tk70::TagRecord first;
    first.tagname = QStringLiteral("AEPT100A");
    first.description = QStringLiteral("Ambient Pressure");
    first.pcu = 12;
    first.module = 2;
    first.block = 3423;
    first.pointType = 1;
    EXPECT_EQ(doc.tag(0), first);

    const tk70::TagRecord second = doc.tag(1);
    EXPECT_EQ(second.tagname, QStringLiteral("FT101"));
    EXPECT_EQ(second.description, QStringLiteral("Flow in"));
    EXPECT_EQ(second.loop, 256);  // no range test
    EXPECT_EQ(second.pcu, 7);
    EXPECT_EQ(second.module, 0);
    EXPECT_EQ(second.block, 2147483647);
    EXPECT_EQ(second.pointType, 5);

    const int pointTypes[] = {9, 0, 6, 1};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(doc.tag(2 + i).pointType, pointTypes[i]) << i;

    // The rest of a line past 398 characters is read as the next line, which breaks the rules.
    EXPECT_FALSE(import(text, doc));
    ASSERT_FALSE(recorder.texts().isEmpty());
    EXPECT_TRUE(recorder.texts().first().startsWith(QStringLiteral("Loop Address Contains")))
        << recorder.texts().first().toStdString();
    EXPECT_TRUE(recorder.texts().first().endsWith(QStringLiteral("Tag Number 8\nTagname=------")));
}

TEST(TagListImport, EveryRefusalIsAStopUnderTheProgramTitle)
{
    const QByteArray refused[] = {",0,1,2,3,AE,x\n", "ABCDEFGHIJKLMNO,0,1,2,3,AE,x\n", "B,x,1,2,3,AE,x\n", "\x01\n"};
    for (const QByteArray &text : refused) {
        SCOPED_TRACE(text.toStdString());
        tk70test::MessageRecorder recorder;
        tk70::CTagDoc doc;
        EXPECT_FALSE(import(text, doc));
        ASSERT_EQ(recorder.messages().size(), 2u);
        const tk70::Message &fault = recorder.messages().front();
        EXPECT_EQ(fault.icon, tk70::MessageIcon::Stop);
        EXPECT_EQ(fault.title, QStringLiteral("TK70 Pro"));
        EXPECT_EQ(fault.buttons, tk70::MessageButtons::Ok);
        EXPECT_EQ(recorder.messages().back().icon, tk70::MessageIcon::Information);  // the format help
    }
}
