// Function blocks of the plant that can be read and tuned: each has a function code and
// specs in groups (count, tunable flag, 3-bit attribute, value format), and
// holds its spec values as the bytes a tune read sends, so that what is written reads
// back byte for byte.
#pragma once

#include "ciusim/address.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <span>
#include <vector>

namespace ciusim {

// The most value bytes one tune write request can carry.
inline constexpr std::size_t kMaxWritableValueBytes = 118;

struct SpecGroup {
    int count = 1;
    bool tunable = false;
    int attribute = 0;  // bits 6 to 4 of the group's attribute byte
    int format = 2;     // value format, bits 3 to 0; formats other than 1 to 5 have no bytes
};

class FunctionBlock {
public:
    // Every spec starts at 0 in its format.
    FunctionBlock(const PlantAddress &address, int functionCode, std::vector<SpecGroup> groups);

    const PlantAddress &address() const { return m_address; }
    int functionCode() const { return m_functionCode; }
    const std::vector<SpecGroup> &groups() const { return m_groups; }
    int specCount() const { return static_cast<int>(m_specs.size()); }
    std::size_t valueBytes() const { return m_values.size(); }
    std::span<const std::uint8_t> values() const { return m_values; }
    // A block whose value bytes exceed what one write request carries is read-only.
    bool writable() const { return m_values.size() <= kMaxWritableValueBytes; }

    // Spec n counts from 1; outside 1 to specCount() the format is 0, not tunable, value 0.
    int specFormat(int n) const;
    bool specTunable(int n) const;
    double specValue(int n) const;
    // Stores a value in spec n's format; false when n is outside the block or the value
    // does not fit the format (then nothing changes).
    bool setSpecValue(int n, double value);
    // Puts raw bytes into spec n, whatever they decode to (a value its format's encoder
    // would refuse, spare bits set); false when n is outside the block or the byte count
    // is not the format's.
    bool setSpecBytes(int n, std::span<const std::uint8_t> bytes);

    // The tune read reply after its reply code: group count, groups, function code, values.
    void appendReadReply(std::vector<std::uint8_t> &reply) const;
    // A tune write: checks function code, byte count, that no non-tunable spec changes
    // and that each changed tunable spec holds what its format's encoder makes; applies the values and returns 0, or
    // returns the refusal's reply code and changes nothing.
    std::uint8_t write(int functionCode, std::span<const std::uint8_t> values);

private:
    struct Spec {
        int format;
        bool tunable;
        std::size_t offset;
    };

    const Spec *spec(int n) const;
    std::uint8_t checkWrite(int functionCode, std::span<const std::uint8_t> values) const;

    PlantAddress m_address;
    int m_functionCode;
    std::vector<SpecGroup> m_groups;
    std::vector<Spec> m_specs;
    std::vector<std::uint8_t> m_values;
};

// The plant's function blocks by address.
class BlockTable {
public:
    // Adds a block, replacing one at the same address.
    void put(FunctionBlock block);
    const FunctionBlock *find(const PlantAddress &address) const;
    FunctionBlock *find(const PlantAddress &address);

private:
    std::map<PlantAddress, FunctionBlock> m_blocks;
};

}  // namespace ciusim
