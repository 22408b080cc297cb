// CCiuDriver: the program's one point of contact with the CIU driver.
//
// It fills the driver's configuration record from the settings store, builds the point
// list from the tags of a collection, opens and closes the connection, keeps a cache of
// every tag's value, quality and status (refreshed once a second while a collection
// runs), and offers the block tuning exchange.  Everything runs on the program's thread;
// the driver's own thread is reached only through the driver's functions.
#pragma once

#include "core/product.h"
#include "driver/vantor.h"
#include "driverclient/driver_settings.h"

#include <QObject>
#include <QString>
#include <array>
#include <memory>

namespace tk70 {

class CiuDdeServer;
struct DdeSettings;
class SettingsStore;

class CCiuDriver : public QObject {
    Q_OBJECT

public:
    static constexpr int kMaxPoints = kTagCapacity;
    static constexpr int kMaxTuneSpecs = CIU_TUNE_SPECS;

    // Initialises the driver's record, switches its log on as "TK70Pro.LOG", loads the
    // driver settings from the store and, unless the store switches it off, starts the DDE
    // server ("Error Initializing DDE Server." when it cannot; the program goes on).
    explicit CCiuDriver(const SettingsStore &store, QObject *parent = nullptr);
    ~CCiuDriver() override;

    // Connection.
    bool createEvents();
    void clearPoints();
    // Adds a tag as the next point; returns the new point count, or 0 when full.
    int addPoint(const QString &tagName, int loop, int pcu, int module, int block, int driverType,
                 double reportValue1 = 0.0, double reportValue2 = 100.0);
    // Loads the point list and opens the connection; false when either is refused.  The
    // cache reads 0.0 of bad quality, not yet established, from here until a refresh
    // has read the driver's value array.
    bool start();
    int stop();
    bool isRunning() const { return m_running; }
    void refresh();

    // The cache of tag position i (0-based), as of the last refresh.
    int pointCount() const { return m_pointCount; }
    QString tagName(int i) const;
    double value(int i) const;
    int quality(int i) const;
    int establishStatus(int i) const;

    // Driver status, read from the record.
    double ciuStatusValue() const;
    int connectionState() const;
    int monitoring() const;
    int moduleType() const;
    int moduleMode() const;
    int ciuLoop() const;
    int ciuPcu() const;
    float revision() const;
    int commands() const;
    int errors() const;
    int restarts() const;
    void resetCounters();
    int maxTagCount() const;

    // Link settings of the current tag selection.
    int baudRate() const;
    int comPort() const;
    void setBaudRate(int baudRate);
    void setComPort(int port);

    // Settings of the settings store.
    int setting(DriverSetting setting) const;
    void setSetting(DriverSetting setting, int value);
    bool logEnabled() const;
    bool logDetailed() const;
    QString logFileName() const;
    void setLogSettings(bool enabled, bool detailed, const QString &fileName);
    // The device COM port 1 or 2 stands for; empty: the driver's own choice (TK70_COM<n>,
    // else /dev/ttyS<n-1>).  Used at the next connection.
    void setPortDevice(int port, const QString &device);

    // The DDE server; null when it is switched off or could not start.
    const CiuDdeServer *ddeServer() const { return m_dde.get(); }

    // Block tuning.
    bool requestTuneRead(int loop, int pcu, int module, int block);
    bool requestTuneWrite();
    bool verifyTuneWrite() const;
    double tuneSpecValue(int n) const;
    bool tuneSpecTunable(int n) const;
    bool setTuneSpecValue(int n, double value);

private:
    void loadSettings(const SettingsStore &store);
    void loadWatchdog(const SettingsStore &store);
    void loadLogSettings(const SettingsStore &store);
    void loadPortDevices(const SettingsStore &store);
    void adaptToPointMix();
    void markCacheUnread();
    void readPoint(int i);
    void startDdeServer(const DdeSettings &settings);
    void waitUntilDisconnected() const;
    bool validPosition(int i) const { return i >= 0 && i < m_pointCount; }

    CiuCommStruct *m_comm = nullptr;
    bool m_eventsCreated = false;
    bool m_running = false;
    bool m_autoPointDetection = true;
    int m_pointCount = 0;

    // Point list, per tag position.
    std::array<QString, kMaxPoints> m_tagNames;
    std::array<int, kMaxPoints> m_indexes{}, m_loops{}, m_pcus{}, m_modules{}, m_blocks{}, m_types{}, m_alarmStates{};
    std::array<double, kMaxPoints> m_report1{}, m_report2{}, m_high{}, m_low{};
    // The mix of the point list, for the automatic point detection.
    int m_exceptionCount = 0;
    int m_nonExceptionCount = 0;

    // Cache of the last refresh.
    std::array<double, kMaxPoints> m_values{};
    std::array<int, kMaxPoints> m_qualities{}, m_newValues{}, m_outputPending{}, m_establish{};

    // Tuning: what was written, to verify against a fresh read.
    int m_tuneSpecCount = 0;
    int m_tuneFunctionCode = 0;
    std::array<double, kMaxTuneSpecs> m_tuneValues{};

    std::unique_ptr<CiuDdeServer> m_dde;
};

}  // namespace tk70
