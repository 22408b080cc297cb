// What the tag list import targets share: arbitrary bytes fed to an import through a
// buffer, every message answered silently.  A refused file must leave the document
// alone; an accepted one must pass the target's own check and write out as a tag
// selection file that reads back.
#pragma once

#include "fuzz/silent_sink.h"
#include "tags/tag_doc.h"
#include "tags/tsf_reader.h"

#include <QBuffer>
#include <cstdint>
#include <cstdlib>

namespace tk70fuzz {

using Import = bool (*)(QIODevice &, tk70::CTagDoc &);

template <typename Check>
int fuzzImport(const std::uint8_t *data, std::size_t size, Import import, Check acceptedIsSound)
{
    silenceMessages();
    QBuffer buffer;
    buffer.setData(reinterpret_cast<const char *>(data), qsizetype(size));
    buffer.open(QIODevice::ReadOnly);
    tk70::CTagDoc doc;
    const tk70::TagSelection before = doc.selection();
    if (!import(buffer, doc)) {
        if (!(doc.selection() == before))
            std::abort();
        return 0;
    }
    if (!acceptedIsSound(doc))
        std::abort();
    if (tk70::TsfReader::read(doc.writeTsf()).status != tk70::TsfReadResult::Status::Ok)
        std::abort();
    return 0;
}

}  // namespace tk70fuzz
