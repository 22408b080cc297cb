// One tag: a plant point selected for collection, trending, display and DDE service,
// with its address on the plant network, point type, description and membership of the
// four collection groups.  Also the point address text used by lists and file headers.
#pragma once

#include "core/product.h"

#include <QString>
#include <array>

namespace tk70 {

// What the tag editor and the tag list import accept: tagnames of 1 to 14 characters and
// descriptions of at most 50.
inline constexpr int kTagnameMaxChars = 14;
inline constexpr int kTagDescriptionMaxChars = 50;
// The largest address numbers the tag editor, Find Tag and `tk70-tsf build` accept (each
// from 0): loop, PCU, module and block.
inline constexpr qint32 kMaxLoop = 255;
inline constexpr qint32 kMaxPcu = 255;
inline constexpr qint32 kMaxModule = 31;
inline constexpr qint32 kMaxBlock = 9999;

struct TagRecord {
    QString tagname;  // empty: a free slot; compared case-sensitively
    QString description;
    qint32 loop = 0;
    qint32 pcu = 0;
    qint32 module = 0;
    qint32 block = 0;
    qint32 pointType = 0;  // a PointType code
    // Membership flags of collection groups 1 to 4; a tag belongs to a group when its
    // flag equals 1.  A free slot belongs to group 1 only.
    std::array<qint32, kCollectionGroupCount> groups{1, 0, 0, 0};

    bool isFree() const { return tagname.isEmpty(); }
    // group is 0-based (0 = collection group 1).
    bool belongsToGroup(int group) const { return groups.at(group) == 1; }
    // "%02d-%02d-%02d-%04d" of loop, PCU, module and block.
    QString addressText() const;

    bool operator==(const TagRecord &) const = default;
};

// The point address text: loop 1, PCU 12, module 2, block 3423 give "01-12-02-3423".
QString pointAddressText(qint32 loop, qint32 pcu, qint32 module, qint32 block);

}  // namespace tk70
