// The readings of a sample as the driver client's cache holds them since its last
// refresh: the establish status (a positive CIU reply code is a point error), the value
// and the quality (1 = bad).
#pragma once

#include "collect/datafile/group_output.h"
#include "driverclient/ciu_driver.h"

namespace tk70 {

class DriverReadings : public PointReadings {
public:
    explicit DriverReadings(const CCiuDriver &driver) : m_driver(driver) {}
    PointReading reading(int position) const override
    {
        return {m_driver.establishStatus(position), m_driver.value(position), m_driver.quality(position) != 0};
    }

private:
    const CCiuDriver &m_driver;
};

}  // namespace tk70
