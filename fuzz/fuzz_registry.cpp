// Fuzzes the settings file reader with arbitrary text: it either reads the text or names
// the line it stopped at, and whatever it read is written out as text that reads back the
// same.
#include "platform/registry/reg_text_format.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size > std::size_t(tk70::reg::kMaxFileSize))
        return 0;
    const tk70::reg::ParseResult parsed = tk70::reg::parseText({data, qsizetype(size)});
    if (!parsed.ok()) {
        if (parsed.errorLine < 1 || !parsed.document.keys().empty())
            std::abort();
        return 0;
    }
    const QByteArray text = tk70::reg::formatText(parsed.document);
    const tk70::reg::ParseResult again = tk70::reg::parseText(text);
    if (!again.ok() || tk70::reg::formatText(again.document) != text)
        std::abort();
    return 0;
}
