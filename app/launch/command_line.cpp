// The command line of TK70: see command_line.h.
#include "app/launch/command_line.h"

#include <QFile>
#include <QStringList>
#include <utility>

namespace tk70 {

namespace {

// The options seen, before the forms are checked.
struct Seen {
    bool help = false;
    bool version = false;
    bool headless = false;
    bool overwrite = false;
    bool noLogo = false;
    QString unknown;  // the first option that is none of ours
    QStringList files;
};

// The arguments sorted into our options, the first unknown one and the files.
Seen scan(const QStringList &arguments)
{
    Seen seen;
    const std::pair<QLatin1StringView, bool Seen::*> options[] = {
        {QLatin1StringView("--help"), &Seen::help},         {QLatin1StringView("--version"), &Seen::version},
        {QLatin1StringView("--headless"), &Seen::headless}, {QLatin1StringView("--overwrite"), &Seen::overwrite},
        {QLatin1StringView("--nologo"), &Seen::noLogo},
    };
    for (const QString &argument : arguments) {
        if (!argument.startsWith(QLatin1Char('-'))) {
            seen.files << argument;
            continue;
        }
        bool known = false;
        for (const auto &[name, flag] : options) {
            if (argument == name) {
                seen.*flag = true;
                known = true;
            }
        }
        if (!known && seen.unknown.isEmpty())
            seen.unknown = argument;
    }
    return seen;
}

// Why the options do not make one of the forms; empty when they do.
QString formProblem(const Seen &seen)
{
    if (!seen.unknown.isEmpty())
        return QStringLiteral("unknown option %1").arg(seen.unknown);
    if (seen.files.size() > 1)
        return QStringLiteral("more than one file: %1").arg(seen.files.join(QLatin1Char(' ')));
    if (seen.overwrite && !seen.headless)
        return QStringLiteral("--overwrite belongs to --headless");
    if (seen.noLogo && seen.headless)
        return QStringLiteral("--nologo does not go with --headless");
    return {};
}

}  // namespace

LaunchRequest parseCommandLine(int argc, const char *const *argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QFile::decodeName(argv[i]);
    return parseArguments(arguments);
}

LaunchRequest parseArguments(const QStringList &arguments)
{
    const Seen seen = scan(arguments);
    LaunchRequest request;
    request.problem = formProblem(seen);
    if (!request.problem.isEmpty())
        request.mode = LaunchRequest::Mode::Invalid;
    else if (seen.help)
        request.mode = LaunchRequest::Mode::Help;
    else if (seen.version)
        request.mode = LaunchRequest::Mode::Version;
    else if (seen.headless)
        request.mode = LaunchRequest::Mode::Headless;
    request.file = seen.files.value(0);
    request.showLogo = !seen.noLogo;
    request.overwrite = seen.overwrite;
    return request;
}

QString usageText()
{
    return QStringLiteral("usage: TK70 [FILE.tsf] [--nologo]\n"
                          "       TK70 --headless FILE.tsf [--overwrite]\n"
                          "       TK70 --help\n"
                          "       TK70 --version\n"
                          "\n"
                          "  FILE.tsf     the tag selection to open at start-up\n"
                          "  --nologo     no start-up window\n"
                          "  --headless   collect FILE.tsf without a screen until SIGINT, SIGTERM or SIGHUP\n"
                          "  --overwrite  with --headless: replace data files that exist already\n"
                          "  --help       this text\n"
                          "  --version    the program's version\n"
                          "\n"
                          "While TK70 runs with the same settings store, a start with a window hands FILE.tsf\n"
                          "to the running window (or only brings it to the front) and ends.\n");
}

}  // namespace tk70
