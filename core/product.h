// What the program is and how much a station holds: the product's name, the tags of a
// selection (the points the driver client watches and the value server serves), and the
// collection groups of a selection.
#pragma once

namespace tk70 {

inline constexpr const char *kProductName = "TK70 Pro";
inline constexpr int kTagCapacity = 30;
inline constexpr int kCollectionGroupCount = 4;

}  // namespace tk70
