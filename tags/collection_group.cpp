// Collection group settings and serial link indexes: see collection_group.h.
#include "tags/collection_group.h"

namespace tk70 {

namespace {

const char *const kGroupFileStem = "TK70CG";

}  // namespace

CollectionGroup CollectionGroup::newGroup(int index)
{
    CollectionGroup group;
    if (index == 0) {
        group.enabled = 1;
        group.fileName = QString::asprintf("%s1.txt", kGroupFileStem);
    }
    return group;
}

int comPortForIndex(qint32 serialPortIndex) { return serialPortIndex == 0 ? 1 : 2; }

int baudRateForIndex(qint32 baudRateIndex)
{
    if (baudRateIndex < 0 || baudRateIndex >= qint32(kBaudRates.size()))
        baudRateIndex = kDefaultBaudRateIndex;
    return kBaudRates[size_t(baudRateIndex)];
}

}  // namespace tk70
