// Start, stop and close of data collection, and the timers of a running collection.
#include "collect/collection_control.h"

#include "collect/driver_readings.h"
#include "collect/point_registration.h"
#include "collect/start_check.h"
#include "driverclient/ciu_driver.h"
#include "platform/messages.h"
#include "tags/tag_doc.h"

namespace tk70 {
namespace {

// Keeps the wait cursor on for the life of a start or stop.
class BusyScope {
public:
    explicit BusyScope(CollectionHost &host) : m_host(host) { m_host.setBusy(true); }
    ~BusyScope() { m_host.setBusy(false); }
    BusyScope(const BusyScope &) = delete;
    BusyScope &operator=(const BusyScope &) = delete;

private:
    CollectionHost &m_host;
};

}  // namespace

CollectionControl::CollectionControl(CCiuDriver &driver, CollectionHost &host, const Clock &clock, QObject *parent)
    : QObject(parent), m_driver(driver), m_host(host), m_clock(clock),
      m_readings(std::make_unique<DriverReadings>(driver))
{
    m_refreshTimer.setInterval(kRefreshPeriodMs);
    QObject::connect(&m_refreshTimer, &QTimer::timeout, this, &CollectionControl::refreshTick);
    for (int g = 0; g < kCollectionGroupCount; ++g)
        QObject::connect(&m_groupTimers[size_t(g)], &QTimer::timeout, this, [this, g] { sampleTick(g); });
}

CollectionControl::~CollectionControl() { closeRun(); }

bool CollectionControl::start(const CTagDoc &doc, StartOptions options)
{
    if (m_collecting || !prepareStart(doc, options))
        return false;
    BusyScope busy(m_host);
    registerTagPoints(doc, m_driver);
    if (!openRun(doc, options)) {
        m_driver.clearPoints();
        return false;
    }
    if (!connect())
        return false;
    m_host.collectionStarted();
    m_refreshTimer.start();
    m_collecting = true;
    emit runStateChanged();
    return true;
}

// The setup forms commit and store; then the settings check.
bool CollectionControl::prepareStart(const CTagDoc &doc, const StartOptions &options)
{
    if (!m_host.commitSetupForms())
        return false;
    m_host.storeSetupForms();
    BusyScope busy(m_host);
    return checkCollectionSettings(doc, options.automatic);
}

// Opens every enabled group's output and starts its sample timer.
bool CollectionControl::openRun(const CTagDoc &doc, const StartOptions &options)
{
    m_run = std::make_unique<CollectionRun>(doc, *m_readings, m_clock);
    const OverwritePolicy policy =
        options.automatic && options.overwriteWithoutAsking ? OverwritePolicy::Overwrite : OverwritePolicy::Ask;
    if (!m_run->openOutputs(policy)) {
        m_run.reset();
        return false;
    }
    startTimers();
    return true;
}

// Opens the connection; on failure everything the start opened is closed again.
bool CollectionControl::connect()
{
    if (m_driver.start())
        return true;
    refuseConnection();
    return false;
}

void CollectionControl::refuseConnection()
{
    Messages::note(QStringLiteral("Unable to Establish Serial Communications Connection.\n"
                                  "Ensure COM Port is Not Used by Another Process."),
                   QLatin1String(kTitleError), MessageIcon::Stop);
    m_driver.clearPoints();
    closeRun();
}

void CollectionControl::startTimers()
{
    for (int g = 0; g < kCollectionGroupCount; ++g) {
        if (!m_run->groupTakesPart(g))
            continue;
        m_groupTimers[size_t(g)].setInterval(m_run->samplePeriodMs(g));
        m_groupTimers[size_t(g)].start();
    }
}

// Stops every timer and closes every open output.
void CollectionControl::closeOutputs()
{
    for (QTimer &timer : m_groupTimers)
        timer.stop();
    if (m_run)
        m_run->closeAll();
}

void CollectionControl::closeRun()
{
    m_refreshTimer.stop();
    for (QTimer &timer : m_groupTimers)
        timer.stop();
    m_run.reset();
}

bool CollectionControl::stop(bool ask)
{
    if (ask && !Messages::askYesNo(QStringLiteral("End Data Collection?"), QLatin1String(kTitleWarning)))
        return false;
    BusyScope busy(m_host);
    m_driver.stop();
    m_driver.clearPoints();
    const bool wasCollecting = m_collecting;
    m_collecting = false;
    m_host.collectionStopped();
    closeRun();
    if (wasCollecting)
        emit runStateChanged();
    return true;
}

bool CollectionControl::confirmClose()
{
    if (m_driver.isRunning()) {
        if (!Messages::askYesNo(QStringLiteral("Data Collection Connection Established.\n\nTerminate Connection?"),
                                QLatin1String(kTitleProgram)))
            return false;
        BusyScope busy(m_host);
        m_driver.stop();
    }
    closeRun();
    m_collecting = false;
    return true;
}

void CollectionControl::refreshTick()
{
    if (!m_collecting)
        return;
    m_driver.refresh();
    if (m_run)
        m_run->writeWaiting();
    emit refreshed(m_driver.connectionState());
}

void CollectionControl::sampleTick(int group)
{
    if (!m_collecting || !m_run)
        return;
    if (m_run->sampleTick(group) == CollectionRun::Tick::StopTimer) {
        m_groupTimers.at(size_t(group)).stop();
        emit runStateChanged();
    }
}

}  // namespace tk70
