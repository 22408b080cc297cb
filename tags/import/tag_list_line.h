// One line of a delimited tag list, checked and split by the field rules in reading
// order: Tagname, Loop, PCU, Module, Block, PointType, TagDescription, separated by
// commas.  There is no quoting: every double quote in the tagname, point type and
// description is dropped.
//
//  - Every byte must be printable ASCII, a line feed, carriage return, tab, blank or zero
//    byte; a zero byte ends the line's text.
//  - The tagname runs to the first comma (or the line end) and has 1 to 14 characters;
//    an empty one (also one of quotes only) is a fault of its own.
//  - Loop, PCU, Module and Block each run to the next comma and hold only decimal digits
//    (empty gives 0; values beyond a 32-bit integer are held at its largest).  A number
//    without a comma after it runs into the line end and so is not numeric: a line must
//    reach the point type field.
//  - The point type runs to the next comma or the line end, has at most 20 characters and
//    is matched to its code by name (no match gives Non-Exception).
//  - The description runs to a comma, the line end or the end of the text, at most 50
//    characters; anything after it is ignored.
// A blank line (nothing but blanks, tabs, commas, quotes and the line end) holds no tag.
#pragma once

#include "tags/tag_record.h"

#include <QByteArrayView>

namespace tk70 {

// The first rule a line breaks.
enum class TagListFault { None, BinaryData, BlankTagname, Tagname, Loop, Pcu, Module, Block, PointType, Description };

struct TagListLine {
    TagListFault fault = TagListFault::None;
    // The tag (membership of collection group 1 only).  After a fault, the fields read
    // so far; the tagname as read, quotes dropped, unless the fault is binary data.
    TagRecord tag;
};

inline constexpr int kPointTypeFieldMaxChars = 20;

// Whether the line holds no tag and is passed over (a line with binary data never is).
bool isBlankTagListLine(QByteArrayView line);
// Checks and splits one line as read, line end included.
TagListLine parseTagListLine(QByteArrayView line);

}  // namespace tk70
