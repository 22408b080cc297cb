// Opening historical data files: both layouts' columns from files the collection wrote,
// each refusal with its message, the line length limit, the capacity warning, and the
// tag list the columns give.
#include "tags/tag_doc.h"
#include "tests/support/message_recorder.h"
#include "tests/trend/history/history_fixture.h"

#include <QFile>
#include <gtest/gtest.h>

using tk70::HistoricalFile;
using tk70::HistoryColumn;
using tk70::HistoryFileKind;

namespace {

QByteArray asciiHeader(const QByteArray &names)
{
    return "                       TK70 Pro DATA COLLECTION PROGRAM\r\n\r\nStarting Date 12/06/96 - TSF Name : x - "
           "Collection # 1 \r\n\r\n" +
           names + "\r\n DATE      TIME    \r\n--------  -------- \r\n";
}

}  // namespace

TEST(HistoryHeader, ReadsTheColumnsOfBothLayouts)
{
    struct Case {
        HistoryFileKind kind;
        qint32 loop;  // the DOS layout has no loop
    };
    for (const Case &c : {Case{HistoryFileKind::Ascii, 1}, Case{HistoryFileKind::Dos, 0}}) {
        tk70test::HistoryFiles files;
        tk70test::MessageRecorder messages;
        const QString path = files.written(c.kind, 3, 10);
        const auto file = HistoricalFile::open(path, c.kind);
        ASSERT_TRUE(file);
        EXPECT_TRUE(messages.texts().isEmpty());
        const std::vector<HistoryColumn> expected{
            {"T1", c.loop, 2, 3, 100}, {"T2", c.loop, 3, 4, 101}, {"T3", c.loop, 4, 5, 102}};
        EXPECT_EQ(file->columns(), expected);
        // The start of data is the first sample line.
        QFile bytes(path);
        ASSERT_TRUE(bytes.open(QIODevice::ReadOnly));
        bytes.seek(file->dataStart());
        EXPECT_TRUE(tk70::isHistoryDataLine(bytes.readLine(), c.kind));
        // The estimate divides the file length by the column line's length.
        const qint64 columnLine = c.kind == HistoryFileKind::Ascii ? 18 + 3 * 15 + 2 : 12 + 3 * 11 + 2;
        EXPECT_EQ(file->estimatedRecords(), bytes.size() / columnLine);

        tk70::CTagDoc doc;
        file->fillTagList(doc);
        ASSERT_EQ(doc.tagCount(), 3);
        EXPECT_EQ(doc.tag(2).tagname, "T3");
        EXPECT_EQ(doc.tag(2).description, "T3");
        EXPECT_EQ(doc.tag(2).addressText(), tk70::pointAddressText(c.loop, 4, 5, 102));
    }
}

TEST(HistoryHeader, RefusesFilesItCannotShow)
{
    const QByteArray whole = asciiHeader(QByteArray(33, ' '));
    const QByteArray invalid = "Historical Data File Format is Invalid.\nCan Not view this file.";
    struct Case {
        const char *name;
        HistoryFileKind kind;
        QByteArray bytes;  // empty: no such file; "CSV": a CSV file the collection wrote
        QString message;
    } cases[] = {
        {"missing ASCII", HistoryFileKind::Ascii, {}, "Error Opening TK70 Pro Historical Data File."},
        {"missing DOS", HistoryFileKind::Dos, {}, "Error Opening TK70 (DOS) Historical Data File."},
        {"CSV", HistoryFileKind::Ascii, "CSV",
         "Invalid TK70 Pro Historical Data File Format.\nCould Not Open Data File."},
        {"ASCII as DOS", HistoryFileKind::Dos, asciiHeader(QByteArray(33, ' ')),
         "Invalid TK70 (DOS) Historical Data File Format.\nCould Not Open Data File."},
        {"empty column line", HistoryFileKind::Ascii, asciiHeader(""), invalid},
        {"header ends early", HistoryFileKind::Ascii, whole.left(whole.indexOf(" DATE")), invalid},
        {"8191 characters", HistoryFileKind::Ascii, asciiHeader(QByteArray(8189, ' ')),
         "Historical Data File contains too many tags.\nCan Not view this file."},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        tk70test::HistoryFiles files;
        tk70test::MessageRecorder messages;
        const QString path = c.bytes.isEmpty()  ? QStringLiteral("/nonexistent/data.txt")
                             : c.bytes == "CSV" ? files.writtenAs(QStringLiteral("CSV"), 2, 2)
                                                : files.raw(c.bytes);
        EXPECT_FALSE(HistoricalFile::open(path, c.kind));
        ASSERT_EQ(messages.texts(), QStringList{c.message});
        EXPECT_EQ(messages.messages()[0].icon, tk70::MessageIcon::Stop);
    }
}

TEST(HistoryHeader, KeepsAsManyColumnsAsTheDocumentHolds)
{
    struct Case {
        const char *name;
        QString path;
        int columns;
    };
    tk70test::HistoryFiles files;
    // 8190 characters with the line end: the longest column line there is.
    const Case cases[] = {{"31 written tags", files.written(HistoryFileKind::Ascii, 31, 2), 30},
                          {"8190 characters", files.raw(asciiHeader(QByteArray(8188, ' '))), 30}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        tk70test::MessageRecorder messages;
        const auto file = HistoricalFile::open(c.path, HistoryFileKind::Ascii);
        ASSERT_TRUE(file);
        EXPECT_EQ(int(file->columns().size()), c.columns);
        ASSERT_EQ(messages.texts(),
                  QStringList{"Tag Count Exceeds This Version's Tag Capability.\nCould Not Read All Tags."});
        EXPECT_EQ(messages.messages()[0].icon, tk70::MessageIcon::Warning);
    }
}
