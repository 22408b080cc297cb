// Fuzzes the CIU simulator with arbitrary frames off the line: whatever a misbehaving
// driver sends, the unit answers with a well-formed frame or nothing, and never crashes.
#include "ciusim/ciu_unit.h"
#include "driver/framing.h"

#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static ciusim::CiuUnit unit;
    static double clock = 0;
    static bool clockSet = false;
    if (!clockSet) {
        unit.setClock([] { return clock; });
        clockSet = true;
    }
    clock += 0.25;
    // Each 0x0D ends one frame, as on the line.
    std::size_t start = 0;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] != vantor::kFrameEnd && i + 1 < size)
            continue;
        auto reply = unit.handleFrame({data + start, i + 1 - start});
        start = i + 1;
        if (!reply)
            continue;
        std::vector<std::uint8_t> out(vantor::kMaxDecodedReply);
        auto frame = vantor::decodeFrame(reply->bytes, out);
        // A reply the unit meant to send intact must decode; spoilt ones come only from faults,
        // which nothing here switches on.
        if (frame.error != vantor::FrameError::None || frame.length < 2)
            std::abort();
    }
    return 0;
}
