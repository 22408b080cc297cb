// A tag's reading of a sample, as the driver client's cache holds it, and where a sample's
// readings come from: what the collection's outputs, the trend graphs and the current
// values pages all take a sample from.
#pragma once

namespace tk70 {

// One tag's reading of a sample, as the driver client's cache holds it.
struct PointReading {
    int errorCode = 0;  // > 0: a point error; the value is not written
    double value = 0.0;
    bool badQuality = false;
};

// Where a sample's readings come from, by tag position (0-based).
class PointReadings {
public:
    virtual ~PointReadings() = default;
    virtual PointReading reading(int position) const = 0;
};

}  // namespace tk70
