// Sample lines of both layouts, written by the collection's own layouts: which lines are
// samples, their date and time, and each value column's reading (a good value, a point
// error, a bad-quality flag, a column past the line's end, a line cut inside a value).
#include "collect/datafile/text_layout.h"
#include "trend/history/history_line.h"

#include <gtest/gtest.h>

using tk70::HistoryFileKind;
using tk70::HistoryValue;

namespace {

// A sample line at 14:27:05 on 6 Dec 1996: 1234.5, point error 12, 3.5 of bad quality.
QByteArray sampleLine(HistoryFileKind kind)
{
    const auto layout =
        tk70::makeTextLayout(QString::fromLatin1(kind == HistoryFileKind::Ascii ? "ASCII" : "TK70 (DOS)"));
    return layout->stamp(QDateTime(QDate(1996, 12, 6), QTime(14, 27, 5))) + layout->value({0, 1234.5, false}) +
           layout->value({12, 0.0, false}) + layout->value({0, 3.5, true}) + "\r\n";
}

}  // namespace

TEST(HistoryLine, RecognisesSampleLines)
{
    struct Case {
        QByteArray line;
        HistoryFileKind kind;
        bool data;
    } cases[] = {
        {sampleLine(HistoryFileKind::Ascii), HistoryFileKind::Ascii, true},
        {sampleLine(HistoryFileKind::Dos), HistoryFileKind::Dos, true},
        {sampleLine(HistoryFileKind::Dos), HistoryFileKind::Ascii, false},
        {sampleLine(HistoryFileKind::Ascii), HistoryFileKind::Dos, false},
        {"--------  -------- \r\n", HistoryFileKind::Ascii, false},
        {"12/06/9", HistoryFileKind::Ascii, false},
        {"12/0x/96  14:27:05", HistoryFileKind::Ascii, false},
        {"", HistoryFileKind::Dos, false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(tk70::isHistoryDataLine(c.line, c.kind), c.data) << c.line.constData();
}

TEST(HistoryLine, ReadsEachValueColumn)
{
    for (const HistoryFileKind kind : {HistoryFileKind::Ascii, HistoryFileKind::Dos}) {
        const QByteArray line = sampleLine(kind);
        const tk70::HistoryPoint point = tk70::historyPoint(line, kind, {2, 0, 1, 3});
        const std::vector<HistoryValue> expected{{3.5, true}, {1234.5, false}, {0.0, true}, {0.0, true}};
        EXPECT_EQ(point.values, expected);
        EXPECT_EQ(point.date, kind == HistoryFileKind::Ascii ? "12/06/96" : "");
        EXPECT_EQ(point.time, "14:27:05");
        // A line cut inside column 0's value: what is there, but not of good quality.
        const qsizetype cut = kind == HistoryFileKind::Ascii ? 29 : 18;
        EXPECT_EQ(tk70::historyValue(line.left(cut), kind, 0), (HistoryValue{1234.0, true}));
    }
}
