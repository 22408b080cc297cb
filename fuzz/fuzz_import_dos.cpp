// Fuzzes the TK70 (DOS) tag selection file import with arbitrary bytes: a refused file
// must leave the document alone, an accepted one must hold at most 30 tags and 12 traces
// on graph 1 and write out as a tag selection file that reads back.
#include "fuzz/import_fuzz.h"
#include "tags/import/dos_tsf_import.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    return tk70fuzz::fuzzImport(data, size, &tk70::importDosTsf, [](const tk70::CTagDoc &doc) {
        return doc.tagCount() >= 0 && doc.tagCount() <= doc.tagCapacity() && doc.graph(0).traceCount <= 12;
    });
}
