// Applying the CIU's read replies to the point table: see reply_apply.h.
#include "driver/reply_apply.h"

#include "driver/ciu_link.h"
#include "driver/number_format.h"

#include <algorithm>

namespace vantor {

namespace {

constexpr int kMaxRecords = 255;

int index16(const std::uint8_t *p) { return (p[0] << 8) | p[1]; }
int qualityOf(std::uint8_t status) { return (status & 0x80) ? 1 : 0; }

bool isAnalog(int type) { return type == 1 || type == 2 || type == 3 || type == 5 || type == 19; }

void fail(ApplyResult &result, int code, int index)
{
    result.rc = code;
    result.badIndex = index;
}

// One exception or value-list record: status byte and 3-byte real for an analog or
// digital exception point.
void applyValueRecord(ApplyResult &result, int index, const std::uint8_t *status, PointTable &table)
{
    if (index < 1 || index >= table.capacity())
        return fail(result, kBadIndex, index);
    int type = table.type(index);
    if (isAnalog(type))
        table.store(index, decodeReal3(status + 1), qualityOf(status[0]));
    else if (type == 7)
        table.store(index, (status[0] & 0x01) ? 1.0 : 0.0, qualityOf(status[0]));
    else
        fail(result, kTypeMismatch, index);
}

// One miscellaneous status record: status byte and value byte.
void applyStatusRecord(ApplyResult &result, int index, std::uint8_t status, std::uint8_t value, PointTable &table,
                       StatusMasks masks)
{
    if (index < 0 || index >= table.capacity())
        return fail(result, kBadIndex, index);
    switch (table.type(index)) {
    case 6: table.store(index, value & masks.statusMask, qualityOf(status)); break;
    case 14: table.store(index, (status & 0x60) / 32, 0); break;
    case 15:
        if (table.loadedType(index) == 80)
            table.store(index, value & masks.status80Mask, qualityOf(status));
        else
            table.store(index, (status & 0x01) ? 1.0 : 0.0, qualityOf(status));
        break;
    default: fail(result, kTypeMismatch, index); break;
    }
}

// Records announced by a count byte, capped at 255; false when the reply is too short
// to hold them all.
bool countedRecords(std::span<const std::uint8_t> reply, std::size_t recordSize, int &count)
{
    if (reply.size() < 2)
        return false;
    count = std::min<int>(reply[1], kMaxRecords);
    return reply.size() >= 2 + recordSize * static_cast<std::size_t>(count);
}

// Records for the indexes first..last, capped at 255; false when the reply is too short.
bool listedRecords(std::span<const std::uint8_t> reply, int first, int last, std::size_t recordSize, int &count)
{
    long long wanted = static_cast<long long>(last) - first + 1;
    count = static_cast<int>(std::clamp<long long>(wanted, 0, kMaxRecords));
    return reply.size() >= 1 + recordSize * static_cast<std::size_t>(count);
}

}  // namespace

ApplyResult applyExceptionReport(std::span<const std::uint8_t> reply, PointTable &table)
{
    ApplyResult result;
    int count = 0;
    if (!countedRecords(reply, 6, count))
        return ApplyResult{kReceiveFailed, 0};
    for (int k = 0; k < count; ++k) {
        const std::uint8_t *record = reply.data() + 2 + 6 * k;
        applyValueRecord(result, index16(record), record + 2, table);
    }
    if (result.rc == 0)
        result.rc = reply[1];
    return result;
}

ApplyResult applyValueList(std::span<const std::uint8_t> reply, int first, int last, PointTable &table)
{
    ApplyResult result;
    int count = 0;
    if (!listedRecords(reply, first, last, 4, count))
        return ApplyResult{kReceiveFailed, 0};
    for (int k = 0; k < count; ++k)
        applyValueRecord(result, first + k, reply.data() + 1 + 4 * k, table);
    return result;
}

ApplyResult applyMiscExceptions(std::span<const std::uint8_t> reply, PointTable &table, StatusMasks masks)
{
    ApplyResult result;
    int count = 0;
    if (!countedRecords(reply, 7, count))
        return ApplyResult{kReceiveFailed, 0};
    for (int k = 0; k < count; ++k) {
        const std::uint8_t *record = reply.data() + 2 + 7 * k;
        applyStatusRecord(result, index16(record), record[2], record[3], table, masks);
    }
    if (result.rc == 0)
        result.rc = reply[1];
    return result;
}

ApplyResult applyMiscList(std::span<const std::uint8_t> reply, int first, int last, PointTable &table,
                          StatusMasks masks)
{
    ApplyResult result;
    int count = 0;
    if (!listedRecords(reply, first, last, 5, count))
        return ApplyResult{kReceiveFailed, 0};
    for (int k = 0; k < count; ++k) {
        const std::uint8_t *record = reply.data() + 1 + 5 * k;
        applyStatusRecord(result, first + k, record[0], record[1], table, masks);
    }
    return result;
}

ApplyResult applyReadBlock(std::span<const std::uint8_t> reply, int index, PointTable &table)
{
    if (reply.size() < 3)
        return ApplyResult{kReceiveFailed, 0};
    int format = reply[1];
    std::uint8_t status = reply[2];
    double value = 0.0;
    if (format == 3) {
        value = (status & 0x01) ? 1.0 : 0.0;
    } else {
        if (reply.size() < 3 + static_cast<std::size_t>(formatSize(format)))
            return ApplyResult{kReceiveFailed, 0};
        value = decodeValue(format, reply.data() + 3);
    }
    table.store(index, value, qualityOf(status));
    return ApplyResult{};
}

}  // namespace vantor
