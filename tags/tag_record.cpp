// Tag record helpers: see tag_record.h.
#include "tags/tag_record.h"

namespace tk70 {

QString pointAddressText(qint32 loop, qint32 pcu, qint32 module, qint32 block)
{
    return QString::asprintf("%02d-%02d-%02d-%04d", int(loop), int(pcu), int(module), int(block));
}

QString TagRecord::addressText() const { return pointAddressText(loop, pcu, module, block); }

}  // namespace tk70
