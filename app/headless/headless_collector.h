// The collector without a screen, for plants that run it as a service: loads a tag
// selection, starts collection as an automatic start does, reports each change of the
// connection state and a short summary every minute, and stops cleanly on SIGINT,
// SIGTERM or SIGHUP.  Its driver client serves the tag values and qualities over DDE as
// the program with a window does (docs/dde.md).  Qt Core only.
#pragma once

#include "collect/collection_control.h"
#include "core/clock.h"

#include <QObject>
#include <QTextStream>
#include <QTimer>
#include <memory>

class QSocketNotifier;

namespace tk70 {

class CCiuDriver;
class CTagDoc;
class SettingsStore;

class HeadlessCollector : public QObject, public CollectionHost {
    Q_OBJECT

public:
    // Exit codes of the headless program.
    static constexpr int kExitStopped = 0;
    static constexpr int kExitRefused = 2;
    static constexpr int kSummaryPeriodMs = 60000;

    HeadlessCollector(SettingsStore &store, QTextStream &out, QObject *parent = nullptr);
    ~HeadlessCollector() override;

    // Loads the selection and starts the collection.  False when the file cannot be
    // read or the start is refused; the reason has gone to standard error.
    bool start(const QString &tsfPath, bool overwrite);
    // Stops without a question and ends the event loop with kExitStopped.
    void stop();
    // Routes SIGINT, SIGTERM and SIGHUP to stop(); false when that cannot be set up.
    bool watchSignals();

    const CollectionControl &collection() const { return *m_collection; }
    const CCiuDriver &driver() const { return *m_driver; }
    // The summary line written every minute.
    QString summary() const;
    // One group's part of it.
    static QString groupSummary(int index, const GroupRun &group);

    // CollectionHost: there are no forms or windows to consult.
    bool commitSetupForms() override { return true; }
    void storeSetupForms() override {}
    void setBusy(bool) override {}
    void collectionStarted() override {}
    void collectionStopped() override {}

private:
    void reportConnectionState(int state);
    void writeLine(const QString &text);
    void onSignal();

    SettingsStore &m_store;
    QTextStream &m_out;
    SystemClock m_clock;
    std::unique_ptr<CCiuDriver> m_driver;
    std::unique_ptr<CTagDoc> m_document;
    std::unique_ptr<CollectionControl> m_collection;
    QTimer m_summaryTimer;
    int m_lastState = -2;
    QSocketNotifier *m_signalNotifier = nullptr;
};

// The headless program: TK70 --headless FILE.tsf [--overwrite], with the file and the
// option as the command line gave them (an empty file is refused with the usage).  A
// settings file that cannot be read is reported on standard error first.  Returns its
// exit code.
int runHeadless(const QString &file, bool overwrite);

}  // namespace tk70
