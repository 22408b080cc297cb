// What the tag list import tests share: an import fed from bytes through a buffer, and a
// document holding one tag, KEEP, so that a refused import can be seen to leave it alone.
#pragma once

#include "tags/tag_doc.h"

#include <QBuffer>
#include <QByteArray>

namespace tk70test {

using TagImport = bool (*)(QIODevice &, tk70::CTagDoc &);

inline bool importBytes(TagImport import, const QByteArray &bytes, tk70::CTagDoc &doc)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return import(buffer, doc);
}

inline void holdOneTag(tk70::CTagDoc &doc)
{
    tk70::TagRecord keep;
    keep.tagname = QStringLiteral("KEEP");
    doc.setTag(0, keep);
    doc.tags().setCount(1);
}

}  // namespace tk70test
