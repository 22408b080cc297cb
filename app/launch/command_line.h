// The command line of TK70, read from the plain argc/argv before any application object
// exists, so that --help, --version and a wrong option need neither a display nor Qt's
// platform plugin.  Qt Core only.
#pragma once

#include <QString>
#include <QStringList>

namespace tk70 {

// What one start of the program is asked to do.
struct LaunchRequest {
    enum class Mode {
        Window,    // TK70 [FILE.tsf] [--nologo]
        Headless,  // TK70 --headless FILE.tsf [--overwrite] (the collector refuses a missing file)
        Help,      // TK70 --help: the usage on standard output
        Version,   // TK70 --version: the version text on standard output
        Invalid,   // a wrong command line: problem says what, the usage goes to standard error
    };
    Mode mode = Mode::Window;
    QString file;            // Window, Headless: the tag selection named, or empty
    bool showLogo = true;    // Window: false with --nologo
    bool overwrite = false;  // Headless: --overwrite
    QString problem;         // Invalid: "unknown option --bogus" and the like
};

// Exit codes of the starts that end at once.
inline constexpr int kExitDone = 0;
inline constexpr int kExitUsage = 2;

// Reads argv[1] .. argv[argc - 1].  Never fails: a wrong line gives Mode::Invalid.  A wrong
// option outweighs --help, and --help outweighs --version.
LaunchRequest parseCommandLine(int argc, const char *const *argv);
// The same for arguments already decoded, the program's name left out (what the
// application object is started with).
LaunchRequest parseArguments(const QStringList &arguments);

// The usage text, several lines, each ending in a newline.
QString usageText();

}  // namespace tk70
