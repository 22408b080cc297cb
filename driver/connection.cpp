// The configuration record and the life of a connection: open, close, events, and the
// program's entry points to the point table and the tuning state.
#include "driver/collector.h"
#include "driver/comm_access.h"
#include "driver/driver_state.h"
#include "driver/port_device.h"
#include "driver/thread_control.h"
#include "driver/vantor.h"

#include <cstring>
#include <system_error>

namespace vantor {

static_assert(sizeof(CiuCommStruct) == 276);
static_assert(offsetof(CiuCommStruct, ComPort) == 2);
static_assert(offsetof(CiuCommStruct, Parity) == 4);
static_assert(offsetof(CiuCommStruct, CiuMode) == 16);
static_assert(offsetof(CiuCommStruct, WatchdogValue) == 20);
static_assert(offsetof(CiuCommStruct, AddOption) == 23);
static_assert(offsetof(CiuCommStruct, RxTimeout) == 24);
static_assert(offsetof(CiuCommStruct, CommandCount) == 60);
static_assert(offsetof(CiuCommStruct, RunContinuous) == 72);
static_assert(offsetof(CiuCommStruct, LogFileEnabled) == 80);
static_assert(offsetof(CiuCommStruct, Status80Mask) == 112);
static_assert(offsetof(CiuCommStruct, DriverRevision) == 116);
static_assert(offsetof(CiuCommStruct, PointCapacity) == 120);
static_assert(offsetof(CiuCommStruct, Monitoring) == 140);
static_assert(offsetof(CiuCommStruct, ConnectionState) == 144);
static_assert(offsetof(CiuCommStruct, LogFileName) == 148);
static_assert(offsetof(CiuCommStruct, ForceCiu01Mode) == 268);
static_assert(offsetof(CiuCommStruct, DisableCiu01Mode) == 272);

void setCommDefaults(CiuCommStruct &c)
{
    c = CiuCommStruct{};
    c.BaudRate = 9600;
    c.ComPort = 1;
    c.DataBits = 8;
    c.CiuMode = 1;
    c.WatchdogValue = 10;
    c.ResetOptionValue = 2;
    c.RxTimeout = 5000;
    c.TxTimeout = 5000;
    c.DtrPulse = 700;
    c.RestartInterval = 3000;
    c.RestartDelay = 7000;
    c.ExpDelay = 200;
    c.CommandPace = 50;
    c.CollectionPriority = 15;
    c.RunContinuous = 1;
    c.StepRequest = 1;
    c.ExpReadsEnabled = 1;
    c.NonExpPoints = 3;
    c.WritePoints = 20;
    c.StatusMask = 1;
    c.Status80Mask = 3;
    c.DriverRevision = 1.16f;
    c.PointCapacity = CIU_POINT_SLOTS;
    c.CiuModuleType = c.CiuModuleMode = c.CiuLoop = c.CiuPcu = -1;
    std::strcpy(c.LogFileName, "VANTOR.LOG");
}

StatusMasks statusMasks(const CiuCommStruct &comm)
{
    return StatusMasks{loadField(comm.StatusMask), loadField(comm.Status80Mask)};
}

DriverState::DriverState() { setCommDefaults(comm); }

DriverState::~DriverState()
{
    running.store(false);
    port.interrupt();
    if (thread.joinable())
        thread.join();
}

DriverState &driver()
{
    static DriverState state;
    return state;
}

namespace {

LineSettings lineSettings(const CiuCommStruct &c) { return LineSettings{c.BaudRate, c.DataBits, c.Parity, c.StopBits}; }

// Opens and prepares the port; logs and returns false when either fails.
bool openPort(DriverState &d, const std::string &name)
{
    std::string device = resolvePortDevice(d.comm.ComPort);
    std::string error;
    if (!d.port.open(device, error)) {
        d.log.format("%s%s\r\n", "Error Opening Serial Port ", name.c_str());
        d.log.format("Device %s: %s\r\n", device.c_str(), error.c_str());
        return false;
    }
    if (!d.port.configure(lineSettings(d.comm))) {
        d.log.format("%s%s\r\n", "Could not Initialize Serial Port ", name.c_str());
        d.port.close();
        return false;
    }
    return true;
}

bool startThread(DriverState &d)
{
    d.running.store(true);
    d.connected.store(true);
    try {
        d.thread = std::thread([&d] { runCollection(d); });
    } catch (const std::system_error &) {
        d.running.store(false);
        d.connected.store(false);
        d.port.close();
        d.log.line("Unable to Create Data Collection Thread\r\n");
        return false;
    }
    return true;
}

// A refused open leaves the connection off-line.
int refuseOpen(DriverState &d)
{
    storeField(d.comm.ConnectionState, 0);
    return 0;
}

}  // namespace
}  // namespace vantor

using namespace vantor;

extern "C" {

CiuCommStruct *CiuInitializeCommStruct(void)
{
    setCommDefaults(driver().comm);
    return &driver().comm;
}

int CiuCreateEvents(void)
{
    DriverState &d = driver();
    d.running.store(false);
    d.connected.store(false);
    d.points.resetClaims();
    d.eventsCreated = true;
    return 1;
}

int CiuDestroyEvents(void)
{
    DriverState &d = driver();
    if (d.running.load())
        CiuCloseConnection();
    d.points.resetClaims();
    d.eventsCreated = false;
    return 1;
}

int CiuOpenConnection(void)
{
    DriverState &d = driver();
    if (d.running.load() || d.thread.joinable()) {
        CiuCloseConnection();
        sleepMs(phaseWaits().closeSettle);
    }
    storeField(d.comm.ConnectionState, 1);
    d.tune.markUnread();
    if (d.comm.LogFileEnabled) {
        char name[CIU_LOG_NAME_SIZE + 1] = {};
        std::memcpy(name, d.comm.LogFileName, CIU_LOG_NAME_SIZE);
        d.log.create(name);
        d.log.line("Log File Created.\r\n");
        d.log.format("Driver Revision %.2f\r\n", static_cast<double>(d.comm.DriverRevision));
    }
    if (d.points.loadedCount() < 1)
        return refuseOpen(d);
    d.portName = portName(d.comm.ComPort);
    if (!openPort(d, d.portName))
        return refuseOpen(d);
    d.log.format("%s%s\r\n", d.portName.c_str(), " Serial Port Initialized.");
    if (!startThread(d))
        return refuseOpen(d);
    return 1;
}

int CiuCloseConnection(void)
{
    DriverState &d = driver();
    d.log.line("Disconnecting from CIU\r\n");
    d.running.store(false);
    sleepMs(phaseWaits().closeSettle);
    d.port.interrupt();
    if (d.thread.joinable())
        d.thread.join();
    d.log.line("Disconnected from CIU\r\n");
    d.port.setControlLines(false);
    d.port.purge();
    d.port.close();
    d.log.line("Closing Log File.\r\n");
    d.log.close();
    storeField(d.comm.ConnectionState, 0);
    storeField(d.comm.Monitoring, 0);
    d.connected.store(false);
    return 1;
}

int CiuCheckConnected(void) { return driver().connected.load() ? 1 : 0; }

int CiuLoadPointList(int count, const int *indexes, const int *loops, const int *pcus, const int *modules,
                     const int *blocks, const int *types, const int *states, const double *reportValues1,
                     const double *reportValues2, const double *highLimits, const double *lowLimits)
{
    PointLoad load{count, indexes, loops,         pcus,          modules,    blocks,
                   types, states,  reportValues1, reportValues2, highLimits, lowLimits};
    if (count > 0 && (!indexes || !loops || !pcus || !modules || !blocks || !types || !states || !reportValues1 ||
                      !reportValues2 || !highLimits || !lowLimits))
        load.count = 0;  // nothing can be read from missing arrays: the table is only reset
    int rc = driver().points.load(load);
    return load.count == count ? rc : 0;
}

int CiuReadFromValueArray(int index, double *value, int *quality, int *establishStatus, int *newValue,
                          int *outputPending)
{
    SlotReading r;
    driver().points.read(index, r);
    if (value)
        *value = r.value;
    if (quality)
        *quality = r.quality;
    if (establishStatus)
        *establishStatus = r.establishStatus;
    if (newValue)
        *newValue = r.newValue;
    if (outputPending)
        *outputPending = r.outputPending;
    return 0;
}

int CiuWriteToValueArray(int index, double value, int quality, int *establishStatus, int *previousOutputPending)
{
    int status = 0;
    int pending = 0;
    if (driver().points.writeOutput(index, value, quality, status, pending)) {
        if (establishStatus)
            *establishStatus = status;
        if (previousOutputPending)
            *previousOutputPending = pending;
    }
    return 0;
}

int CiuRequestReadTuneSpecs(int loop, int pcu, int module, int block)
{
    return driver().tune.requestRead(CiuCheckConnected() != 0, BlockAddress{loop, pcu, module, block});
}

int CiuRequestWriteTuneSpecs(void) { return driver().tune.requestWrite(CiuCheckConnected() != 0); }
int CiuIsTunePending(void) { return driver().tune.isPending(); }
int CiuResetTuneRequest(void) { return driver().tune.reset(); }
int CiuGetTuneErrorStatus(void) { return driver().tune.errorStatus(); }
int CiuGetTuneFunctionCode(void) { return driver().tune.functionCode(); }
int CiuGetTuneSpecCount(void) { return driver().tune.specCount(); }
double CiuGetTuneSpecValue(int n) { return driver().tune.specValue(n); }
int CiuGetTuneSpecTunable(int n) { return driver().tune.specTunable(n); }
int CiuGetTuneSpecType(int n) { return driver().tune.specType(n); }
int CiuSetTuneSpecValue(int n, double value) { return driver().tune.setSpecValue(n, value); }

int CiuReadTuneSpecs(int loop, int pcu, int module, int block)
{
    return driver().tune.read(driver().link, BlockAddress{loop, pcu, module, block});
}

int CiuWriteTuneSpecs(void) { return driver().tune.write(driver().link); }

}  // extern "C"
