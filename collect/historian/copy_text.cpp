// COPY text: see copy_text.h.
#include "collect/historian/copy_text.h"

#include <charconv>
#include <cmath>

namespace tk70 {

void appendCopyField(std::string &line, std::string_view text)
{
    for (const char c : text) {
        switch (c) {
        case '\\': line += "\\\\"; break;
        case '\t': line += "\\t"; break;
        case '\n': line += "\\n"; break;
        case '\r': line += "\\r"; break;
        case '\0': break;
        default: line += c; break;
        }
    }
}

void appendCopyNumber(std::string &line, const std::optional<double> &value)
{
    if (!value || !std::isfinite(*value)) {
        line += "\\N";
        return;
    }
    char buffer[32];
    // The shortest text that reads back as the same double, independent of the locale.
    const std::to_chars_result written = std::to_chars(buffer, buffer + sizeof buffer, *value);
    line.append(buffer, written.ptr);
}

void appendCopyLine(std::string &out, const HistorianSample &sample)
{
    appendCopyField(out, sample.station);
    out += '\t';
    appendCopyField(out, sample.tag);
    out += '\t';
    out += std::to_string(sample.tsUs);
    out += '\t';
    appendCopyNumber(out, sample.value);
    out += '\t';
    out += sample.badQuality ? 't' : 'f';
    out += '\t';
    out += std::to_string(sample.pointError);
    out += '\n';
}

}  // namespace tk70
