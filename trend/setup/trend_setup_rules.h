// The trend setup form's rules without widgets: its control ids and field limits, what
// the controls show for a graph, which rows are enabled, how the rows close up when a
// trace goes, how many traces a form holds, the history lengths of the five Backwards
// Scrolling buttons, the graph a Prev/Next step leads to, and the graph Clear Graph
// leaves.  The CTrnSettingsView form exchanges its fields and asks these functions.
#pragma once

#include "tags/tag_record.h"
#include "tags/trend_graph.h"

#include <QString>
#include <array>
#include <optional>

namespace tk70::TrendSetupRules {

inline constexpr int kRows = TrendGraph::kMaxTraces;  // one row per trace
inline constexpr int kLastGraphIndex = TrendGraph::kGraphCount - 1;

// Control ids of the form; per row r: tagname kTagnameId + r and so on.
inline constexpr int kGraphTitleId = 1013;
inline constexpr int kSecondTitleId = 1089;
inline constexpr int kGraphNumberId = 2237;
inline constexpr int kTraceCountId = 1010;
inline constexpr int kSampleTimeId = 1009;
inline constexpr int kSampleSpinId = 1096;
inline constexpr int kFirstHistoryId = 1090;  // 1090 to 1094
inline constexpr int kTagnameId = 5200;
inline constexpr int kTagsButtonId = 5220;
inline constexpr int kZeroId = 5240;
inline constexpr int kSpanId = 5260;
inline constexpr int kDescriptionId = 5280;
inline constexpr int kPrevGraphId = 1173;
inline constexpr int kNextGraphId = 1174;
inline constexpr int kClearGraphId = 1175;
// The controls of one row, in tab order.
inline constexpr int kRowColumnIds[] = {kTagnameId, kTagsButtonId, kZeroId, kSpanId, kDescriptionId};

// Field limits; a tagname takes kTagnameMaxChars (tag_record.h) as everywhere.
inline constexpr int kTitleMaxChars = 40;
inline constexpr int kDescriptionMaxChars = 32;
inline constexpr double kMinSampleInterval = TrendGraph::kMinSampleInterval;
inline constexpr double kMaxSampleInterval = TrendGraph::kMaxSampleInterval;
inline constexpr int kSpinMin = 1;
inline constexpr int kSpinMax = 600;

// The history lengths of the Backwards Scrolling buttons, in button order.
inline constexpr std::array<qint32, 5> kHistoryLengths = TrendGraph::kHistoryLengths;
// The caption of a Backwards Scrolling button: "%d Samples".
QString historyCaption(int button);
// The button (0 to 4) of a stored history length, after normalising.
int historyButton(qint32 stored);

// What the edits of one row hold.
struct RowText {
    QString tagname;
    QString zero;
    QString span;
    QString description;

    bool operator==(const RowText &) const = default;
};
using RowTexts = std::array<RowText, kRows>;
using Tagnames = std::array<QString, kRows>;

// A number as its edit shows it (up to 15 significant digits: 5 shows as "5").
QString numberText(double value);
// The row texts of a graph's twelve traces.
RowTexts rowTextsOf(const TrendGraph &graph);
// The row a trace leaves behind when the rows close up: no tagname, "0.0", "100.0".
RowText emptyRowText();
// Removes row: the rows below move up one place and the last row becomes empty.
void closeUpRows(RowTexts &rows, int row);
void closeUpRows(Tagnames &tagnames, int row);

// Which controls of a row are enabled: the tagname with its Tags button, and the zero,
// span and description.
struct RowEnabling {
    bool tagname = false;
    bool values = false;

    bool operator==(const RowEnabling &) const = default;
};
// A row with a tagname is enabled whole, and opens the next row's tagname; the first
// row's tagname is always open.
std::array<RowEnabling, kRows> rowEnabling(const Tagnames &tagnames);
// The number of rows with a tagname (the Number of Traces field).
int namedRowCount(const Tagnames &tagnames);
// The number of tagnames from the first row up to the first empty one: the trace count
// that is stored.
int leadingTraceCount(const Tagnames &tagnames);

// The graph index a Prev (step -1) or Next (step +1) leads to; nothing, which only
// beeps, on the first or the last graph.
std::optional<int> graphAfterStep(int index, int step);

// The graph Clear Graph leaves for graph number (1 to 10): no traces, zero 0 and span
// 100 in every row, 600 samples, 5 seconds, title "TK70 Pro Trend Graph # <number>"
// (with the blank that the new-document title lacks) and no second title.
TrendGraph clearedGraph(int number);

}  // namespace tk70::TrendSetupRules
