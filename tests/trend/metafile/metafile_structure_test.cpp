// The three kinds of metafile field by field: headers, records whose sizes add up to the
// file's, object tables kept balanced and counted right, and the small page's drawing
// found in the records with its coordinates, colours, styles, font and text bytes.
#include "tests/trend/metafile/metafile_test_page.h"
#include "tests/trend/metafile/metafile_test_reader.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace tk70 {
namespace {

using namespace tk70test;

constexpr int kDpi = 96;

void checkEnhancedHeader(const QByteArray &data, const MetafileWalk &records, const ObjectLives &lives)
{
    const int frameWidth = qRound(kSmallPage.width() * 2540.0 / kDpi);
    const int frameHeight = qRound(kSmallPage.height() * 2540.0 / kDpi);
    const struct {
        int offset;
        qint32 value;
    } fields[] = {
        {0, 1},
        {4, 108},
        {8, 0},
        {12, 0},
        {16, kSmallPage.width() - 1},
        {20, kSmallPage.height() - 1},
        {24, 0},
        {28, 0},
        {32, frameWidth},
        {36, frameHeight},
        {40, 0x464D4520},
        {44, 0x10000},
        {48, qint32(data.size())},
        {52, qint32(records.records.size())},
        {72, 10 * kDpi},
        {80, 254},
        {100, 254000},
    };
    for (const auto &field : fields)
        EXPECT_EQ(field32(data, field.offset), field.value) << "at " << field.offset;
    EXPECT_EQ(field16(data, 56), lives.tableSize);  // nHandles, slot 0 included
    EXPECT_EQ(records.records.back().type, 14u);
}

void checkWindowsHeader(const QByteArray &data, qsizetype start, const MetafileWalk &records, const ObjectLives &lives)
{
    if (start > 0) {
        EXPECT_EQ(quint32(field32(data, 0)), 0x9AC6CDD7u);
        const qint32 placeable[] = {0, 0, 0, kSmallPage.width(), kSmallPage.height(), kDpi};
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(field16(data, 4 + 2 * i), placeable[i]) << "placeable word " << i;
        quint16 checksum = 0;
        for (int i = 0; i < 10; ++i)
            checksum ^= quint16(field16(data, 2 * i));
        EXPECT_EQ(quint16(field16(data, 20)), checksum);
    }
    EXPECT_EQ(field16(data, start), 1);
    EXPECT_EQ(field16(data, start + 2), 9);
    EXPECT_EQ(field16(data, start + 4), 0x300);
    EXPECT_EQ(2 * field32(data, start + 6), data.size() - start);
    EXPECT_EQ(field16(data, start + 10), lives.tableSize);
    EXPECT_EQ(field32(data, start + 12), records.largestWmfRecord);
    EXPECT_EQ(records.records.back().type, 0u);
    EXPECT_TRUE(records.records.back().params.isEmpty());  // META_EOF: 3 words
}

TEST(MetafileStructureTest, HeadersRecordsAndObjectsAddUp)
{
    for (MetafileKind kind : {MetafileKind::Enhanced, MetafileKind::Placeable, MetafileKind::Standard}) {
        SCOPED_TRACE(int(kind));
        const bool enhanced = kind == MetafileKind::Enhanced;
        const QByteArray data = smallPage(kind);
        const qsizetype start = kind == MetafileKind::Placeable ? 22 : 0;
        const MetafileWalk records = walk(data, enhanced ? 0 : start + 18, enhanced);
        EXPECT_EQ(records.end, data.size());
        const ObjectLives lives = replayObjects(records.records, enhanced);
        EXPECT_TRUE(lives.valid);
        EXPECT_EQ(lives.aliveAtEnd, 0);
        EXPECT_GE(lives.tableSize, enhanced ? 4 : 3);  // pen, brush and font alive at once
        EXPECT_EQ(lives.lowestSaveDepth, 0);
        EXPECT_EQ(lives.saveDepthAtEnd, 0);
        if (enhanced)
            checkEnhancedHeader(data, records, lives);
        else
            checkWindowsHeader(data, start, records, lives);
    }
}

// A record of a type whose parameters, from `skip` on, start with `expected`, drawn with
// a clip rectangle (stored corners) when one is given.
struct Expected {
    const char *what;
    quint32 type;
    size_t skip;
    std::vector<qint32> expected;
    QRect clip = {};
};

bool found(const std::vector<MetafileRecord> &records, bool enhanced, const Expected &e)
{
    for (size_t i = 0; i < records.size(); ++i) {
        const std::vector<qint32> p = params(records[i], enhanced);
        if (records[i].type == e.type && p.size() >= e.skip + e.expected.size() &&
            std::equal(e.expected.begin(), e.expected.end(), p.begin() + qsizetype(e.skip)))
            return e.clip.isNull() || clipBefore(records, i, enhanced) == e.clip;
    }
    return false;
}

TEST(MetafileStructureTest, DrawingSurvivesInEveryKind)
{
    const QRect kPageCorners(QPoint(0, 0), QPoint(200, 100));
    const QRect kTextClipCorners(QPoint(0, 0), QPoint(100, 100));
    const std::vector<Expected> enhanced = {
        {"filled rectangle", 43, 0, {10, 10, 61, 31}},
        {"framed rectangle, translated, clip widened", 43, 0, {100, 10, 131, 31}, kPageCorners},
        {"blue brush", 39, 1, {0, 0xFF0000, 0}},
        {"dashed red pen", 38, 1, {1, 1, 0, 0x0000FF}},
        {"polyline", 4, 0, {10, 50, 110, 70, 3, 10, 50, 60, 70, 110, 50}},
        {"clip", 30, 0, {0, 0, 100, 100}},
        {"bold Arial 16 px", 82, 1, {-16, 0, 0, 0, 700, 0, 0, 0x720041, 0x610069, 0x6C}},
        {"text at its baseline, clipped",
         84,
         7,
         {20, 90, 7, 76, 0, 0, 0, 0, 0, 92, 0x690054, 0x6C0074, 0x200065, 0xE9},
         kTextClipCorners},
        {"green text", 24, 0, {0x008000}},
        {"ellipse as a polygon", 3, 0, {}},
    };
    const std::vector<Expected> windows = {
        {"filled rectangle", 0x41B, 0, {31, 61, 10, 10}},
        {"framed rectangle, translated, clip widened", 0x41B, 0, {31, 131, 10, 100}, kPageCorners},
        {"blue brush", 0x2FC, 0, {0, 0, 0xFF, 0}},
        {"dashed red pen", 0x2FA, 0, {1, 1, 0, 0xFF, 0}},
        {"polyline", 0x325, 0, {3, 10, 50, 60, 70, 110, 50}},
        {"clip", 0x416, 0, {100, 100, 0, 0}},
        {"bold Arial 16 px", 0x2FB, 0, {-16, 0, 0, 0, 700, 0, 0, 0, 0, 0x7241, 0x6169, 0x6C}},
        {"text at its baseline in Windows-1252, clipped",
         0xA32,
         0,
         {90, 20, 7, 0, 0x6954, 0x6C74, 0x2065, 0xE9},
         kTextClipCorners},
        {"green text", 0x209, 0, {qint16(0x8000), 0}},
        {"ellipse as a polygon", 0x324, 0, {}},
    };
    for (MetafileKind kind : {MetafileKind::Enhanced, MetafileKind::Placeable, MetafileKind::Standard}) {
        const bool isEnhanced = kind == MetafileKind::Enhanced;
        const QByteArray data = smallPage(kind);
        const qsizetype start = isEnhanced ? 0 : (kind == MetafileKind::Placeable ? 40 : 18);
        const MetafileWalk records = walk(data, start, isEnhanced);
        for (const Expected &e : isEnhanced ? enhanced : windows)
            EXPECT_TRUE(found(records.records, isEnhanced, e)) << e.what << " in kind " << int(kind);
    }
}

TEST(MetafileStructureTest, EachPaintingMakesANewMetafileAndSaveReportsFailure)
{
    MetafileDevice device(MetafileKind::Enhanced, kSmallPage);
    const QByteArray empty = device.bytes();
    EXPECT_EQ(walk(empty, 0, true).end, empty.size());
    for (int round = 0; round < 2; ++round) {
        QPainter painter(&device);
        painter.drawLine(0, 0, 10, 10);
    }
    const MetafileWalk once = walk(device.bytes(), 0, true);
    EXPECT_EQ(std::count_if(once.records.begin(), once.records.end(), [](auto &r) { return r.type == 4; }), 1);
    QString error;
    EXPECT_FALSE(device.save(QStringLiteral("/nonexistent-folder/page.emf"), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("/nonexistent-folder/page.emf"))) << error.toStdString();
}

}  // namespace
}  // namespace tk70
