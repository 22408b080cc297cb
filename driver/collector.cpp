// The collection thread: see collector.h.
#include "driver/collector.h"

#include "driver/comm_access.h"
#include "driver/driver_state.h"
#include "driver/thread_control.h"

#include <optional>
#include <string>
#include <sys/prctl.h>

namespace vantor {

namespace {

constexpr int kMaxErrorRun = 10;
constexpr int kMaxStatusReplyErrors = 20;

bool isLinkFailure(int rc) { return rc == kSendFailed || rc == kReceiveFailed; }

// The log lines of one round-robin poll or write, as the monitoring loop writes them.
struct RoundRobinTexts {
    const char *error;    // "... #%d.": after a communication error
    const char *code;     // "Error %d in ... # %d.": a CIU reply code
    const char *success;  // "... #%d ... OK.": detailed only
};

class Collector {
public:
    explicit Collector(DriverState &d) : m_d(d), m_comm(d.comm), m_log(d.log), m_points(d.points) {}
    void run();

private:
    bool running() const { return m_d.running.load(); }
    int field(const int &f) const { return loadField(f); }
    int capacity() const { return m_points.capacity(); }
    bool ciu01Mode() const;
    void setState(int state) { storeField(m_comm.ConnectionState, state); }
    void logFailure(int rc, const char *step, int slot);
    void logRoundRobinResult(const RoundRobinTexts &texts, int rc, int slot);
    template <typename Visit>
    int roundRobin(int next, int limit, const RoundRobinTexts &texts, Visit visit);

    bool reopenAfterHangUp();
    bool restartCiu();
    int sendRestart(bool longForm);
    void afterRestart();
    void establishPoints();
    int establishSlot(int s);
    void readInitialValues();
    int initialValue(int j);
    void monitor();
    void readExceptionReports();
    void pollNonExceptionPoints();
    void writeOutputPoints();
    void waitForStep();
    void endCycle();
    void stop();

    DriverState &m_d;
    CiuCommStruct &m_comm;
    DriverLog &m_log;
    PointTable &m_points;
    int m_errorRun = 0;
    int m_statusReplyErrors = 0;
    bool m_fatal = false;
    int m_nextNonExp = 1;
    int m_nextOutput = 1;
    int m_handled = 0;
};

// Logs a failed command: the communication error, then the step it failed in.  A command
// cut short by the closing of the connection is no fault of the CIU and is not logged.
void Collector::logFailure(int rc, const char *step, int slot)
{
    if (!running())
        return;
    m_d.link.logError(rc);
    m_log.format(step, slot);
}

bool Collector::ciu01Mode() const
{
    return (field(m_comm.CiuModuleMode) == 1 || field(m_comm.ForceCiu01Mode) != 0) &&
           field(m_comm.DisableCiu01Mode) == 0;
}

// Reads the CIU's identity with command 69.  Returns 0, the nonzero reply code, or -1
// when sending or receiving failed; the four identity fields are -1 unless it succeeded.
int readCiuStatus(CiuLink &link, CiuCommStruct &comm, bool &running)
{
    for (int *f : {&comm.CiuModuleType, &comm.CiuModuleMode, &comm.CiuPcu, &comm.CiuLoop})
        storeField(*f, -1);
    int rc = link.exchange(Request(69));
    if (rc < 0)
        return -1;
    auto reply = link.reply();
    if (rc != 0 || reply.size() < 9)
        return rc != 0 ? rc : -1;
    storeField(comm.CiuModuleType, static_cast<int>(reply[1]));
    storeField(comm.CiuModuleMode, static_cast<int>(reply[2]));
    storeField(comm.CiuPcu, static_cast<int>(reply[7]));
    storeField(comm.CiuLoop, static_cast<int>(reply[8]));
    running = reply[5] == 1 && reply[6] == 1;
    return 0;
}

int Collector::sendRestart(bool longForm)
{
    auto build = [&](int watchdog) {
        Request request(19);
        request.put8(watchdog);
        request.put8(m_comm.ResetOptionValue);
        request.put8(m_comm.ReplyDelay);
        if (longForm)
            request.put8(m_comm.AddOption);
        return request;
    };
    int rc = m_d.link.exchange(build(loadField(m_comm.WatchdogValue)));
    if (rc == 9)
        rc = m_d.link.exchange(build(0));
    return rc;
}

// After the line hung up (the device went away, a USB adapter pulled out) the port is
// closed and opened again, same device and settings, at each restart attempt, so that
// collection resumes by itself once the device is back.  Returns false while it cannot
// be opened.
bool Collector::reopenAfterHangUp()
{
    if (!m_d.port.hungUp())
        return true;
    std::string error;
    if (!m_d.port.reopen(error)) {
        m_log.format("%s%s\r\n", "Error Reopening Serial Port ", m_d.portName.c_str());
        return false;
    }
    m_log.format("%s%s\r\n", m_d.portName.c_str(), " Serial Port Reopened.");
    return true;
}

// Pulses the control lines and restarts the CIU as CiuMode says, opening the port again
// first when it hung up.  Returns true when the restart succeeded (or none was needed).
bool Collector::restartCiu()
{
    setThreadPriority(field(m_comm.CollectionPriority));
    incrementField(m_comm.RestartCount);
    if (!reopenAfterHangUp())
        return false;
    int pulse = field(m_comm.DtrPulse);
    m_d.port.setControlLines(true);
    sleepMs(pulse);
    m_d.port.setControlLines(false);
    sleepMs(pulse);
    m_d.port.setControlLines(true);
    sleepMs(2 * pulse);
    int mode = field(m_comm.CiuMode);
    bool longForm = mode > 0;
    if (mode == 7)
        return true;
    if (mode == 8 || mode == 9) {
        bool alreadyRunning = false;
        if (readCiuStatus(m_d.link, m_comm, alreadyRunning) != 0)
            longForm = false;
        else if (alreadyRunning)
            return true;
        else
            longForm = field(m_comm.CiuModuleMode) == 4;
    }
    if (sendRestart(longForm) != 0) {
        m_d.link.countError();
        return false;
    }
    sleepMs(field(m_comm.RestartDelay));
    return true;
}

void Collector::afterRestart()
{
    m_log.line("CIU Restarted.\r\n");
    setState(2);
    bool ignored = false;
    readCiuStatus(m_d.link, m_comm, ignored);
    m_log.format("CIU Module Type=%d,  Mode=%d,  Loop=%d,  PCU=%d\r\n", field(m_comm.CiuModuleType),
                 field(m_comm.CiuModuleMode), field(m_comm.CiuLoop), field(m_comm.CiuPcu));
    if (ciu01Mode())
        m_log.line("Using CIU01 Compatability Mode.\r\n");
    m_log.line("Initializing CIU Point Table.\r\n");
    m_errorRun = 0;
    m_statusReplyErrors = 0;
}

// Establishes one slot in the CIU; returns its establish status.
int Collector::establishSlot(int s)
{
    int type = m_points.type(s);
    if (type == 12 || type == 13)
        return CiuEstablishReport(s, type, m_points.alarmState(s), m_points.reportValue1(s), m_points.reportValue2(s),
                                  m_points.highLimit(s), m_points.lowLimit(s));
    int address = m_points.address(s), module = m_points.module(s), block = m_points.block(s);
    if (!ciu01Mode())
        return CiuEstablishAndConnectPoint(address, module, block, s, type);
    int rc = CiuEstablishPoint(address, module, block, s, type);
    return rc == 0 ? CiuConnectPointList(s, s) : rc;
}

void Collector::establishPoints()
{
    m_handled = 0;
    for (int s = 1; s < capacity(); ++s) {
        if (m_errorRun > kMaxErrorRun)
            return;
        if (!running())
            break;
        int type = m_points.type(s);
        if (type == 99 && field(m_comm.NonExpPoints) && field(m_comm.NonExpEnabled))
            m_points.setEstablishStatus(s, 0);
        if (type == 0 || type == 99)
            continue;
        bool enabled = (type == 12 || type == 13) ? field(m_comm.WriteEnabled) && field(m_comm.WritePoints)
                                                  : field(m_comm.ExpReadsEnabled) != 0;
        if (!enabled)
            continue;
        int status = establishSlot(s);
        if (status < 0)
            status = establishSlot(s);
        m_points.setEstablishStatus(s, status);
        if (status < 0) {
            m_errorRun = isLinkFailure(status) ? m_errorRun + 1 : 0;
            logFailure(status, "Error Establishing Index #%d\r\n", s);
        } else if (status > 0) {
            m_log.format("Error # %d Establishing Index #%d\r\n", status, s);
        } else {
            m_log.detailed("Index #%d Established OK.\r\n", s);
        }
        ++m_handled;
    }
    if (m_errorRun <= kMaxErrorRun && running()) {
        setThreadPriority(field(m_comm.IdlePriority));
        m_log.format("%d%s\r\n", m_handled, " Points Established.");
        setState(3);
        sleepMs(phaseWaits().afterEstablish);
    }
}

// Reads (or writes) the initial value of one established slot; returns the command's
// result (0 for an output point with nothing pending).
int Collector::initialValue(int j)
{
    int type = m_points.type(j);
    switch (type) {
    case 1:
    case 2:
    case 3:
    case 5:
    case 7:
    case 19: return CiuReadValueList(j, j);
    case 6:
    case 14:
    case 15: return CiuReadMiscellaneousStatusList(j, j);
    case 12:
    case 13: {
        SlotOutput out;
        return m_points.takeOutput(j, out) ? CiuOutputValue(j, type, out.quality, out.value) : 0;
    }
    case 99: return CiuReadBlock(m_points.address(j), m_points.module(j), m_points.block(j), j);
    default: return 0;
    }
}

void Collector::readInitialValues()
{
    m_log.line("Reading Initial Values.\r\n");
    m_handled = 0;
    for (int j = 0; j < capacity() && m_errorRun <= kMaxErrorRun && running(); ++j) {
        if (m_points.type(j) <= 0 || m_points.establishStatus(j) != 0)
            continue;
        int rc = initialValue(j);
        if (rc < 0) {
            m_errorRun = isLinkFailure(rc) ? m_errorRun + 1 : 0;
            logFailure(rc, "Error Reading/Writing Initial Value for Index #%d\r\n", j);
        } else if (rc > 0) {
            m_log.format("Error # %d Reading/Writing Initial Value for Index #%d\r\n", rc, j);
        } else {
            m_log.detailed("Initial Value for Index #%d Read/Written.\r\n", j);
            m_errorRun = 0;
        }
        ++m_handled;
    }
    if (m_errorRun > kMaxErrorRun) {
        m_fatal = true;
    } else if (running()) {
        setThreadPriority(field(m_comm.IdlePriority));
        m_log.format("%d%s\r\n", m_handled, " Initial Values Read.");
        setState(4);
        sleepMs(phaseWaits().afterInitial);
    }
}

void Collector::readExceptionReports()
{
    int rc = CiuReadExceptions();
    m_errorRun += isLinkFailure(rc) ? 1 : -1;
    if (rc < 0) {
        logFailure(rc, "?? Exceptions Read.\r\n", 0);
    } else {
        m_log.detailed("%d Exceptions Read.\r\n", rc);
    }
    rc = CiuReadMiscellaneousStatusExceptions();
    m_errorRun += isLinkFailure(rc) ? 1 : -1;
    m_statusReplyErrors = rc == kReplyCodeError ? m_statusReplyErrors + 1 : 0;
    if (rc < 0) {
        logFailure(rc, "?? Misc. Exceptions Read.\r\n", 0);
    } else {
        m_log.detailed("%d Misc. Exceptions Read.\r\n", rc);
    }
}

void Collector::logRoundRobinResult(const RoundRobinTexts &texts, int rc, int slot)
{
    if (isLinkFailure(rc) || (rc < 0 && m_log.detailedEnabled()))
        logFailure(rc, texts.error, slot);
    else if (rc > 0)
        m_log.detailed(texts.code, rc, slot);
    else if (rc == 0)
        m_log.detailed(texts.success, slot);
}

// One round-robin pass, from slot next on, of at most limit commands: visit(s) sends the
// slot's command and returns its result, or nothing when the slot has no turn.  Every
// slot gets its turn: the position wraps only once it has passed the last slot.  Returns
// where the next pass begins.
template <typename Visit>
int Collector::roundRobin(int next, int limit, const RoundRobinTexts &texts, Visit visit)
{
    int s = next >= capacity() ? 1 : next;
    for (int sent = 0; s < capacity() && sent < limit && m_errorRun <= kMaxErrorRun && running(); ++s) {
        std::optional<int> rc = visit(s);
        if (!rc)
            continue;
        m_errorRun += isLinkFailure(*rc) ? 1 : -1;
        logRoundRobinResult(texts, *rc, s);
        ++sent;
    }
    return s;
}

void Collector::pollNonExceptionPoints()
{
    static const RoundRobinTexts texts{"Error in Non-Exception Point #%d.\r\n",
                                       "Error %d in Non-Exception Point # %d.\r\n",
                                       "Non-Exceptions Point #%d Read OK.\r\n"};
    m_nextNonExp = roundRobin(m_nextNonExp, field(m_comm.NonExpPoints), texts, [&](int s) -> std::optional<int> {
        if (m_points.type(s) != 99 || m_points.establishStatus(s) != 0)
            return std::nullopt;
        return CiuReadBlock(m_points.address(s), m_points.module(s), m_points.block(s), s);
    });
}

void Collector::writeOutputPoints()
{
    static const RoundRobinTexts texts{"Error in Output Point #%d.\r\n", "Error %d in Output Point # %d.\r\n",
                                       "Output Point #%d Written OK.\r\n"};
    m_nextOutput = roundRobin(m_nextOutput, field(m_comm.WritePoints), texts, [&](int s) -> std::optional<int> {
        int type = m_points.type(s);
        SlotOutput out;
        if ((type != 12 && type != 13) || m_points.establishStatus(s) != 0 || !m_points.takeOutput(s, out))
            return std::nullopt;
        return CiuOutputValue(s, type, out.quality, out.value);
    });
}

void Collector::waitForStep()
{
    if (field(m_comm.RunContinuous) != 0)
        return;
    storeField(m_comm.StepRequest, 0);
    while (running() && field(m_comm.RunContinuous) == 0 && field(m_comm.StepRequest) == 0 && !m_fatal) {
        m_d.tune.serve(m_d.link);
        sleepMs(phaseWaits().stepPoll);
    }
}

void Collector::monitor()
{
    m_log.line("Starting Data Exception Monitoring Loop.\r\n");
    setState(5);
    while (running() && !m_fatal) {
        storeField(m_comm.Monitoring, 1);
        if (field(m_comm.ExpReadsEnabled))
            readExceptionReports();
        if (field(m_comm.NonExpPoints) && field(m_comm.NonExpEnabled) && m_errorRun <= kMaxErrorRun && running())
            pollNonExceptionPoints();
        if (field(m_comm.WritePoints) && field(m_comm.WriteEnabled) && m_errorRun <= kMaxErrorRun && running())
            writeOutputPoints();
        if (m_errorRun < 0)
            m_errorRun = 0;
        if (m_errorRun > kMaxErrorRun || m_statusReplyErrors > kMaxStatusReplyErrors)
            m_fatal = true;
        setThreadPriority(field(m_comm.IdlePriority));
        if (running())
            m_d.tune.serve(m_d.link);
        if (running())
            sleepMs(field(m_comm.ExpDelay));
        waitForStep();
    }
}

void Collector::endCycle()
{
    storeField(m_comm.Monitoring, 0);
    setState(1);
    m_points.markForRestart();
}

void Collector::stop()
{
    setThreadPriority(field(m_comm.CollectionPriority));
    CiuOnline(0);
    setThreadPriority(field(m_comm.IdlePriority));
}

void Collector::run()
{
    if (!field(m_comm.ExpReadsEnabled))
        m_points.stopCollectingSlot0();
    while (running()) {
        m_fatal = false;
        m_log.line("Attempting to Restart CIU.\r\n");
        if (!restartCiu()) {
            if (running()) {
                setThreadPriority(field(m_comm.IdlePriority));
                beep(2000, 200);
                sleepMs(field(m_comm.RestartInterval));
            }
            m_fatal = true;
        } else {
            afterRestart();
            if (capacity() >= 2)
                establishPoints();
            readInitialValues();
            if (running() && !m_fatal)
                monitor();
        }
        endCycle();
    }
    stop();
}

}  // namespace

void runCollection(DriverState &driver)
{
    // The command pace is a short sleep before every command: asked for at the default
    // timer slack (50 us) it would run late by that much, on every command.
    ::prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    Collector collector(driver);
    collector.run();
}

}  // namespace vantor
