// tk70-graph: graphs of historical data files from the command line, drawn without a
// screen (the offscreen platform unless another is set), for reports made by a job.
#include "trend/graphtool/graph_message_sink.h"
#include "trend/graphtool/graph_options.h"
#include "trend/graphtool/graph_report.h"

#include <QGuiApplication>
#include <cstdio>

namespace {

QtMessageHandler g_qtHandler = nullptr;

// A job run by cron has no XDG_RUNTIME_DIR; Qt says so while it starts the platform, and
// cron would mail that line every night.  Every other message goes on as Qt writes it.
void quietRuntimeFolderNotice(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    g_qtHandler(type, context, message);
}

}  // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    g_qtHandler = qInstallMessageHandler(quietRuntimeFolderNotice);
    // The tool's own arguments, taken before the application object sees them: Qt would
    // act on some of them itself (--reverse turns its layout right-to-left and is gone
    // from its argument list).  Qt gets the program's name only.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);
    QString error;
    const std::optional<tk70::GraphOptions> options = tk70::parseGraphOptions(arguments, &error);
    if (!options) {
        std::fprintf(stderr, "tk70-graph: %s\n%s", error.toUtf8().constData(), tk70::kGraphUsage);
        return 2;
    }
    tk70::GraphMessageSink sink;
    QTextStream out(stdout);
    return tk70::GraphReport(*options).run(out);
}
