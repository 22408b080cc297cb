// The samples of a tick: see historian_rows.h.
#include "collect/historian/historian_rows.h"

#include <algorithm>

namespace tk70 {

void appendSamples(const HistorianTick &tick, HistorianSamples &samples)
{
    if (!tick.tags)
        return;
    const std::vector<HistorianTag> &tags = *tick.tags;
    const std::size_t count = std::min(tags.size(), tick.values.size());
    samples.reserve(samples.size() + count);
    for (std::size_t i = 0; i < count; ++i) {
        const HistorianValue &value = tick.values[i];
        samples.push_back({tags[i].station, tags[i].tag, tick.tsUs, value.value, value.badQuality, value.pointError});
    }
}

}  // namespace tk70
