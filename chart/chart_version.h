// The charting component's version, checked once at start-up: the graph pages need a
// major version above 1 with a minor version of at least 50.
#pragma once

namespace tk70 {

struct ChartVersion {
    int major = 0;
    int minor = 0;
};

// The version of the charting component built into this program.
ChartVersion chartComponentVersion();

// Whether a version is recent enough for the graph pages.
bool chartVersionSupported(ChartVersion version);

// Checks the built-in version; on an old one shows "Old Version of the Charting
// Tools!\nYour program will abort!" and returns false.
bool checkChartComponent();

}  // namespace tk70
