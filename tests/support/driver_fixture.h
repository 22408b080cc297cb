// A test fixture for the driver: the configuration record back to its defaults with the
// waits shortened, a temporary folder for the log, COM1 pointed at a test device, and
// helpers to drive the commands directly or to wait for the collection thread.
#pragma once

#include "driver/vantor.h"
#include "tests/support/wait_until.h"

#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tk70test {

// The lines of a log file with their time stamps removed.
std::vector<std::string> logTexts(const std::string &path);

// What CiuReadFromValueArray gives for a slot (-1 in fields it did not write).
struct Reading {
    double value = -1;
    int quality = -1, establish = -1, newValue = -1, pending = -1;
};
Reading readSlot(int index);

// One point of a point list.
struct TestPoint {
    int index, loop, pcu, module, block, type;
    int state = 0;
    double report1 = 0, report2 = 0, high = 100, low = 0;
};
int loadPoints(const std::vector<TestPoint> &points);

class DriverTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens the driver's port on device without a connection, so that the commands can be
    // called from the test itself.
    void openDirect(const std::string &device);
    // Points COM1 at device and sets fast timing for a full connection.
    void useDevice(const std::string &device);
    std::string logPath() const { return m_dir + "/driver.log"; }
    std::vector<std::string> logLines() const { return logTexts(logPath()); }
    void enableLog(bool detailed);
    int state() const;
    int field(const int32_t &f) const;
    void setField(int32_t &f, int32_t value);

    CiuCommStruct *m_comm = nullptr;
    std::string m_dir;
};

}  // namespace tk70test
