// Tag point types to CIU point type codes, and the point list of a collection.
#include "collect/point_registration.h"

#include "driverclient/ciu_driver.h"
#include "tags/tag_doc.h"

#include <array>

namespace tk70 {

int ciuPointTypeCode(qint32 tagPointType)
{
    static constexpr std::array<int, 10> kCodes{99, 5, 7, 80, 2, 1, 3, 15, 19, 6};
    if (tagPointType < 1 || tagPointType >= qint32(kCodes.size()))
        return 99;
    return kCodes[size_t(tagPointType)];
}

int registerTagPoints(const CTagDoc &doc, CCiuDriver &driver)
{
    driver.clearPoints();
    int added = 0;
    for (int i = 0; i < doc.tagCount(); ++i) {
        const TagRecord tag = doc.tag(i);
        if (driver.addPoint(tag.tagname, tag.loop, tag.pcu, tag.module, tag.block, ciuPointTypeCode(tag.pointType), 0.0,
                            100.0) > 0)
            ++added;
    }
    return added;
}

}  // namespace tk70
