// Applying the CIU's read replies to the point table.
//
// Each function takes the payload of a valid reply (reply code first, checksum removed),
// checks every record against the table and stores the values it finds.  A reply too
// short for the records it announces is refused whole (-2) before anything is stored; a
// record naming an index outside the table gives -4, one for a point of another type -5;
// a bad record does not stop the scan and the last bad record decides the result.
#pragma once

#include "driver/point_table.h"

#include <cstdint>
#include <span>

namespace vantor {

struct ApplyResult {
    int rc = 0;        // 0 (or the record count where the command returns it), -2, -4 or -5
    int badIndex = 0;  // the index of the last bad record
};

struct StatusMasks {
    int statusMask = 1;    // value byte mask of type-6 points
    int status80Mask = 3;  // value byte mask of points loaded as type 80
};

// Command 8: count, then records of index (2), status byte, 3-byte real.  Returns the count.
ApplyResult applyExceptionReport(std::span<const std::uint8_t> reply, PointTable &table);
// Command 6: one record of status byte and 3-byte real per index first..last.
ApplyResult applyValueList(std::span<const std::uint8_t> reply, int first, int last, PointTable &table);
// Command 22: count, then records of index (2), status byte, value byte, 3 further bytes.
ApplyResult applyMiscExceptions(std::span<const std::uint8_t> reply, PointTable &table, StatusMasks masks);
// Command 21: one record of status byte, value byte, 3 further bytes per index first..last.
ApplyResult applyMiscList(std::span<const std::uint8_t> reply, int first, int last, PointTable &table,
                          StatusMasks masks);
// Command 20 with reply code 0: value format, status byte, value bytes, stored at index.
ApplyResult applyReadBlock(std::span<const std::uint8_t> reply, int index, PointTable &table);

}  // namespace vantor
