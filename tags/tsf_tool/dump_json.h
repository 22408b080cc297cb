// The JSON form of `tk70-tsf dump --json`: the loaded tags, all ten graphs with their
// twelve traces each, the four groups, both serial link indexes and the texts of the
// messages raised while reading.
#pragma once

#include <QByteArray>
#include <QStringList>

namespace tk70 {

class CTagDoc;

QByteArray dumpJson(const CTagDoc &doc, const QStringList &warnings);

}  // namespace tk70
