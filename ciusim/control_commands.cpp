// The control channel's commands: see control_commands.h.
#include "ciusim/control_commands.h"

#include <array>
#include <charconv>
#include <optional>
#include <sstream>
#include <vector>

namespace ciusim {

namespace {

using Args = std::vector<std::string>;

struct CommandEntry {
    const char *name;
    std::size_t minArgs;
    std::size_t maxArgs;
    const char *usage;
    std::string (*run)(CiuUnit &unit, const Args &args);
};

const std::string kOk = "ok";

std::string error(const std::string &why) { return "error: " + why; }

std::optional<long> wholeNumber(const std::string &text, long low, long high)
{
    long value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < low || value > high)
        return std::nullopt;
    return value;
}

std::optional<double> realNumber(const std::string &text)
{
    double value = 0.0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// Hex bytes, two digits each, in one or more words: "00 01 0203".
std::optional<std::vector<std::uint8_t>> hexBytes(const Args &args, std::size_t from)
{
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = from; i < args.size(); ++i) {
        const std::string &word = args[i];
        if (word.size() % 2 != 0)
            return std::nullopt;
        for (std::size_t k = 0; k < word.size(); k += 2) {
            unsigned value = 0;
            auto [end, ec] = std::from_chars(word.data() + k, word.data() + k + 2, value, 16);
            if (ec != std::errc() || end != word.data() + k + 2)
                return std::nullopt;
            bytes.push_back(static_cast<std::uint8_t>(value));
        }
    }
    return bytes;
}

std::string noReply(CiuUnit &unit, const Args &args)
{
    if (args[1] != "on" && args[1] != "off")
        return error("noreply takes on or off");
    unit.faults().setNoReply(args[1] == "on");
    return kOk;
}

std::string wireFault(CiuUnit &unit, const Args &args)
{
    std::optional<long> count = args.size() > 1 ? wholeNumber(args[1], 1, 1000000) : 1;
    if (!count)
        return error(args[0] + " takes a count of 1 or more");
    unit.faults().addWireFault(*wireFaultNamed(args[0]), static_cast<int>(*count));
    return kOk;
}

std::string replyCode(CiuUnit &unit, const Args &args)
{
    std::optional<long> cmd = wholeNumber(args[1], 0, 255);
    std::optional<long> code = wholeNumber(args[2], 0, 255);
    std::optional<long> count = args.size() > 3 ? wholeNumber(args[3], 1, 1000000) : -1;
    if (!cmd || !code || !count)
        return error("replycode takes a command 0-255, a code 0-255 and an optional count of 1 or more");
    unit.faults().replyCode(static_cast<std::uint8_t>(*cmd), static_cast<std::uint8_t>(*code),
                            *code == 0 ? 0 : static_cast<int>(*count));
    return kOk;
}

std::string silence(CiuUnit &unit, const Args &args)
{
    std::optional<long> cmd = wholeNumber(args[1], 0, 255);
    std::optional<long> count = args.size() > 2 ? wholeNumber(args[2], 1, 1000000) : 1;
    if (!cmd || !count)
        return error("silence takes a command 0-255 and an optional count of 1 or more");
    unit.faults().silence(static_cast<std::uint8_t>(*cmd), static_cast<int>(*count));
    return kOk;
}

std::string slow(CiuUnit &unit, const Args &args)
{
    std::optional<long> ms = wholeNumber(args[1], 0, 60000);
    if (!ms)
        return error("slow takes milliseconds 0-60000");
    unit.faults().slow(static_cast<int>(*ms));
    return kOk;
}

std::string overrideReply(CiuUnit &unit, const Args &args)
{
    std::optional<long> cmd = wholeNumber(args[1], 0, 255);
    std::optional<std::vector<std::uint8_t>> payload = hexBytes(args, 2);
    if (!cmd || !payload || payload->empty() || payload->size() > 4000)
        return error("override takes a command 0-255 and the reply payload as hex bytes");
    unit.faults().overrideNext(static_cast<std::uint8_t>(*cmd), std::move(*payload));
    return kOk;
}

std::string setPoint(CiuUnit &unit, const Args &args)
{
    std::optional<PlantAddress> address = parseAddress(args[1]);
    std::optional<double> value = realNumber(args[2]);
    bool qualityOk = args.size() < 4 || args[3] == "bad" || args[3] == "good";
    if (!address || !value || !qualityOk)
        return error("set takes L-P-M-B, a value and optionally bad or good");
    unit.setPoint(*address, *value, args.size() > 3 && args[3] == "bad");
    return kOk;
}

std::string releasePoint(CiuUnit &unit, const Args &args)
{
    std::optional<PlantAddress> address = parseAddress(args[1]);
    if (!address)
        return error("release takes L-P-M-B");
    unit.releasePoint(*address);
    return kOk;
}

std::string moduleStatus(CiuUnit &unit, const Args &args)
{
    std::optional<long> status = wholeNumber(args[1], 0, 3);
    if (!status)
        return error("modulestatus takes 0-3");
    unit.setModuleStatus(static_cast<int>(*status));
    return kOk;
}

// The wire time of the line from now: "line 9600", "line 9600 8E1", "line off".
std::string line(CiuUnit &unit, const Args &args)
{
    if (args[1] == "off" && args.size() == 2) {
        unit.setLineFormat(LineFormat{});
        return kOk + " line off";
    }
    std::optional<long> baud = wholeNumber(args[1], kLowestBaud, kHighestBaud);
    std::optional<LineFormat> format =
        baud ? lineFormatOf(static_cast<int>(*baud), args.size() > 2 ? args[2] : "8N1") : std::nullopt;
    if (!format)
        return error("line takes off, or a baud rate of " + std::to_string(kLowestBaud) + " to " +
                     std::to_string(kHighestBaud) + " and a frame such as 8N1, 8E1 or 7E1");
    unit.setLineFormat(*format);
    return kOk + " line " + describe(*format);
}

// The serial adapter pulled out ("adapter out": the device hangs up and its path goes)
// or plugged in again ("adapter in": a new device under the same path).
std::string adapter(CiuUnit &unit, const Args &args)
{
    if (args[1] != "out" && args[1] != "in")
        return error("adapter takes out or in");
    if (!unit.hasAdapterSwitch())
        return error("this unit has no adapter to pull");
    if (!unit.switchAdapter(args[1] == "in"))
        return error(args[1] == "in" ? "the adapter is not out, or no new device could be made"
                                     : "the adapter is out already");
    return kOk;
}

std::string status(CiuUnit &unit, const Args &)
{
    return kOk + " " + unit.statusLine() + " " + unit.faults().describe();
}

std::string help(CiuUnit &, const Args &);

const std::array<CommandEntry, 22> kCommands{{
    {"noreply", 1, 1, "noreply on|off", noReply},
    {"badchecksum", 0, 1, "badchecksum [N]", wireFault},
    {"badescape", 0, 1, "badescape [N]", wireFault},
    {"garbage", 0, 1, "garbage [N]", wireFault},
    {"truncate", 0, 1, "truncate [N]", wireFault},
    {"endless", 0, 0, "endless", wireFault},
    {"oversize", 0, 0, "oversize", wireFault},
    {"replycode", 2, 3, "replycode CMD CODE [N]   (CODE 0 takes it away)", replyCode},
    {"silence", 1, 2, "silence CMD [N]", silence},
    {"slow", 1, 1, "slow MS", slow},
    {"restart9", 0, 0, "restart9",
     [](CiuUnit &u, const Args &) {
         u.faults().restart9();
         return kOk;
     }},
    {"override", 2, 64, "override CMD HEXBYTES...", overrideReply},
    {"unplug", 0, 0, "unplug",
     [](CiuUnit &u, const Args &) {
         u.unplug();
         return kOk;
     }},
    {"adapter", 1, 1, "adapter out|in   (the device and its path go, and come back)", adapter},
    {"replug", 0, 0, "replug",
     [](CiuUnit &u, const Args &) {
         u.replug();
         return kOk;
     }},
    {"clear", 0, 0, "clear",
     [](CiuUnit &u, const Args &) {
         u.faults().clear();
         return kOk;
     }},
    {"set", 2, 3, "set L-P-M-B VALUE [bad|good]", setPoint},
    {"release", 1, 1, "release L-P-M-B", releasePoint},
    {"modulestatus", 1, 1, "modulestatus 0-3", moduleStatus},
    {"line", 1, 2, "line BAUD [8N1|8E1|8O1|7E1...] | line off", line},
    {"status", 0, 0, "status", status},
    {"help", 0, 0, "help", help},
}};

std::string help(CiuUnit &, const Args &)
{
    std::string names;
    for (const CommandEntry &entry : kCommands)
        names += std::string(" ") + entry.name;
    return kOk + names;
}

Args words(std::string_view line)
{
    std::istringstream in{std::string(line)};
    Args args;
    for (std::string word; in >> word;)
        args.push_back(word);
    return args;
}

}  // namespace

std::string executeControlCommand(CiuUnit &unit, std::string_view line)
{
    Args args = words(line);
    if (args.empty())
        return error("empty command");
    for (const CommandEntry &entry : kCommands) {
        if (args[0] != entry.name)
            continue;
        if (args.size() - 1 < entry.minArgs || args.size() - 1 > entry.maxArgs)
            return error(std::string("usage: ") + entry.usage);
        return entry.run(unit, args);
    }
    return error("unknown command \"" + args[0] + "\" (try help)");
}

std::string controlCommandUsage()
{
    std::string text;
    for (const CommandEntry &entry : kCommands)
        text += std::string("  ") + entry.usage + "\n";
    return text;
}

}  // namespace ciusim
