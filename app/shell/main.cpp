// TK70: the program.  Creates the application, runs the start-up sequence and the event
// loop.  With --nologo the start-up window is not shown.
#include "collector_app.h"
#include "dialogs/program_artwork.h"
#include "main_frame.h"
#include "framework/message_box_sink.h"
#include "messages.h"
#include "registry/settings_store.h"

#include <QApplication>

int main(int argc, char **argv)
{
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
