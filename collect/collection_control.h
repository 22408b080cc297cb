// Starting and stopping data collection: the start's checks, the registration of the
// tags with the driver client, the opening of the group outputs, the connection, the
// value refresh and sample timers, and the stop and close confirmations.  Widget-free:
// the program's windows take part through CollectionHost, so the same control runs
// the main window's Start and the headless collector.
#pragma once

#include "collect/collection_run.h"
#include "core/clock.h"

#include <QObject>
#include <QTimer>
#include <array>
#include <memory>

namespace tk70 {

class CCiuDriver;
class CTagDoc;

// What the control asks of the program around it.
class CollectionHost {
public:
    virtual ~CollectionHost() = default;
    // Asks the open trend setup, then the open tag editor, to commit their edits; false
    // when one refuses (the start ends).
    virtual bool commitSetupForms() = 0;
    // Copies what the setup forms hold into the document.
    virtual void storeSetupForms() = 0;
    // The wait cursor, on while the start or stop works.
    virtual void setBusy(bool busy) = 0;
    // A start succeeded: open the collection's views, close the setup windows.
    virtual void collectionStarted() = 0;
    // The stop has closed everything: reopen the tag editor, close the views.
    virtual void collectionStopped() = 0;
};

struct StartOptions {
    bool automatic = false;  // the automatic start: its questions are answered Yes
    // With automatic: the files the start opens replace existing ones without the
    // question.  The rollovers of the run ask as any run's do.
    bool overwriteWithoutAsking = false;
};

class CollectionControl : public QObject {
    Q_OBJECT

public:
    static constexpr int kRefreshPeriodMs = 1000;

    CollectionControl(CCiuDriver &driver, CollectionHost &host, const Clock &clock, QObject *parent = nullptr);
    ~CollectionControl() override;

    // The Start command on doc; true when collection runs afterwards.  Every refusal
    // has shown its message and left everything closed.
    bool start(const CTagDoc &doc, StartOptions options);
    // The Stop command.  With ask, "End Data Collection?" is asked first and No returns
    // false with everything running.
    bool stop(bool ask = true);
    // Closing the program: while connected, asks whether to end the connection; No
    // returns false.  Otherwise everything is closed and true returned.
    bool confirmClose();

    bool collecting() const { return m_collecting; }
    // Stops the sample timers and closes every output (writing the samples that wait),
    // the run kept for its final counts until the stop; for a stop that reports them.
    void closeOutputs();
    // The run of the current collection; null while idle.
    const CollectionRun *run() const { return m_run.get(); }

    // One tick of the value refresh (after which the outputs write the samples that wait
    // for their files), and one sample of a group; the timers call these, tests may too.
    void refreshTick();
    void sampleTick(int group);

signals:
    // Collection started or stopped, or a group finished.
    void runStateChanged();
    // After each value refresh: the driver's connection state.
    void refreshed(int connectionState);

private:
    bool prepareStart(const CTagDoc &doc, const StartOptions &options);
    bool openRun(const CTagDoc &doc, const StartOptions &options);
    bool connect();
    void startTimers();
    void closeRun();
    void refuseConnection();

    CCiuDriver &m_driver;
    CollectionHost &m_host;
    const Clock &m_clock;
    std::unique_ptr<PointReadings> m_readings;
    std::unique_ptr<CollectionRun> m_run;
    bool m_collecting = false;
    QTimer m_refreshTimer;
    std::array<QTimer, kCollectionGroupCount> m_groupTimers;
};

}  // namespace tk70
