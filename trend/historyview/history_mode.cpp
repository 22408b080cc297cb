// The graphing modes of a historical file: see history_mode.h.
#include "trend/historyview/history_mode.h"

namespace tk70 {

HistoryMode historyModeOf(int choice)
{
    if (choice <= 0 || choice >= static_cast<int>(kHistoryCompressions.size()))
        return HistoryMode{};
    return HistoryMode{true, kHistoryCompressions[static_cast<size_t>(choice)] - 1};
}

}  // namespace tk70
