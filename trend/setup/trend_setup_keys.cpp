// Focus moves of the trend setup form's keys: see trend_setup_keys.h.
#include "trend/setup/trend_setup_keys.h"

#include "trend/setup/trend_setup_rules.h"

namespace tk70::TrendSetupKeys {

using TrendSetupRules::kRows;

int columnOfControl(int id)
{
    for (int column : TrendSetupRules::kRowColumnIds) {
        if (id >= column && id < column + kRows)
            return column;
    }
    return -1;
}

int rowOfControl(int id)
{
    const int column = columnOfControl(id);
    return column < 0 ? -1 : id - column;
}

int upTarget(int id)
{
    const int row = rowOfControl(id);
    return row > 0 ? id - 1 : -1;
}

int downTarget(int id, int traceCount)
{
    const int row = rowOfControl(id);
    if (row < 0)
        return -1;
    if (row >= traceCount)
        return TrendSetupRules::kTagnameId + row;
    if (row + 1 >= kRows)
        return -1;
    return row == traceCount - 1 ? TrendSetupRules::kTagnameId + row + 1 : id + 1;
}

int enterTarget(int id)
{
    const int lastRow = kRows - 1;
    return id == TrendSetupRules::kDescriptionId + lastRow ? TrendSetupRules::kTagnameId + lastRow : -1;
}

}  // namespace tk70::TrendSetupKeys
