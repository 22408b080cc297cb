// TK70: the program.  Reads its command line before anything else, so that --help,
// --version and a wrong option answer at once, without a display.  --headless FILE.tsf
// collects without a screen (see headless_collector.h).  Any other start has a window:
// when TK70 already runs with the same settings store, this start hands its file to that
// window (see instance_channel.h) and ends; otherwise it becomes the running window,
// listens for later starts and runs the start-up sequence and the event loop.  With
// --nologo the start-up window is not shown.
#include "app/headless/headless_collector.h"
#include "app/launch/command_line.h"
#include "app/launch/instance_claim.h"
#include "app/launch/instance_server.h"
#include "app/settings/system_figures.h"
#include "app/view/dialogs/program_artwork.h"
#include "app/view/shell/collector_app.h"
#include "app/view/shell/main_frame.h"
#include "core/product.h"
#include "platform/messages.h"
#include "platform/registry/settings_store.h"
#include "platform/view/message_box_sink.h"

#include <QApplication>
#include <QFileInfo>
#include <cstdio>

namespace {

// How long a start waits for the running window, once for the claim and once for the answer.
constexpr int kHandOverDeadlineMs = 10000;
constexpr int kExitNotHandedOver = 1;

// The answer of a start that ends at once (--help, --version, a wrong line); its exit code.
int answerAtOnce(const tk70::LaunchRequest &request)
{
    using Mode = tk70::LaunchRequest::Mode;
    if (request.mode == Mode::Help) {
        std::fputs(tk70::usageText().toLocal8Bit().constData(), stdout);
        return tk70::kExitDone;
    }
    if (request.mode == Mode::Version) {
        std::printf("TK70 Pro %s\n", tk70::programVersionText().toLocal8Bit().constData());
        return tk70::kExitDone;
    }
    std::fprintf(stderr, "TK70: %s\n\n%s", request.problem.toLocal8Bit().constData(),
                 tk70::usageText().toLocal8Bit().constData());
    return tk70::kExitUsage;
}

int runHeadless(int argc, char **argv, const tk70::LaunchRequest &request)
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QString::fromLatin1(tk70::kProductName));
    return tk70::runHeadless(request.file, request.overwrite);
}

// A start that found TK70 running but could not hand its file over says so, on standard
// error and in a message box.
int reportNotHandedOver(int argc, char **argv, const QString &problem)
{
    std::fprintf(stderr, "TK70: %s\n", problem.toLocal8Bit().constData());
    QApplication application(argc, argv);
    tk70::MessageBoxSink boxes;
    tk70::Messages::install(&boxes);
    tk70::Messages::note(problem, QString::fromLatin1(tk70::kTitleError), tk70::MessageIcon::Stop);
    tk70::Messages::install(nullptr);
    return kExitNotHandedOver;
}

// A later start's request: the main window comes to the front, and the file it names (if
// any) opens as a file dropped on the window does.
void answerLaterStart(tk70::CCollectorApp &app, const QString &path)
{
    tk70::CMainFrame *frame = app.mainFrame();
    if (!frame)
        return;
    frame->setWindowState(frame->windowState() & ~Qt::WindowMinimized);
    frame->show();
    frame->raise();
    frame->activateWindow();
    if (!path.isEmpty())
        app.openDroppedFile(path);
}

// Listens for later starts when this start holds the claim; a start that cannot listen
// still runs, alone.
void listenForLaterStarts(tk70::InstanceServer &server, tk70::InstanceClaim *claim, const QString &socketPath)
{
    if (!claim)
        return;
    if (!server.listen(socketPath))
        std::fprintf(stderr, "TK70: later starts will not find this window: %s\n",
                     server.errorString().toLocal8Bit().constData());
    claim->release();
}

// The program with its window.  claim is held when this start is the first for its
// settings store, null when there is no runtime folder to meet other starts in.
int runWindow(int argc, char **argv, tk70::InstanceClaim *claim, const QString &socketPath)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(tk70::kProductName));
    QApplication::setWindowIcon(QIcon(tk70::programEmblem(64)));
    tk70::InstanceServer server;
    listenForLaterStarts(server, claim, socketPath);
    tk70::MessageBoxSink boxes;
    tk70::Messages::install(&boxes);
    tk70::SettingsStore store;
    tk70::CCollectorApp app(store);
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    if (!app.initInstance(arguments))
        return 1;
    boxes.setParent(app.mainFrame());
    QObject::connect(&server, &tk70::InstanceServer::requested, &app,
                     [&app](const QString &path) { answerLaterStart(app, path); });
    server.startDelivering();
    int rc = QApplication::exec();
    tk70::Messages::install(nullptr);
    return rc;
}

// A start with a window: hands its file to the running window of its settings store, or
// becomes that window.
int startWithWindow(int argc, char **argv, const tk70::LaunchRequest &request)
{
    const QString runtime = tk70::userRuntimeFolder();
    if (runtime.isEmpty())
        return runWindow(argc, argv, nullptr, {});
    const QString socketPath = tk70::instanceSocketPath(runtime, tk70::SettingsStore::defaultPath());
    const QString file = request.file.isEmpty() ? QString() : QFileInfo(request.file).absoluteFilePath();
    tk70::InstanceClaim claim(socketPath);
    switch (claim.handOverOrClaim(file, kHandOverDeadlineMs)) {
    case tk70::InstanceClaim::Outcome::HandedOver: return tk70::kExitDone;
    case tk70::InstanceClaim::Outcome::Failed: return reportNotHandedOver(argc, argv, claim.problem());
    case tk70::InstanceClaim::Outcome::First: break;
    }
    return runWindow(argc, argv, &claim, socketPath);
}

}  // namespace

int main(int argc, char **argv)
{
    const tk70::LaunchRequest request = tk70::parseCommandLine(argc, argv);
    switch (request.mode) {
    case tk70::LaunchRequest::Mode::Window: return startWithWindow(argc, argv, request);
    case tk70::LaunchRequest::Mode::Headless: return runHeadless(argc, argv, request);
    case tk70::LaunchRequest::Mode::Help:
    case tk70::LaunchRequest::Mode::Version:
    case tk70::LaunchRequest::Mode::Invalid: break;
    }
    return answerAtOnce(request);
}
