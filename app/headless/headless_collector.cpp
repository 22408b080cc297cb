// The headless collector: see headless_collector.h.
#include "app/headless/headless_collector.h"

#include "app/settings/app_settings.h"
#include "app/settings/database_output_settings.h"
#include "app/settings/historian_output_settings.h"
#include "collect/connection_state_text.h"
#include "driverclient/ciu_driver.h"
#include "platform/registry/settings_store.h"
#include "platform/registry/settings_warning.h"
#include "tags/collection_group.h"
#include "tags/tag_doc.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSocketNotifier>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace tk70 {
namespace {

int g_signalPipe[2] = {-1, -1};

// Interrupt, termination, and the hang-up of a terminal that goes away (an SSH session
// that drops): each stops the collection cleanly.
constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};

void forwardSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] ssize_t written = ::write(g_signalPipe[1], &byte, 1);
}

}  // namespace

HeadlessCollector::HeadlessCollector(SettingsStore &store, QTextStream &out, QObject *parent)
    : QObject(parent), m_store(store), m_out(out), m_driver(std::make_unique<CCiuDriver>(store)),
      m_document(std::make_unique<CTagDoc>())
{
    m_collection = std::make_unique<CollectionControl>(*m_driver, *this, m_clock);
    connect(m_collection.get(), &CollectionControl::refreshed, this, &HeadlessCollector::reportConnectionState);
    m_summaryTimer.setInterval(kSummaryPeriodMs);
    connect(&m_summaryTimer, &QTimer::timeout, this, [this] { writeLine(summary()); });
}

HeadlessCollector::~HeadlessCollector()
{
    m_collection.reset();
    if (m_signalNotifier) {
        for (int signal : kStopSignals)
            std::signal(signal, SIG_DFL);
    }
}

bool HeadlessCollector::start(const QString &tsfPath, bool overwrite)
{
    if (!m_driver->createEvents()) {
        writeLine(QStringLiteral("Unable to Allocate Driver Event Handling."));
        return false;
    }
    if (!m_document->openDocument(tsfPath))
        return false;
    m_driver->setComPort(m_document->comPort());
    m_driver->setBaudRate(m_document->baudRate());
    const AppSettings settings = loadAppSettings(m_store);
    applyDatabaseSettings(settings);
    applyHistorianSettings(settings, m_store.path());
    const StartOptions options{true, overwrite || settings.autoOverwriteAckOnAutoStart};
    if (!m_collection->start(*m_document, options))
        return false;
    writeLine(QStringLiteral("Collecting from %1 on COM%2 at %3 baud.")
                  .arg(QFileInfo(tsfPath).absoluteFilePath())
                  .arg(m_document->comPort())
                  .arg(m_document->baudRate()));
    reportConnectionState(m_driver->connectionState());
    m_summaryTimer.start();
    return true;
}

void HeadlessCollector::stop()
{
    m_summaryTimer.stop();
    if (m_collection->collecting()) {
        m_collection->closeOutputs();  // the summary counts what the close could still write
        writeLine(summary());
        m_collection->stop(false);
        writeLine(QStringLiteral("Collection stopped."));
    }
    QCoreApplication::exit(kExitStopped);
}

bool HeadlessCollector::watchSignals()
{
    if (g_signalPipe[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signalPipe) != 0)
        return false;
    m_signalNotifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, this);
    connect(m_signalNotifier, &QSocketNotifier::activated, this, &HeadlessCollector::onSignal);
    struct sigaction action {};
    action.sa_handler = forwardSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : kStopSignals)
        if (::sigaction(signal, &action, nullptr) != 0)
            return false;
    return true;
}

void HeadlessCollector::onSignal()
{
    char byte = 0;
    [[maybe_unused]] ssize_t got = ::read(g_signalPipe[0], &byte, 1);
    stop();
}

// One line per change: the status bar's text for the state.
void HeadlessCollector::reportConnectionState(int state)
{
    if (state == m_lastState)
        return;
    m_lastState = state;
    writeLine(QStringLiteral("CIU: %1").arg(ciuPaneText(state)));
}

// What a group's output holds: the samples stored, then those that wait for the file
// and those lost, when there are any.
QString HeadlessCollector::groupSummary(int index, const GroupRun &group)
{
    QString text = QStringLiteral("group %1: %2 samples stored to %3")
                       .arg(index + 1)
                       .arg(group.counts.stored)
                       .arg(group.outputName);
    if (group.counts.waiting > 0)
        text += QStringLiteral(", %1 waiting").arg(group.counts.waiting);
    if (group.counts.lost > 0)
        text += QStringLiteral(", %1 lost").arg(group.counts.lost);
    if (group.finished)
        text += QStringLiteral(", finished");
    if (const QString state = group.output ? group.output->stateText() : QString(); !state.isEmpty())
        text += QStringLiteral("; ") + state;
    return text;
}

QString HeadlessCollector::summary() const
{
    QStringList parts{QStringLiteral("CIU: %1").arg(ciuPaneText(m_driver->connectionState())),
                      QStringLiteral("commands %1, errors %2, restarts %3")
                          .arg(m_driver->commands())
                          .arg(m_driver->errors())
                          .arg(m_driver->restarts())};
    const CollectionRun *run = m_collection->run();
    for (int g = 0; run && g < kCollectionGroupCount; ++g) {
        if (!run->groupTakesPart(g))
            continue;
        const GroupRun &group = run->group(g);
        parts << groupSummary(g, group);
    }
    return parts.join(QStringLiteral("; "));
}

void HeadlessCollector::writeLine(const QString &text)
{
    m_out << QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss  ")) << text << Qt::endl;
}

int runHeadless(const QString &file, bool overwrite)
{
    QTextStream err(stderr);
    if (file.isEmpty()) {
        err << "usage: TK70 --headless FILE.tsf [--overwrite]" << Qt::endl;
        return HeadlessCollector::kExitRefused;
    }
    QTextStream out(stdout);
    SettingsStore store;
    warnIfSettingsUnreadable(store);  // on standard error: the collector only reads the store
    HeadlessCollector collector(store, out);
    if (!collector.watchSignals() || !collector.start(file, overwrite))
        return HeadlessCollector::kExitRefused;
    return QCoreApplication::exec();
}

}  // namespace tk70
