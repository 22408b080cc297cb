// Fuzzes the appliers of the CIU's read replies and the tuning reply parser.  The first
// input byte picks the reply kind, the next two the requested index range; the rest is
// the reply payload.  The point table must never be touched outside its slots, and a
// parsed tuning image must re-encode without leaving its buffer.
#include "driver/point_table.h"
#include "driver/reply_apply.h"
#include "driver/tuning.h"

#include <cstdlib>
#include <memory>

namespace {

struct Fixture {
    CiuCommStruct comm{};
    std::unique_ptr<vantor::PointTable> table;
    std::unique_ptr<vantor::TuneImage> image = std::make_unique<vantor::TuneImage>();

    Fixture()
    {
        comm.PointCapacity = CIU_POINT_SLOTS;
        table = std::make_unique<vantor::PointTable>(comm);
        static const int types[] = {5, 7, 6, 80, 14, 15, 1, 2, 3, 19, 12, 13, 99};
        int idx[30], zeros[30] = {}, ty[30];
        double d[30] = {};
        for (int i = 0; i < 30; ++i) {
            idx[i] = i + 1;
            ty[i] = types[i % 13];
        }
        table->load(vantor::PointLoad{30, idx, zeros, zeros, zeros, zeros, ty, zeros, d, d, d, d});
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static Fixture fx;
    if (size < 3)
        return 0;
    int kind = data[0] % 6;
    int first = static_cast<std::int8_t>(data[1]);
    int last = first + data[2];
    std::span<const std::uint8_t> reply(data + 3, size - 3);
    vantor::ApplyResult r;
    switch (kind) {
    case 0: r = vantor::applyExceptionReport(reply, *fx.table); break;
    case 1: r = vantor::applyValueList(reply, first, last, *fx.table); break;
    case 2: r = vantor::applyMiscExceptions(reply, *fx.table, {1, 3}); break;
    case 3: r = vantor::applyMiscList(reply, first, last, *fx.table, {1, 3}); break;
    case 4: r = vantor::applyReadBlock(reply, first, *fx.table); break;
    case 5:
        if (vantor::parseTuneReply(reply, *fx.image)) {
            if (fx.image->specCount > CIU_TUNE_SPECS || fx.image->valueEnd > static_cast<int>(reply.size()))
                std::abort();
            // Every spec counts as changed, so that each one's value is encoded again
            // into the bytes the reply gave.
            for (int i = 0; i < fx.image->specCount; ++i)
                fx.image->specs[i].changed = true;
            vantor::encodeTuneValues(*fx.image);
        }
        return 0;
    }
    if (r.rc < -5 || r.rc > 255)
        std::abort();
    return 0;
}
