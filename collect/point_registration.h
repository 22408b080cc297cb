// How the tags of a selection become the driver's points: the CIU point type code of
// each tag point type, and the registration of the whole list in list order.
#pragma once

#include <QtGlobal>

namespace tk70 {

class CCiuDriver;
class CTagDoc;

// 1→5, 2→7, 3→80, 4→2, 5→1, 6→3, 7→15, 8→19, 9→6, anything else (non-exception) → 99.
int ciuPointTypeCode(qint32 tagPointType);

// Clears the driver client's points and adds every tag of the list as a point, in list
// order, with the range 0.0 to 100.0.  Returns the number of points added.
int registerTagPoints(const CTagDoc &doc, CCiuDriver &driver);

}  // namespace tk70
