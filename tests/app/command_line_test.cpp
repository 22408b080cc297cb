// The command line of TK70, read before anything else: every form, the order of weight
// between a wrong option, --help and --version, and the lines that make no form.
#include "app/launch/command_line.h"

#include <gtest/gtest.h>
#include <vector>

using namespace tk70;

namespace {

using Mode = LaunchRequest::Mode;

struct ParseCase {
    const char *name;
    std::vector<const char *> arguments;  // without the program name
    Mode mode;
    QString file;
    bool showLogo;
    QString problem;
};

LaunchRequest parse(const std::vector<const char *> &arguments)
{
    std::vector<const char *> argv{"TK70"};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return parseCommandLine(static_cast<int>(argv.size()), argv.data());
}

}  // namespace

TEST(CommandLine, EveryFormAndEveryWrongLine)
{
    const std::vector<ParseCase> cases = {
        {"nothing", {}, Mode::Window, {}, true, {}},
        {"a file", {"plant.tsf"}, Mode::Window, "plant.tsf", true, {}},
        {"a file and no logo", {"plant.tsf", "--nologo"}, Mode::Window, "plant.tsf", false, {}},
        {"no logo first", {"--nologo", "/data/Kessel ä.tsf"}, Mode::Window, "/data/Kessel ä.tsf", false, {}},
        {"headless", {"--headless", "plant.tsf", "--overwrite"}, Mode::Headless, "plant.tsf", true, {}},
        {"headless last", {"plant.tsf", "--headless"}, Mode::Headless, "plant.tsf", true, {}},
        {"headless without a file: the collector says so", {"--headless"}, Mode::Headless, {}, true, {}},
        {"help", {"--help"}, Mode::Help, {}, true, {}},
        {"help with a file", {"plant.tsf", "--help"}, Mode::Help, "plant.tsf", true, {}},
        {"help outweighs version", {"--version", "--help"}, Mode::Help, {}, true, {}},
        {"version", {"--version"}, Mode::Version, {}, true, {}},
        {"version outweighs headless", {"--headless", "p.tsf", "--version"}, Mode::Version, "p.tsf", true, {}},
        {"unknown option", {"--bogus"}, Mode::Invalid, {}, true, "unknown option --bogus"},
        {"unknown outweighs help", {"--help", "--bogus"}, Mode::Invalid, {}, true, "unknown option --bogus"},
        {"the first unknown is named", {"-x", "--bogus"}, Mode::Invalid, {}, true, "unknown option -x"},
        {"an option with a value", {"--nologo=1"}, Mode::Invalid, {}, true, "unknown option --nologo=1"},
        {"Qt's own options are not ours",
         {"-platform", "offscreen"},
         Mode::Invalid,
         "offscreen",
         true,
         "unknown option -platform"},
        {"two files", {"a.tsf", "b.tsf"}, Mode::Invalid, "a.tsf", true, "more than one file: a.tsf b.tsf"},
        {"overwrite without headless",
         {"plant.tsf", "--overwrite"},
         Mode::Invalid,
         "plant.tsf",
         true,
         "--overwrite belongs to --headless"},
        {"no logo with headless",
         {"--headless", "p.tsf", "--nologo"},
         Mode::Invalid,
         "p.tsf",
         false,
         "--nologo does not go with --headless"},
    };
    for (const ParseCase &c : cases) {
        SCOPED_TRACE(c.name);
        const LaunchRequest request = parse(c.arguments);
        EXPECT_EQ(request.mode, c.mode);
        EXPECT_EQ(request.file, c.file);
        EXPECT_EQ(request.showLogo, c.showLogo);
        EXPECT_EQ(request.problem, c.problem);
    }
}
