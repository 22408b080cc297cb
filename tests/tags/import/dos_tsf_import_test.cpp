// Tests of the TK70 (DOS) tag selection file import over files built byte by byte: the
// file mark, the address word, trend-flagged records on graph 1, the 30-tag limit, a
// record without a tagname and the messages of each case.
#include "tags/import/dos_tsf_import.h"
#include "tags/tag_doc.h"
#include "tests/support/message_recorder.h"
#include "tests/tags/import/import_test_support.h"

#include <QtEndian>
#include <bit>
#include <gtest/gtest.h>

namespace {

QByteArray le16(quint16 value)
{
    QByteArray bytes(2, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

QByteArray le64(double value)
{
    QByteArray bytes(8, '\0');
    qToLittleEndian(std::bit_cast<quint64>(value), bytes.data());
    return bytes;
}

// One 34-byte record; the name is padded with zero bytes to 10.
QByteArray record(quint16 address, const QByteArray &name, qint16 trend = 0, double zero = 0.0, double span = 100.0)
{
    return le16(address) + le16(2) + le16(3423) + le16(quint16(trend)) + le64(zero) + le64(span) +
           name.leftJustified(10, '\0', true);
}

// A file with the given mark and count and `records` plain records named T1, T2, ...
QByteArray file(quint16 mark, qint16 count, int records, qint16 trend = 0)
{
    QByteArray bytes = le16(mark) + le16(quint16(count));
    for (int i = 1; i <= records; ++i)
        bytes += record(0x0001, "T" + QByteArray::number(i), trend);
    return bytes;
}

bool import(const QByteArray &bytes, tk70::CTagDoc &doc)
{
    return tk70test::importBytes(&tk70::importDosTsf, bytes, doc);
}

const QString kLimit = QStringLiteral("Tag Count Exceeds This Version's Tag Capability.\nCould Not Import All Tags.");
const QString kShort = QStringLiteral("Error Reading File.\nCould Not Import All Tags.");
const QString kMark = QStringLiteral("Incorrect Tag Selection File format.\nCould Not Import Tag Selection File.");

QString blankName(int record)
{
    return QStringLiteral("Blank Tagname in Record %1.\nCould Not Import All Tags.").arg(record);
}

// A file of count records: plain ones named T1, T2, ... with a nameless one (its name
// field a zero byte, then junk) at the 1-based position nameless; all with flag trend.
QByteArray fileWithNameless(qint16 count, int nameless, qint16 trend = 0)
{
    QByteArray bytes = le16(0x3021) + le16(quint16(count));
    for (int i = 1; i <= count; ++i)
        bytes += record(0x0001, i == nameless ? QByteArray("\0T9", 3) : "T" + QByteArray::number(i), trend);
    return bytes;
}

struct Case {
    const char *what;
    QByteArray bytes;
    bool accepted;
    int tags;
    int traces;
    QStringList messages;
};

}  // namespace

TEST(DosTsfImport, CountsLimitsAndMessages)
{
    const QString leftOff =
        QStringLiteral("Trend Graph #1 Holds at Most 12 Traces.\n2 Trended Tag(s) Not Added to Trend Graph #1.");
    const Case cases[] = {
        {"plain mark", file(0x3021, 2, 2), true, 2, 0, {}},
        {"mark with its top bit set", file(0xB021, 2, 2), true, 2, 0, {}},
        {"wrong mark", file(0x3022, 2, 2), false, 0, 0, {kMark}},
        {"no count", le16(0x3021), false, 0, 0, {kMark}},
        {"count 40, 40 records", file(0x3021, 40, 40), true, 30, 0, {kLimit}},
        {"count 40, only 30 records", file(0x3021, 40, 30), true, 30, 0, {}},
        {"count 3, 2 records and a piece", file(0x3021, 3, 2) + "abc", true, 2, 0, {kShort}},
        {"negative count", file(0x3021, -1, 2), true, 0, 0, {}},
        {"14 trend-flagged records", file(0x3021, 14, 14, 1), true, 14, 12, {leftOff}},
        {"flag 2 is no trend", file(0x3021, 3, 3, 2), true, 3, 0, {}},
        {"nameless first record", fileWithNameless(3, 1), true, 0, 0, {blankName(1)}},
        {"nameless third of five trended records", fileWithNameless(5, 3, 1), true, 2, 2, {blankName(3)}},
        {"nameless last record", fileWithNameless(30, 30), true, 29, 0, {blankName(30)}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        tk70test::MessageRecorder recorder;
        tk70::CTagDoc doc;
        tk70test::holdOneTag(doc);
        const tk70::TagSelection before = doc.selection();

        EXPECT_EQ(import(c.bytes, doc), c.accepted);
        EXPECT_EQ(recorder.texts(), c.messages);
        if (!c.accepted) {
            EXPECT_TRUE(doc.selection() == before);
            continue;
        }
        EXPECT_EQ(doc.tagCount(), c.tags);
        EXPECT_EQ(doc.graph(0).traceCount, c.traces);
        if (c.tags < doc.tagCapacity()) {
            EXPECT_TRUE(doc.tag(c.tags).isFree());  // KEEP is gone with the old document
        }
    }
}

TEST(DosTsfImport, RecordFieldsAndTrace)
{
    QByteArray bytes = le16(0x3021) + le16(3);
    bytes += record(0x010C, "FT101", 0);
    bytes += record(0xFFFF, "LONGNAME10XYZ", 1, -5.5, 250.25);  // the name is cut to 10 bytes
    bytes += record(0x0203, QByteArray("AE\0junk", 7), 1, 1.0, 2.0);
    tk70test::MessageRecorder recorder;
    tk70::CTagDoc doc;
    ASSERT_TRUE(import(bytes, doc));

    const tk70::TagRecord first = doc.tag(0);
    EXPECT_EQ(first.tagname, QStringLiteral("FT101"));
    EXPECT_EQ(first.description, QStringLiteral("FT101"));
    EXPECT_EQ(first.loop, 1);
    EXPECT_EQ(first.pcu, 12);
    EXPECT_EQ(first.module, 2);
    EXPECT_EQ(first.block, 3423);
    EXPECT_EQ(first.pointType, 0);
    EXPECT_EQ(first.groups, (std::array<qint32, 4>{1, 0, 0, 0}));
    EXPECT_EQ(doc.tag(1).tagname, QStringLiteral("LONGNAME10"));
    EXPECT_EQ(doc.tag(1).loop, 0);  // -1 / 256 and -1 % 256, truncating toward zero
    EXPECT_EQ(doc.tag(1).pcu, -1);
    EXPECT_EQ(doc.tag(2).tagname, QStringLiteral("AE"));

    const tk70::TrendGraph &graph = doc.graph(0);
    ASSERT_EQ(graph.traceCount, 2);
    EXPECT_EQ(graph.traces[0],
              (tk70::TrendTrace{QStringLiteral("LONGNAME10"), -5.5, 250.25, QStringLiteral("LONGNAME10")}));
    EXPECT_EQ(graph.traces[1].tagname, QStringLiteral("AE"));
    EXPECT_EQ(graph.title, QStringLiteral("TK70 Pro Trend Graph #1"));
    EXPECT_TRUE(recorder.texts().isEmpty());
}

TEST(DosTsfImport, RecordFaultsWarnAndFileFaultsStop)
{
    struct Shown {
        QByteArray bytes;
        tk70::MessageIcon icon;
    };
    const Shown shown[] = {
        {fileWithNameless(2, 2), tk70::MessageIcon::Warning},
        {file(0x3021, 3, 2) + "abc", tk70::MessageIcon::Warning},
        {file(0x3022, 2, 2), tk70::MessageIcon::Stop},
    };
    for (const Shown &s : shown) {
        SCOPED_TRACE(s.bytes.toHex().toStdString());
        tk70test::MessageRecorder recorder;
        tk70::CTagDoc doc;
        import(s.bytes, doc);
        ASSERT_EQ(recorder.messages().size(), 1u);
        EXPECT_EQ(recorder.messages().front().icon, s.icon);
        EXPECT_EQ(recorder.messages().front().title, QStringLiteral("TK70 Pro"));
    }
}
