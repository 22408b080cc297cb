// The command line of tk70-ciusim: see cli_options.h.
#include "ciusim/cli_options.h"

#include "ciusim/control_commands.h"

#include <charconv>

namespace ciusim {

namespace {

std::string *textOption(CliOptions &options, const std::string &name)
{
    if (name == "--link")
        return &options.linkPath;
    if (name == "--config")
        return &options.configPath;
    if (name == "--control")
        return &options.controlPath;
    if (name == "--send")
        return &options.sendLine;
    return nullptr;
}

std::optional<std::uint64_t> seedValue(const std::string &text)
{
    std::uint64_t value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// Checks the combinations: --send needs --control and no serve options.
std::string checkModes(const CliOptions &options)
{
    if (options.help || options.sendLine.empty())
        return {};
    if (options.controlPath.empty())
        return "--send needs --control SOCKET";
    if (!options.linkPath.empty() || !options.configPath.empty() || options.seed || options.line.baud != 0)
        return "--send cannot be combined with --link, --config, --seed or --baud";
    return {};
}

// --baud N with --frame F (8N1 when it is not given) as the line's format.
std::string lineOf(const std::string &baud, const std::string &frame, CliOptions &options)
{
    if (baud.empty())
        return frame.empty() ? std::string() : "--frame needs --baud";
    int rate = 0;
    auto [end, ec] = std::from_chars(baud.data(), baud.data() + baud.size(), rate);
    std::optional<LineFormat> format;
    if (ec == std::errc() && end == baud.data() + baud.size())
        format = lineFormatOf(rate, frame.empty() ? "8N1" : frame);
    if (!format)
        return "--baud needs " + std::to_string(kLowestBaud) + " to " + std::to_string(kHighestBaud) +
               " and --frame a frame such as 8N1, 8E1 or 7E1, not " + baud + (frame.empty() ? "" : " " + frame);
    options.line = *format;
    return {};
}

}  // namespace

CliParse parseCommandLine(const std::vector<std::string> &args)
{
    CliParse result;
    std::string baud;
    std::string frame;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string &arg = args[i];
        if (arg == "--help" || arg == "-h") {
            result.options.help = true;
            continue;
        }
        bool known = arg == "--seed" || arg == "--baud" || arg == "--frame" || textOption(result.options, arg);
        if (!known)
            return CliParse{{}, "unknown option " + arg};
        if (i + 1 >= args.size())
            return CliParse{{}, arg + " needs a value"};
        const std::string &value = args[++i];
        if (arg == "--baud" || arg == "--frame") {
            (arg == "--baud" ? baud : frame) = value;
        } else if (arg == "--seed") {
            result.options.seed = seedValue(value);
            if (!result.options.seed)
                return CliParse{{}, "--seed needs a whole number of 0 or more, not " + value};
        } else {
            *textOption(result.options, arg) = value;
        }
    }
    result.error = lineOf(baud, frame, result.options);
    if (result.error.empty())
        result.error = checkModes(result.options);
    return result;
}

std::string usageText(const std::string &program)
{
    return "Usage: " + program +
           " [--link PATH] [--config FILE] [--seed N] [--control SOCKET] [--baud N [--frame 8N1]]\n"
           "       " +
           program +
           " --control SOCKET --send \"COMMAND\"\n"
           "\n"
           "Simulates the Computer Interface Unit on a pseudo-terminal.  Prints the device path,\n"
           "then serves until SIGINT or SIGTERM.\n"
           "  --link PATH       make PATH a symbolic link to the device (a stale link is replaced)\n"
           "  --config FILE     JSON file with the unit's identity, fixed points and blocks\n"
           "  --seed N          seed of the plant model (default 1, or the config file's)\n"
           "  --control SOCKET  listen for control commands at this Unix socket\n"
           "  --baud N          every byte takes its time on the wire at N baud, both ways\n"
           "  --frame F         the character frame with --baud: 8N1 (default), 8E1, 8O1, 7E1, ...\n"
           "  --send COMMAND    send one control command to a running simulator and print the\n"
           "                    answer; exit status 0 when it is ok\n"
           "\n"
           "Control commands:\n" +
           controlCommandUsage();
}

}  // namespace ciusim
