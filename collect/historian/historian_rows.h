// What the historian stores: a station's tags and their samples, as the station sends
// them to the central server.  Text is UTF-8; instants are microseconds since
// 1970-01-01 00:00 UTC, whatever the station's time zone.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tk70 {

// One tag of a station as the tag table describes it.
struct HistorianTag {
    std::string station;
    std::string tag;
    std::string address;  // "LL-PP-MM-BBBB"
    std::string description;
    int pointType = 0;
    std::int64_t seenUs = 0;  // the start that sent it: first_seen of a new tag, last_seen always
};

// One tag's value of one sample.
struct HistorianSample {
    std::string station;
    std::string tag;
    std::int64_t tsUs = 0;
    std::optional<double> value;  // none for a point error
    bool badQuality = false;
    int pointError = 0;  // the point error code; 0 for none
    bool operator==(const HistorianSample &) const = default;
};

using HistorianSamples = std::vector<HistorianSample>;

// One value of a tick: a sample without its station, tag and instant.
struct HistorianValue {
    std::optional<double> value;  // none for a point error
    bool badQuality = false;
    int pointError = 0;
};

// One sample of every tag of a start, as collection hands it over: the values in the
// order of tags, which the ticks of one start share.
struct HistorianTick {
    std::shared_ptr<const std::vector<HistorianTag>> tags;
    std::int64_t tsUs = 0;
    std::vector<HistorianValue> values;
};

// The tick's samples appended to samples: one for each value that has a tag.
void appendSamples(const HistorianTick &tick, HistorianSamples &samples);

}  // namespace tk70
