// A test fixture for the driver: see driver_fixture.h.
#include "tests/support/driver_fixture.h"

#include "driver/comm_access.h"
#include "driver/driver_state.h"
#include "driver/thread_control.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>

namespace tk70test {

std::vector<std::string> logTexts(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find("\r\n", start);
        std::string line = content.substr(start, end == std::string::npos ? std::string::npos : end - start);
        lines.push_back(line.size() >= 21 ? line.substr(21) : line);
        if (end == std::string::npos)
            break;
        start = end + 2;
    }
    return lines;
}

Reading readSlot(int index)
{
    Reading r;
    CiuReadFromValueArray(index, &r.value, &r.quality, &r.establish, &r.newValue, &r.pending);
    return r;
}

int loadPoints(const std::vector<TestPoint> &points)
{
    std::vector<int> idx, loops, pcus, modules, blocks, types, states;
    std::vector<double> r1, r2, hi, lo;
    for (const TestPoint &p : points) {
        idx.push_back(p.index);
        loops.push_back(p.loop);
        pcus.push_back(p.pcu);
        modules.push_back(p.module);
        blocks.push_back(p.block);
        types.push_back(p.type);
        states.push_back(p.state);
        r1.push_back(p.report1);
        r2.push_back(p.report2);
        hi.push_back(p.high);
        lo.push_back(p.low);
    }
    return CiuLoadPointList(static_cast<int>(points.size()), idx.data(), loops.data(), pcus.data(), modules.data(),
                            blocks.data(), types.data(), states.data(), r1.data(), r2.data(), hi.data(), lo.data());
}

void DriverTest::SetUp()
{
    char pattern[] = "/tmp/tk70-driver-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    m_dir = pattern;
    m_comm = CiuInitializeCommStruct();
    vantor::setPhaseWaits(vantor::PhaseWaits{5, 5, 5, 5});
    ASSERT_EQ(CiuCreateEvents(), 1);
    CiuResetTuneRequest();
    m_comm->RxTimeout = 300;
    m_comm->TxTimeout = 300;
    m_comm->CommandPace = 10;
}

void DriverTest::TearDown()
{
    CiuCloseConnection();
    CiuDestroyEvents();
    vantor::driver().port.close();
    CiuSetPortDevice(1, nullptr);
    vantor::setPhaseWaits(vantor::PhaseWaits{});
    std::filesystem::remove_all(m_dir);
}

void DriverTest::openDirect(const std::string &device)
{
    std::string error;
    ASSERT_TRUE(vantor::driver().port.open(device, error)) << error;
    ASSERT_TRUE(vantor::driver().port.configure(vantor::LineSettings{}));
}

void DriverTest::useDevice(const std::string &device)
{
    ASSERT_EQ(CiuSetPortDevice(1, device.c_str()), 1);
    m_comm->DtrPulse = 1;
    m_comm->RestartDelay = 1;
    m_comm->RestartInterval = 20;
    m_comm->ExpDelay = 0;
}

void DriverTest::enableLog(bool detailed)
{
    m_comm->LogFileEnabled = 1;
    m_comm->LogFileDetailed = detailed ? 1 : 0;
    std::string path = logPath();
    ASSERT_LT(path.size(), sizeof m_comm->LogFileName);
    std::strcpy(m_comm->LogFileName, path.c_str());
}

int DriverTest::state() const { return vantor::loadField(m_comm->ConnectionState); }
int DriverTest::field(const int32_t &f) const { return vantor::loadField(f); }
void DriverTest::setField(int32_t &f, int32_t value) { vantor::storeField(f, value); }

}  // namespace tk70test
