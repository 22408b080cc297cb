// Function blocks and their tune read and write: see blocks.h.
#include "ciusim/blocks.h"

#include "ciusim/reply_codes.h"
#include "driver/number_format.h"

#include <algorithm>
#include <array>

namespace ciusim {

namespace {

// True when the bytes are exactly what the format's encoder makes of the value they hold,
// so that the value survives a read and a write unchanged.
bool isCanonical(int format, std::span<const std::uint8_t> bytes)
{
    if (bytes.empty())
        return true;
    std::array<std::uint8_t, 3> again{};
    double value = vantor::decodeValue(format, bytes.data());
    return vantor::encodeSpecValue(format, value, again.data()) &&
           std::equal(bytes.begin(), bytes.end(), again.begin());
}

}  // namespace

FunctionBlock::FunctionBlock(const PlantAddress &address, int functionCode, std::vector<SpecGroup> groups)
    : m_address(address), m_functionCode(functionCode), m_groups(std::move(groups))
{
    for (const SpecGroup &group : m_groups) {
        for (int i = 0; i < group.count; ++i) {
            m_specs.push_back(Spec{group.format, group.tunable, m_values.size()});
            m_values.resize(m_values.size() + static_cast<std::size_t>(vantor::formatSize(group.format)));
        }
    }
    for (int n = 1; n <= specCount(); ++n)
        setSpecValue(n, 0.0);
}

const FunctionBlock::Spec *FunctionBlock::spec(int n) const
{
    return n >= 1 && n <= specCount() ? &m_specs[static_cast<std::size_t>(n - 1)] : nullptr;
}

int FunctionBlock::specFormat(int n) const
{
    const Spec *s = spec(n);
    return s ? s->format : 0;
}

bool FunctionBlock::specTunable(int n) const
{
    const Spec *s = spec(n);
    return s && s->tunable;
}

double FunctionBlock::specValue(int n) const
{
    const Spec *s = spec(n);
    return s ? vantor::decodeValue(s->format, m_values.data() + s->offset) : 0.0;
}

bool FunctionBlock::setSpecValue(int n, double value)
{
    const Spec *s = spec(n);
    if (!s)
        return false;
    if (vantor::formatSize(s->format) == 0)
        return true;
    std::array<std::uint8_t, 3> bytes{};
    if (!vantor::encodeSpecValue(s->format, value, bytes.data()))
        return false;
    std::copy_n(bytes.begin(), vantor::formatSize(s->format),
                m_values.begin() + static_cast<std::ptrdiff_t>(s->offset));
    return true;
}

bool FunctionBlock::setSpecBytes(int n, std::span<const std::uint8_t> bytes)
{
    const Spec *s = spec(n);
    if (!s || bytes.size() != static_cast<std::size_t>(vantor::formatSize(s->format)))
        return false;
    std::copy(bytes.begin(), bytes.end(), m_values.begin() + static_cast<std::ptrdiff_t>(s->offset));
    return true;
}

void FunctionBlock::appendReadReply(std::vector<std::uint8_t> &reply) const
{
    reply.push_back(static_cast<std::uint8_t>(m_groups.size()));
    for (const SpecGroup &group : m_groups) {
        reply.push_back(static_cast<std::uint8_t>(group.count));
        reply.push_back(static_cast<std::uint8_t>((group.tunable ? 0x80 : 0) | ((group.attribute & 7) << 4) |
                                                  (group.format & 0x0F)));
    }
    reply.push_back(static_cast<std::uint8_t>(m_functionCode));
    reply.insert(reply.end(), m_values.begin(), m_values.end());
}

std::uint8_t FunctionBlock::checkWrite(int functionCode, std::span<const std::uint8_t> values) const
{
    if (!writable())
        return reply::kBlockTooLarge;
    if (functionCode != m_functionCode)
        return reply::kFunctionCodeMismatch;
    if (values.size() != m_values.size())
        return reply::kByteCountMismatch;
    for (const Spec &s : m_specs) {
        auto size = static_cast<std::size_t>(vantor::formatSize(s.format));
        std::span<const std::uint8_t> written = values.subspan(s.offset, size);
        std::span<const std::uint8_t> held = std::span(m_values).subspan(s.offset, size);
        bool unchanged = std::equal(written.begin(), written.end(), held.begin());
        if (!s.tunable && !unchanged)
            return reply::kNotTunable;
        if (!unchanged && !isCanonical(s.format, written))
            return reply::kBadValue;
    }
    return reply::kAccepted;
}

std::uint8_t FunctionBlock::write(int functionCode, std::span<const std::uint8_t> values)
{
    std::uint8_t code = checkWrite(functionCode, values);
    if (code == reply::kAccepted)
        m_values.assign(values.begin(), values.end());
    return code;
}

void BlockTable::put(FunctionBlock block)
{
    PlantAddress address = block.address();
    m_blocks.insert_or_assign(address, std::move(block));
}

const FunctionBlock *BlockTable::find(const PlantAddress &address) const
{
    auto it = m_blocks.find(address);
    return it == m_blocks.end() ? nullptr : &it->second;
}

FunctionBlock *BlockTable::find(const PlantAddress &address)
{
    auto it = m_blocks.find(address);
    return it == m_blocks.end() ? nullptr : &it->second;
}

}  // namespace ciusim
