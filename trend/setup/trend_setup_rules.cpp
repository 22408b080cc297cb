// The trend setup form's rules without widgets: see trend_setup_rules.h.
#include "trend/setup/trend_setup_rules.h"

#include <algorithm>

namespace tk70::TrendSetupRules {

QString historyCaption(int button) { return QStringLiteral("%1 Samples").arg(kHistoryLengths.at(button)); }

int historyButton(qint32 stored)
{
    const auto found =
        std::find(kHistoryLengths.begin(), kHistoryLengths.end(), TrendGraph::normalHistoryLength(stored));
    return static_cast<int>(found - kHistoryLengths.begin());
}

QString numberText(double value) { return QString::number(value, 'g', 15); }

RowTexts rowTextsOf(const TrendGraph &graph)
{
    RowTexts rows;
    for (int row = 0; row < kRows; ++row) {
        const TrendTrace &trace = graph.traces[row];
        rows[row] = RowText{trace.tagname, numberText(trace.zero), numberText(trace.span), trace.description};
    }
    return rows;
}

RowText emptyRowText() { return RowText{QString(), QStringLiteral("0.0"), QStringLiteral("100.0"), QString()}; }

void closeUpRows(RowTexts &rows, int row)
{
    std::move(rows.begin() + row + 1, rows.end(), rows.begin() + row);
    rows.back() = emptyRowText();
}

void closeUpRows(Tagnames &tagnames, int row)
{
    std::move(tagnames.begin() + row + 1, tagnames.end(), tagnames.begin() + row);
    tagnames.back().clear();
}

std::array<RowEnabling, kRows> rowEnabling(const Tagnames &tagnames)
{
    std::array<RowEnabling, kRows> rows;
    for (int row = 0; row < kRows; ++row) {
        const bool named = !tagnames[row].isEmpty();
        const bool previousNamed = row > 0 && !tagnames[row - 1].isEmpty();
        rows[row].tagname = row == 0 || named || previousNamed;
        rows[row].values = named;
    }
    return rows;
}

int namedRowCount(const Tagnames &tagnames)
{
    return static_cast<int>(
        std::count_if(tagnames.begin(), tagnames.end(), [](const QString &name) { return !name.isEmpty(); }));
}

int leadingTraceCount(const Tagnames &tagnames)
{
    const auto firstEmpty =
        std::find_if(tagnames.begin(), tagnames.end(), [](const QString &name) { return name.isEmpty(); });
    return static_cast<int>(firstEmpty - tagnames.begin());
}

std::optional<int> graphAfterStep(int index, int step)
{
    const int next = index + step;
    if (next < 0 || next > kLastGraphIndex)
        return std::nullopt;
    return next;
}

TrendGraph clearedGraph(int number)
{
    TrendGraph graph = TrendGraph::newGraph(number);
    graph.title = QStringLiteral("TK70 Pro Trend Graph # %1").arg(number);
    return graph;
}

}  // namespace tk70::TrendSetupRules
