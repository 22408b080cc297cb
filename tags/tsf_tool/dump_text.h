// The readable form of `tk70-tsf dump`: every tag, every graph with its traces in use,
// every collection group and the serial link, one item per line.
#pragma once

#include <QString>

namespace tk70 {

class CTagDoc;

QString dumpText(const CTagDoc &doc);

}  // namespace tk70
