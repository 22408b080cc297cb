// Shared pieces of the text layouts: see column_text.h.
#include "collect/datafile/column_text.h"

#include "platform/windows1252.h"

namespace tk70 {

QByteArray fileText(const QString &text) { return Windows1252::encode(text); }

QByteArray qualityMark(bool badQuality) { return badQuality ? QByteArray("* ") : QByteArray("  "); }

}  // namespace tk70
