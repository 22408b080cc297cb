// Fuzzes the delimited tag list import with arbitrary bytes: a refused file must leave
// the document alone, an accepted one must hold 1 to 30 tags, each with a tagname of 1
// to 14 characters, and write out as a tag selection file that reads back.
#include "fuzz/import_fuzz.h"
#include "tags/import/tag_list_import.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    return tk70fuzz::fuzzImport(data, size, &tk70::importDelimitedTagList, [](const tk70::CTagDoc &doc) {
        if (doc.tagCount() < 1 || doc.tagCount() > doc.tagCapacity())
            return false;
        for (int i = 0; i < doc.tagCount(); ++i) {
            const qsizetype length = doc.tag(i).tagname.size();
            if (length < 1 || length > 14)
                return false;
        }
        return true;
    });
}
