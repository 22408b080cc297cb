// Reading the config file: see config.h.  The reader walks the JSON tree keeping the
// path of the field it is at, so that every complaint can name it.
#include "ciusim/config.h"

#include "driver/framing.h"
#include "driver/number_format.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <stdexcept>

namespace ciusim {

namespace {

using nlohmann::json;

struct ConfigError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

[[noreturn]] void fail(const std::string &path, const std::string &what) { throw ConfigError(path + ": " + what); }

std::string child(const std::string &path, const std::string &key) { return path.empty() ? key : path + "." + key; }

std::string item(const std::string &path, std::size_t index) { return path + "[" + std::to_string(index) + "]"; }

void requireObject(const json &node, const std::string &path, std::initializer_list<const char *> keys)
{
    if (!node.is_object())
        fail(path.empty() ? "top level" : path, "expected an object");
    for (auto it = node.begin(); it != node.end(); ++it) {
        const std::string &key = it.key();
        if (std::none_of(keys.begin(), keys.end(), [&](const char *k) { return key == k; }))
            fail(child(path, key), "unknown field");
    }
}

const json *field(const json &node, const char *key)
{
    auto it = node.find(key);
    return it == node.end() ? nullptr : &*it;
}

std::optional<double> number(const json &node, const char *key, const std::string &path)
{
    const json *value = field(node, key);
    if (!value)
        return std::nullopt;
    if (!value->is_number())
        fail(child(path, key), "expected a number");
    return value->get<double>();
}

std::optional<int> integer(const json &node, const char *key, const std::string &path, int low, int high)
{
    const json *value = field(node, key);
    if (!value)
        return std::nullopt;
    if (!value->is_number_integer())
        fail(child(path, key), "expected a whole number");
    auto n = value->get<long long>();
    if (n < low || n > high)
        fail(child(path, key), "must lie between " + std::to_string(low) + " and " + std::to_string(high));
    return static_cast<int>(n);
}

int requiredInteger(const json &node, const char *key, const std::string &path, int low, int high)
{
    std::optional<int> n = integer(node, key, path, low, high);
    if (!n)
        fail(child(path, key), "missing");
    return *n;
}

std::optional<bool> boolean(const json &node, const char *key, const std::string &path)
{
    const json *value = field(node, key);
    if (!value)
        return std::nullopt;
    if (!value->is_boolean())
        fail(child(path, key), "expected true or false");
    return value->get<bool>();
}

PlantAddress address(const json &node, const std::string &path)
{
    const json *value = field(node, "address");
    if (!value)
        fail(child(path, "address"), "missing");
    if (!value->is_string())
        fail(child(path, "address"), "expected a text \"loop-pcu-module-block\"");
    std::optional<PlantAddress> parsed = parseAddress(value->get<std::string>());
    if (!parsed)
        fail(child(path, "address"), "\"" + value->get<std::string>() + "\" is not loop-pcu-module-block");
    return *parsed;
}

const json &array(const json &node, const char *key, const std::string &path)
{
    const json *value = field(node, key);
    if (!value)
        fail(child(path, key), "missing");
    if (!value->is_array())
        fail(child(path, key), "expected a list");
    return *value;
}

Identity readIdentity(const json &node, const std::string &path)
{
    requireObject(node, path, {"moduleType", "mode", "loop", "pcu"});
    Identity identity;
    identity.moduleType = integer(node, "moduleType", path, 0, 255).value_or(identity.moduleType);
    identity.mode = integer(node, "mode", path, 0, 255).value_or(identity.mode);
    identity.loop = integer(node, "loop", path, 0, 255).value_or(identity.loop);
    identity.pcu = integer(node, "pcu", path, 0, 255).value_or(identity.pcu);
    return identity;
}

std::optional<bool> readQuality(const json &node, const std::string &path)
{
    const json *value = field(node, "quality");
    if (!value)
        return std::nullopt;
    if (!value->is_string() || (*value != "good" && *value != "bad"))
        fail(child(path, "quality"), "expected \"good\" or \"bad\"");
    return *value == "bad";
}

PointFix readPoint(const json &node, const std::string &path)
{
    requireObject(node, path, {"address", "value", "quality", "format", "replyCode"});
    PointFix fix;
    fix.address = address(node, path);
    fix.value = number(node, "value", path);
    fix.bad = readQuality(node, path);
    fix.format = integer(node, "format", path, 1, 5);
    fix.replyCode = integer(node, "replyCode", path, 1, 255);
    if (fix.value && fix.format && !vantor::inFormatRange(*fix.format, *fix.value))
        fail(child(path, "value"), "does not fit format " + std::to_string(*fix.format));
    return fix;
}

SpecGroup readGroup(const json &node, const std::string &path)
{
    requireObject(node, path, {"count", "tunable", "attribute", "format"});
    SpecGroup group;
    group.count = requiredInteger(node, "count", path, 1, 255);
    group.tunable = boolean(node, "tunable", path).value_or(false);
    group.attribute = integer(node, "attribute", path, 0, 7).value_or(0);
    group.format = requiredInteger(node, "format", path, 0, 15);
    return group;
}

void readSpecValues(const json &node, const std::string &path, FunctionBlock &block)
{
    const json *values = field(node, "values");
    if (!values)
        return;
    std::string where = child(path, "values");
    if (!values->is_array())
        fail(where, "expected a list");
    if (values->size() > static_cast<std::size_t>(block.specCount()))
        fail(where, "more values than the block's " + std::to_string(block.specCount()) + " specs");
    for (std::size_t i = 0; i < values->size(); ++i) {
        const json &value = (*values)[i];
        int n = static_cast<int>(i) + 1;
        if (!value.is_number())
            fail(item(where, i), "expected a number");
        if (!block.setSpecValue(n, value.get<double>()))
            fail(item(where, i),
                 "does not fit format " + std::to_string(block.specFormat(n)) + " of spec " + std::to_string(n));
    }
}

FunctionBlock readBlock(const json &node, const std::string &path)
{
    requireObject(node, path, {"address", "functionCode", "groups", "values"});
    PlantAddress where = address(node, path);
    int functionCode = requiredInteger(node, "functionCode", path, 0, 255);
    const json &groupList = array(node, "groups", path);
    if (groupList.empty() || groupList.size() > 255)
        fail(child(path, "groups"), "expected 1 to 255 groups");
    std::vector<SpecGroup> groups;
    for (std::size_t i = 0; i < groupList.size(); ++i)
        groups.push_back(readGroup(groupList[i], item(child(path, "groups"), i)));
    FunctionBlock block(where, functionCode, std::move(groups));
    if (3 + 2 * block.groups().size() + block.valueBytes() >= vantor::kMaxDecodedReply)
        fail(child(path, "groups"), "the block's tune reply would not fit in one frame");
    readSpecValues(node, path, block);
    return block;
}

template <typename T, typename Reader>
std::vector<T> readList(const json &root, const char *key, Reader reader)
{
    std::vector<T> list;
    if (!field(root, key))
        return list;
    const json &nodes = array(root, key, "");
    for (std::size_t i = 0; i < nodes.size(); ++i)
        list.push_back(reader(nodes[i], item(key, i)));
    return list;
}

std::optional<std::uint64_t> readSeed(const json &root)
{
    const json *value = field(root, "seed");
    if (!value)
        return std::nullopt;
    if (!value->is_number_unsigned())
        fail("seed", "expected a whole number of 0 or more");
    return value->get<std::uint64_t>();
}

SimConfig readRoot(const json &root)
{
    requireObject(
        root, "",
        {"seed", "identity", "moduleStatus", "startRestarted", "deadband", "points", "defaultBlocks", "blocks"});
    SimConfig config;
    config.seed = readSeed(root);
    if (const json *identity = field(root, "identity"))
        config.identity = readIdentity(*identity, "identity");
    config.moduleStatus = integer(root, "moduleStatus", "", 0, 3).value_or(config.moduleStatus);
    config.startRestarted = boolean(root, "startRestarted", "").value_or(false);
    config.deadband = number(root, "deadband", "").value_or(config.deadband);
    if (config.deadband < 0.0)
        fail("deadband", "must not be negative");
    config.points = readList<PointFix>(root, "points", readPoint);
    config.defaultBlocks = boolean(root, "defaultBlocks", "").value_or(true);
    config.blocks = readList<FunctionBlock>(root, "blocks", readBlock);
    return config;
}

// "line L, column C" of a byte offset (1-based, as the JSON parser counts).
std::string position(std::string_view text, std::size_t byte)
{
    std::size_t end = std::min(byte, text.size());
    std::size_t line = 1 + static_cast<std::size_t>(std::count(text.begin(), text.begin() + end, '\n'));
    std::size_t lineStart = text.rfind('\n', end == 0 ? 0 : end - 1);
    std::size_t column = lineStart == std::string_view::npos ? end : end - lineStart - 1;
    return "line " + std::to_string(line) + ", column " + std::to_string(std::max<std::size_t>(column, 1));
}

// The parser's own explanation without its "[json.exception...] parse error at ...:" head.
std::string parserReason(const char *what)
{
    std::string text = what;
    std::size_t colon = text.find(": ");
    return colon == std::string::npos ? text : text.substr(colon + 2);
}

}  // namespace

ConfigResult parseConfig(std::string_view text, const std::string &source)
{
    ConfigResult result;
    try {
        json root = json::parse(text.begin(), text.end(), nullptr, true, true);
        result.config = readRoot(root);
    } catch (const json::parse_error &e) {
        result.error = source + ": " + position(text, e.byte) + ": " + parserReason(e.what());
    } catch (const ConfigError &e) {
        result.error = source + ": " + e.what();
    } catch (const std::exception &e) {
        result.error = source + ": " + e.what();
    }
    return result;
}

ConfigResult loadConfig(const std::string &path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return ConfigResult{std::nullopt, "cannot read " + path + ": " + std::strerror(errno)};
    std::ostringstream text;
    text << file.rdbuf();
    return parseConfig(text.str(), path);
}

}  // namespace ciusim
