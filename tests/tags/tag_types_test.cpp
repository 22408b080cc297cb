// Tests of the tag record, the point type names, the tag table and the trend-use rule.
#include "tags/point_type.h"
#include "tags/tag_selection.h"
#include "tags/tag_table.h"

#include <gtest/gtest.h>

using namespace tk70;

TEST(PointTypeNames, EditorPrintAndImportNamesOfEveryCode)
{
    const char *editor[] = {"Non-Exception",  "Analog Exception",  "Digital Exception", "MSDD",
                            "M/A Station SP", "M/A Station PV",    "M/A Station CO",    "RCM",
                            "RMSC",           "M/A Station Status"};
    const char *words[] = {"NE", "AE", "DE", "", "SP", "PV", "CO", "", "", "STATUS"};
    for (int code = 0; code < PointTypes::kCount; ++code) {
        EXPECT_EQ(PointTypes::editorName(code), QString::fromLatin1(editor[code])) << code;
        EXPECT_EQ(PointTypes::importWord(code), QString::fromLatin1(words[code])) << code;
        EXPECT_EQ(PointTypes::printName(code).size(), 17) << code;
    }
    EXPECT_EQ(PointTypes::printName(9), QStringLiteral("M/A Status       "));
    EXPECT_EQ(PointTypes::printName(2), QStringLiteral("Digital Exception"));
    EXPECT_EQ(PointTypes::printName(10), QString(17, QLatin1Char(' ')));
    EXPECT_EQ(PointTypes::printName(-1), QString(17, QLatin1Char(' ')));
    EXPECT_TRUE(PointTypes::editorName(10).isEmpty());
}

TEST(PointTypeNames, ImportMatchesWholeFieldIgnoringCase)
{
    EXPECT_EQ(PointTypes::fromImportField(u"ae"), 1);
    EXPECT_EQ(PointTypes::fromImportField(u"Analog"), 0);
    EXPECT_EQ(PointTypes::fromImportField(u"pv"), 5);
    EXPECT_EQ(PointTypes::fromImportField(u"STATUS"), 9);
    EXPECT_EQ(PointTypes::fromImportField(u"m/a station status"), 9);
    EXPECT_EQ(PointTypes::fromImportField(u"rmsc"), 8);
    EXPECT_EQ(PointTypes::fromImportField(u"AE "), 0);
    EXPECT_EQ(PointTypes::fromImportField(u"bogus"), 0);
    EXPECT_EQ(PointTypes::fromImportField(u""), 0);
}

TEST(TagRecordTest, AddressTextAndFreeSlot)
{
    EXPECT_EQ(pointAddressText(1, 12, 2, 3423), QStringLiteral("01-12-02-3423"));
    EXPECT_EQ(pointAddressText(255, 255, 31, 9999), QStringLiteral("255-255-31-9999"));
    EXPECT_EQ(pointAddressText(0, 0, 0, 7), QStringLiteral("00-00-00-0007"));

    const TagRecord free;
    EXPECT_TRUE(free.isFree());
    EXPECT_TRUE(free.belongsToGroup(0));
    EXPECT_FALSE(free.belongsToGroup(1));
    EXPECT_FALSE(free.belongsToGroup(3));
    EXPECT_EQ(free.addressText(), QStringLiteral("00-00-00-0000"));
}

TEST(TagTableTest, SlotsCountAndLookup)
{
    TagTable table;
    EXPECT_EQ(table.count(), 0);
    EXPECT_EQ(table.capacity(), 30);

    TagRecord tag{QStringLiteral("FT101"), QStringLiteral("Feed"), 1, 2, 3, 4, 5, {0, 1, 0, 1}};
    table.setRecord(29, tag);
    EXPECT_EQ(table.record(29), tag);
    EXPECT_THROW(table.setRecord(30, tag), std::out_of_range);

    table.setCount(31);
    EXPECT_EQ(table.count(), 30) << "a document never holds a 31st tag";
    table.setCount(-3);
    EXPECT_EQ(table.count(), 0);

    table.setRecord(0, tag);
    table.setCount(1);
    EXPECT_EQ(table.find(u"FT101"), 0);
    EXPECT_EQ(table.find(u"ft101"), -1) << "names differing in case are different tags";
    EXPECT_EQ(table.find(u""), -1);

    table.resetSlot(0);
    EXPECT_EQ(table.record(0), TagRecord{});
    table.reset();
    EXPECT_EQ(table.count(), 0);
    EXPECT_EQ(table.record(29), TagRecord{});
}

TEST(TrendUse, OnlyTracesInUseAndExactCase)
{
    TagSelection selection;
    TrendGraph &graph = selection.graphs[4];
    graph.traces[0].tagname = QStringLiteral("TI200");
    graph.traces[1].tagname = QStringLiteral("PI300");
    graph.traceCount = 1;
    EXPECT_TRUE(selection.isTagInTrendUse(u"TI200"));
    EXPECT_FALSE(selection.isTagInTrendUse(u"ti200"));
    EXPECT_FALSE(selection.isTagInTrendUse(u"PI300")) << "trace 2 is beyond the trace count";

    graph.traceCount = -4;
    EXPECT_FALSE(selection.isTagInTrendUse(u"TI200"));

    graph.traces[11].tagname = QStringLiteral("LAST");
    graph.traceCount = 15;  // as a file may store it: only the 12 traces exist
    EXPECT_EQ(graph.tracesInUse(), 12);
    EXPECT_TRUE(selection.isTagInTrendUse(u"LAST"));
}
