// The graphing modes of a historical file: Auto Fit (the whole range at once, zoom
// allowed) or a replay that plots every (skip + 1)-th record one at a time.
#pragma once

#include <array>
#include <cstddef>

namespace tk70 {

struct HistoryMode {
    bool replay = false;
    int skip = 0;  // records skipped after each one plotted
};

// The choices of "Historical Graph Selection" in order: Auto Fit, no compression, then
// 2:1, 3:1, 4:1, 5:1, 10:1 and 20:1 compressed.
inline constexpr std::array<int, 8> kHistoryCompressions = {0, 1, 2, 3, 4, 5, 10, 20};

// The mode of choice `choice` (an index into kHistoryCompressions; Auto Fit outside).
HistoryMode historyModeOf(int choice);

}  // namespace tk70
