// CCiuDriver, the program's contact with the CIU driver: see ciu_driver.h.
#include "driverclient/ciu_driver.h"

#include "driver/comm_access.h"
#include "driverclient/ciu_dde_server.h"
#include "platform/messages.h"
#include "platform/registry/settings_store.h"

#include <QThread>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace tk70 {

using vantor::loadField;
using vantor::storeField;

namespace {

constexpr int kLogNameLimit = 100;  // bytes of a stored log file name, its zero byte included
const char *const kDefaultLogName = "TK70Pro.LOG";

void copyLogName(CiuCommStruct &comm, const QByteArray &name)
{
    QByteArray bytes = name.left(CIU_LOG_NAME_SIZE - 1);
    std::memset(comm.LogFileName, 0, sizeof comm.LogFileName);
    std::memcpy(comm.LogFileName, bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace

CCiuDriver::CCiuDriver(const SettingsStore &store, QObject *parent) : QObject(parent)
{
    m_comm = CiuInitializeCommStruct();
    m_comm->LogFileEnabled = 1;
    m_comm->LogFileDetailed = 0;
    copyLogName(*m_comm, kDefaultLogName);
    loadSettings(store);
    startDdeServer(loadDdeSettings(store));
}

void CCiuDriver::startDdeServer(const DdeSettings &settings)
{
    if (!settings.enabled)
        return;
    auto server = std::make_unique<CiuDdeServer>(settings, *this);
    if (!server->initialise()) {
        qWarning("DDE server: %s", qPrintable(server->errorText()));
        Messages::note(QStringLiteral("Error Initializing DDE Server."), QString::fromLatin1(kTitleProgram),
                       MessageIcon::Exclamation);
        return;
    }
    m_dde = std::move(server);
}

CCiuDriver::~CCiuDriver()
{
    if (m_eventsCreated || m_running) {
        if (CiuCheckConnected())
            CiuCloseConnection();
        waitUntilDisconnected();
        if (m_eventsCreated)
            CiuDestroyEvents();
    }
}

void CCiuDriver::loadSettings(const SettingsStore &store)
{
    if (!store.keyExists(kDriverKey))
        return;
    for (const DriverSettingInfo &info : driverSettings()) {
        if (info.setting == DriverSetting::WatchdogValue)
            continue;  // taken together with "WatchdogEnabled"
        if (auto v = store.dword(kDriverKey, info.valueName))
            setSetting(info.setting, static_cast<int>(*v));
    }
    loadWatchdog(store);
    loadLogSettings(store);
    loadPortDevices(store);
}

// "WatchdogEnabled" decides: nonzero takes "WatchdogValue" (10 when it cannot be read),
// zero switches the watchdog off; without it the default stays.
void CCiuDriver::loadWatchdog(const SettingsStore &store)
{
    auto enabled = store.dword(kDriverKey, "WatchdogEnabled");
    if (!enabled)
        return;
    auto value = store.dword(kDriverKey, "WatchdogValue");
    setSetting(DriverSetting::WatchdogValue, *enabled == 0 ? 0 : static_cast<int>(value.value_or(10)));
}

// The three log values apply together, and only when the name is stored as a multi-string
// of at most 100 bytes and both flags are 0 or 1 (a missing flag counts as 0).
void CCiuDriver::loadLogSettings(const SettingsStore &store)
{
    auto name = store.multiString(kDriverKey, "LogFileName");
    if (!name || name->size() > kLogNameLimit)
        return;
    quint32 enabled = store.dword(kDriverKey, "LogFileEnabled").value_or(0);
    quint32 detailed = store.dword(kDriverKey, "LogFileDetailed").value_or(0);
    if (enabled > 1 || detailed > 1)
        return;
    if (enabled == 0) {
        storeField(m_comm->LogFileEnabled, 0);
        return;
    }
    int end = name->indexOf('\0');
    setLogSettings(true, detailed == 1, QString::fromUtf8(end < 0 ? *name : name->left(end)));
}

void CCiuDriver::loadPortDevices(const SettingsStore &store)
{
    for (int port : {1, 2}) {
        auto device = store.string(kDriverKey, portDeviceValueName(port));
        if (device && !device->isEmpty())
            setPortDevice(port, *device);
    }
}

void CCiuDriver::setPortDevice(int port, const QString &device)
{
    const QByteArray path = device.toUtf8();
    CiuSetPortDevice(port, path.isEmpty() ? nullptr : path.constData());
}

bool CCiuDriver::createEvents()
{
    if (!CiuCreateEvents())
        return false;
    m_eventsCreated = true;
    resetCounters();
    m_pointCount = 0;
    return true;
}

void CCiuDriver::clearPoints()
{
    m_pointCount = 0;
    m_exceptionCount = m_nonExceptionCount = 0;
}

int CCiuDriver::addPoint(const QString &tagName, int loop, int pcu, int module, int block, int driverType,
                         double reportValue1, double reportValue2)
{
    if (m_pointCount >= maxTagCount())
        return 0;
    if (driverType == 99)
        ++m_nonExceptionCount;
    else
        ++m_exceptionCount;
    int i = m_pointCount++;
    m_tagNames[i] = tagName;
    m_loops[i] = loop;
    m_pcus[i] = pcu;
    m_modules[i] = module;
    m_blocks[i] = block;
    m_types[i] = driverType;
    m_indexes[i] = i + 1;
    m_alarmStates[i] = 0;
    m_report1[i] = reportValue1;
    m_report2[i] = reportValue2;
    m_high[i] = 100.0;
    m_low[i] = 0.0;
    return m_pointCount;
}

// Fits the driver's polling to the mix of points: exception reports only, polled
// non-exception points only, or a share of each cycle for the non-exception points.
void CCiuDriver::adaptToPointMix()
{
    int n = m_nonExceptionCount, e = m_exceptionCount;
    setSetting(DriverSetting::NonExpEnabled, n > 0 ? 1 : 0);
    setSetting(DriverSetting::ExpReadsEnabled, e > 0 ? 1 : 0);
    int points = 3, delay = 200;
    if (n > 0 && e > 0) {
        points = std::max(3, static_cast<int>(static_cast<double>(n) / (n + e) * 25));
        delay = std::max(0, (8 - std::min(points, n)) * 25);
    } else if (n > 0) {
        points = 25;
        delay = 0;
    }
    setSetting(DriverSetting::NonExpPoints, points);
    setSetting(DriverSetting::ExpDelay, delay);
}

// The cache as the driver's table reads after a load: 0.0 of bad quality, not yet
// established, no flags.  Whatever reads the cache before the first refresh of a
// connection (a group whose first sample comes first) sees bad values, neither 0.0 nor
// the last connection's values passed off as good.
void CCiuDriver::markCacheUnread()
{
    m_values.fill(0.0);
    m_qualities.fill(1);
    m_establish.fill(-1);
    m_newValues.fill(0);
    m_outputPending.fill(0);
}

bool CCiuDriver::start()
{
    markCacheUnread();
    if (!CiuLoadPointList(m_pointCount, m_indexes.data(), m_loops.data(), m_pcus.data(), m_modules.data(),
                          m_blocks.data(), m_types.data(), m_alarmStates.data(), m_report1.data(), m_report2.data(),
                          m_high.data(), m_low.data()))
        return false;
    if (m_autoPointDetection)
        adaptToPointMix();
    if (!CiuOpenConnection())
        return false;
    m_running = true;
    if (m_dde)
        m_dde->makeTagItems();
    return true;
}

int CCiuDriver::stop()
{
    m_running = false;
    m_exceptionCount = m_nonExceptionCount = 0;
    int rc = CiuCloseConnection();
    waitUntilDisconnected();
    if (m_dde && m_dde->hasTagItems()) {
        for (int i = 0; i < m_pointCount; ++i)
            readPoint(i);
        m_dde->finalPassAndDropTagItems();
    }
    return rc;
}

void CCiuDriver::waitUntilDisconnected() const
{
    while (CiuCheckConnected())
        QThread::msleep(50);
}

void CCiuDriver::refresh()
{
    if (!CiuCheckConnected())
        return;
    if (m_dde)
        m_dde->beginAdvisePass();
    for (int i = 0; i < m_pointCount; ++i) {
        readPoint(i);
        if (m_dde)
            m_dde->advisePoint(i, m_newValues[i] != 0);
    }
    if (m_dde)
        m_dde->endAdvisePass();
}

void CCiuDriver::readPoint(int i)
{
    CiuReadFromValueArray(m_indexes[i], &m_values[i], &m_qualities[i], &m_establish[i], &m_newValues[i],
                          &m_outputPending[i]);
}

QString CCiuDriver::tagName(int i) const { return validPosition(i) ? m_tagNames[i] : QString(); }
double CCiuDriver::value(int i) const { return validPosition(i) ? m_values[i] : 0.0; }
int CCiuDriver::quality(int i) const { return validPosition(i) ? m_qualities[i] : 1; }
int CCiuDriver::establishStatus(int i) const { return validPosition(i) ? m_establish[i] : -1; }

double CCiuDriver::ciuStatusValue() const
{
    if (!CiuCheckConnected())
        return 0.0;
    double value = 0.0;
    int quality, establish, fresh, pending;
    CiuReadFromValueArray(0, &value, &quality, &establish, &fresh, &pending);
    return value;
}

int CCiuDriver::connectionState() const { return loadField(m_comm->ConnectionState); }
int CCiuDriver::monitoring() const { return loadField(m_comm->Monitoring); }
int CCiuDriver::moduleType() const { return loadField(m_comm->CiuModuleType); }
int CCiuDriver::moduleMode() const { return loadField(m_comm->CiuModuleMode); }
int CCiuDriver::ciuLoop() const { return loadField(m_comm->CiuLoop); }
int CCiuDriver::ciuPcu() const { return loadField(m_comm->CiuPcu); }
float CCiuDriver::revision() const { return loadField(m_comm->DriverRevision); }
int CCiuDriver::commands() const { return loadField(m_comm->CommandCount); }
int CCiuDriver::errors() const { return loadField(m_comm->ErrorCount); }
int CCiuDriver::restarts() const { return loadField(m_comm->RestartCount); }

void CCiuDriver::resetCounters()
{
    storeField(m_comm->CommandCount, 0);
    storeField(m_comm->ErrorCount, 0);
    storeField(m_comm->RestartCount, 0);
}

int CCiuDriver::maxTagCount() const { return std::clamp(loadField(m_comm->PointCapacity), 0, kMaxPoints); }

int CCiuDriver::baudRate() const { return loadField(m_comm->BaudRate); }
int CCiuDriver::comPort() const { return loadField(m_comm->ComPort); }
void CCiuDriver::setBaudRate(int baudRate) { storeField(m_comm->BaudRate, static_cast<uint16_t>(baudRate)); }
void CCiuDriver::setComPort(int port) { storeField(m_comm->ComPort, static_cast<uint16_t>(port)); }

int CCiuDriver::setting(DriverSetting setting) const
{
    const DriverSettingInfo &info = driverSettingInfo(setting);
    if (info.field)
        return loadField(m_comm->*info.field);
    if (info.byteField)
        return loadField(m_comm->*info.byteField);
    return m_autoPointDetection ? 1 : 0;
}

void CCiuDriver::setSetting(DriverSetting setting, int value)
{
    const DriverSettingInfo &info = driverSettingInfo(setting);
    if (info.field)
        storeField(m_comm->*info.field, value);
    else if (info.byteField)
        storeField(m_comm->*info.byteField, static_cast<uint8_t>(value & 0xFF));
    else
        m_autoPointDetection = value != 0;
}

bool CCiuDriver::logEnabled() const { return loadField(m_comm->LogFileEnabled) != 0; }
bool CCiuDriver::logDetailed() const { return loadField(m_comm->LogFileDetailed) != 0; }

QString CCiuDriver::logFileName() const
{
    return QString::fromUtf8(m_comm->LogFileName,
                             static_cast<qsizetype>(strnlen(m_comm->LogFileName, CIU_LOG_NAME_SIZE)));
}

void CCiuDriver::setLogSettings(bool enabled, bool detailed, const QString &fileName)
{
    storeField(m_comm->LogFileEnabled, enabled ? 1 : 0);
    storeField(m_comm->LogFileDetailed, detailed ? 1 : 0);
    copyLogName(*m_comm, fileName.toUtf8());
}

bool CCiuDriver::requestTuneRead(int loop, int pcu, int module, int block)
{
    return CiuRequestReadTuneSpecs(loop, pcu, module, block) != 0;
}

bool CCiuDriver::requestTuneWrite()
{
    m_tuneSpecCount = std::clamp(CiuGetTuneSpecCount(), 0, kMaxTuneSpecs);
    m_tuneFunctionCode = CiuGetTuneFunctionCode();
    for (int k = 0; k < m_tuneSpecCount; ++k)
        m_tuneValues[k] = CiuGetTuneSpecValue(k + 1);
    return CiuRequestWriteTuneSpecs() != 0;
}

// A fresh read of the block must hold what was written: the same function code, the same
// number of specs, and every value within a thousandth of it.
bool CCiuDriver::verifyTuneWrite() const
{
    if (CiuGetTuneFunctionCode() != m_tuneFunctionCode || CiuGetTuneSpecCount() != m_tuneSpecCount ||
        m_tuneSpecCount <= 0)
        return false;
    for (int k = 0; k < m_tuneSpecCount; ++k) {
        double written = m_tuneValues[k];
        double tolerance = std::max(std::fabs(written) * 0.001, 0.00001);
        if (std::fabs(written - CiuGetTuneSpecValue(k + 1)) > tolerance)
            return false;
    }
    return true;
}

double CCiuDriver::tuneSpecValue(int n) const { return CiuGetTuneSpecValue(n); }
bool CCiuDriver::tuneSpecTunable(int n) const { return CiuGetTuneSpecTunable(n) != 0; }

// True when the driver took the value: it lies in the range of the tuning value's format
// and the format can hold it.  A value refused is never counted as set (the block would
// keep its old value while the write and its read-back reported success).  The block's
// own value offered back unchanged is always taken, whatever it is.
bool CCiuDriver::setTuneSpecValue(int n, double value) { return CiuSetTuneSpecValue(n, value) != 0; }

}  // namespace tk70
