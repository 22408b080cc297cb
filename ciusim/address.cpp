// Plant addresses: see address.h.
#include "ciusim/address.h"

#include "ciusim/byte_order.h"

#include <array>
#include <charconv>
#include <cstdio>

namespace ciusim {

namespace {

// One decimal field of at most 5 digits, no sign.
std::optional<int> parseField(std::string_view text, int maximum)
{
    if (text.empty() || text.size() > 5)
        return std::nullopt;
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < 0 || value > maximum)
        return std::nullopt;
    return value;
}

}  // namespace

std::optional<PlantAddress> parseAddress(std::string_view text)
{
    constexpr std::array<int, 4> maxima{255, 255, 65535, 65535};
    std::array<int, 4> fields{};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        std::size_t dash = i + 1 < fields.size() ? text.find('-') : text.size();
        if (dash == std::string_view::npos)
            return std::nullopt;
        std::optional<int> field = parseField(text.substr(0, dash), maxima[i]);
        if (!field)
            return std::nullopt;
        fields[i] = *field;
        text.remove_prefix(dash == text.size() ? dash : dash + 1);
    }
    return PlantAddress{fields[0], fields[1], fields[2], fields[3]};
}

std::string formatAddress(const PlantAddress &address)
{
    char text[32];
    std::snprintf(text, sizeof text, "%02d-%02d-%02d-%04d", address.loop, address.pcu, address.module, address.block);
    return text;
}

PlantAddress addressFromBytes(const std::uint8_t *bytes)
{
    return PlantAddress{bytes[0], bytes[1], read16(bytes + 2), read16(bytes + 4)};
}

}  // namespace ciusim
