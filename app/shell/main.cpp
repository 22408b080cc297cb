// TK70: the program.  Creates the application, runs the start-up sequence and the event
// loop.  With --nologo the start-up window is not shown.  With --headless FILE.tsf it
// collects without a screen (see headless_collector.h).
#include "collector_app.h"
#include "program_artwork.h"
#include "message_box_sink.h"
#include "headless_collector.h"
#include "main_frame.h"
#include "messages.h"
#include "registry/settings_store.h"

#include <QApplication>
#include <cstring>

namespace {

bool headlessRequested(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--headless") == 0)
            return true;
    return false;
}

int runHeadless(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("TK70 Pro"));
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    return tk70::runHeadless(arguments);
}

}  // namespace

int main(int argc, char **argv)
{
    if (headlessRequested(argc, argv))
        return runHeadless(argc, argv);
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("TK70 Pro"));
    QApplication::setWindowIcon(QIcon(tk70::programEmblem(64)));
    tk70::MessageBoxSink boxes;
    tk70::Messages::install(&boxes);
    tk70::SettingsStore store;
    tk70::CCollectorApp app(store);
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    if (!app.initInstance(arguments))
        return 1;
    boxes.setParent(app.mainFrame());
    int rc = QApplication::exec();
    tk70::Messages::install(nullptr);
    return rc;
}
