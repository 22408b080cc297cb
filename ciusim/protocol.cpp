// The CIU's protocol responder: see protocol.h.
#include "ciusim/protocol.h"

#include "ciusim/byte_order.h"
#include "ciusim/commands.h"
#include "ciusim/default_blocks.h"
#include "ciusim/reply_codes.h"
#include "driver/number_format.h"

#include <algorithm>
#include <array>
#include <limits>

namespace ciusim {

namespace {

constexpr std::size_t kAnyLength = std::numeric_limits<std::size_t>::max();

std::uint8_t countByte(int count) { return static_cast<std::uint8_t>(std::clamp(count, 0, 255)); }

}  // namespace

Responder::Responder(const SimConfig &config, std::uint64_t seed)
    : m_identity(config.identity), m_startRestarted(config.startRestarted), m_restarted(config.startRestarted),
      m_online(config.startRestarted), m_plant(config.seed.value_or(seed), config.moduleStatus),
      m_reports(config.deadband)
{
    if (config.defaultBlocks) {
        for (FunctionBlock &block : defaultBlocks())
            m_blocks.put(std::move(block));
    }
    for (const FunctionBlock &block : config.blocks)
        m_blocks.put(block);
    for (const PointFix &fix : config.points)
        m_plant.fix(fix);
}

const Responder::Rule *Responder::findRule(std::uint8_t code)
{
    using namespace command;
    static const std::array<Rule, 15> rules{{
        {kReadStatus, 2, 2, false, &Responder::readStatus},
        {kRestart, 5, 6, false, &Responder::restart},
        {kOnline, 3, 3, false, &Responder::setOnline},
        {kEstablishPoint, 11, 11, true, &Responder::establish},
        {kConnectPointList, 6, 6, true, &Responder::connectList},
        {kEstablishAndConnect, 12, 12, true, &Responder::establishAndConnect},
        {kEstablishReport, 25, 25, true, &Responder::establishReport},
        {kReadExceptions, 3, 3, true, &Responder::readExceptions},
        {kReadValueList, 6, 6, true, &Responder::readValueList},
        {kReadStatusExceptions, 3, 3, true, &Responder::readStatusExceptions},
        {kReadStatusList, 6, 6, true, &Responder::readStatusList},
        {kReadBlock, 8, 8, true, &Responder::readBlock},
        {kOutputValue, 8, 8, true, &Responder::outputValue},
        {kReadTuneSpecs, 8, 8, true, &Responder::readTuneSpecs},
        {kWriteTuneSpecs, 9, kAnyLength, true, &Responder::writeTuneSpecs},
    }};
    for (const Rule &rule : rules) {
        if (rule.command == code)
            return &rule;
    }
    return nullptr;
}

std::optional<std::vector<std::uint8_t>> Responder::respond(std::span<const std::uint8_t> request, double now)
{
    if (request.empty())
        return std::nullopt;
    const Rule *rule = findRule(request[0]);
    if (!rule)
        return Reply{reply::kUnknownCommand};
    if (request.size() < rule->minLength || request.size() > rule->maxLength || request[1] != 0)
        return Reply{reply::kMalformed};
    if (rule->needsRestart && !m_restarted)
        return Reply{reply::kNotRestarted};
    return (this->*rule->handler)(request, now);
}

void Responder::powerUp()
{
    m_points.clear();
    m_restarted = m_startRestarted;
    m_online = m_startRestarted;
}

std::optional<OutputRecord> Responder::lastOutput(int index) const
{
    auto it = m_outputs.find(index);
    if (it == m_outputs.end())
        return std::nullopt;
    return it->second;
}

// Bytes 3 and 4, which the station does not use, carry the established and connected counts.
Responder::Reply Responder::readStatus(Request, double)
{
    return Reply{reply::kAccepted,
                 static_cast<std::uint8_t>(m_identity.moduleType),
                 static_cast<std::uint8_t>(m_identity.mode),
                 countByte(m_points.establishedCount()),
                 countByte(m_points.connectedCount()),
                 static_cast<std::uint8_t>(m_restarted ? 1 : 0),
                 static_cast<std::uint8_t>(m_online ? 1 : 0),
                 static_cast<std::uint8_t>(m_identity.pcu),
                 static_cast<std::uint8_t>(m_identity.loop)};
}

// A restart empties the point table and leaves the unit restarted and on line.
Responder::Reply Responder::restart(Request, double)
{
    m_points.clear();
    m_restarted = true;
    m_online = true;
    return Reply{reply::kAccepted};
}

Responder::Reply Responder::setOnline(Request request, double)
{
    m_online = request[2] != 0;
    return Reply{reply::kAccepted};
}

Responder::Reply Responder::establish(Request request, double)
{
    return Reply{m_points.establish(read16(&request[2]), request[4], addressFromBytes(&request[5]))};
}

Responder::Reply Responder::connectList(Request request, double)
{
    return Reply{m_points.connect(read16(&request[2]), read16(&request[4]))};
}

Responder::Reply Responder::establishAndConnect(Request request, double)
{
    int index = read16(&request[2]);
    std::uint8_t code = m_points.establish(index, request[4], addressFromBytes(&request[5]));
    if (code == reply::kAccepted)
        code = m_points.connect(index, index);
    return Reply{code};
}

// Index (2), type, state, then six 3-byte reals of which the first four are kept.
Responder::Reply Responder::establishReport(Request request, double)
{
    OutputReport report;
    report.state = request[5];
    for (std::size_t i = 0; i < report.values.size(); ++i)
        report.values[i] = vantor::decodeReal3(&request[6 + 3 * i]);
    return Reply{m_points.establishReport(read16(&request[2]), request[4], report)};
}

Responder::Reply Responder::readExceptions(Request, double now) { return m_reports.exceptions(m_points, m_plant, now); }

Responder::Reply Responder::readValueList(Request request, double now)
{
    return m_reports.valueList(m_points, m_plant, now, read16(&request[2]), read16(&request[4]));
}

Responder::Reply Responder::readStatusExceptions(Request, double now)
{
    return m_reports.statusExceptions(m_points, m_plant, now);
}

Responder::Reply Responder::readStatusList(Request request, double now)
{
    return m_reports.statusList(m_points, m_plant, now, read16(&request[2]), read16(&request[4]));
}

Responder::Reply Responder::readBlock(Request request, double now)
{
    BlockReading reading = m_plant.readBlock(addressFromBytes(&request[2]), now);
    if (reading.replyCode != reply::kAccepted)
        return Reply{reading.replyCode};
    reading.body.insert(reading.body.begin(), reply::kAccepted);
    return std::move(reading.body);
}

// Index (2), flags, 3-byte real (three zero bytes for a digital output).
Responder::Reply Responder::outputValue(Request request, double)
{
    int index = read16(&request[2]);
    std::uint8_t code = m_points.checkOutput(index);
    if (code != reply::kAccepted)
        return Reply{code};
    OutputRecord record;
    record.type = m_points.at(index).type;
    record.flags = request[4];
    record.bad = (record.flags & 0x80) != 0;
    record.value = record.type == 13 ? (record.flags & 1) : vantor::decodeReal3(&request[5]);
    m_outputs[index] = record;
    return Reply{reply::kAccepted};
}

Responder::Reply Responder::readTuneSpecs(Request request, double)
{
    const FunctionBlock *block = m_blocks.find(addressFromBytes(&request[2]));
    if (!block)
        return Reply{reply::kNoBlock};
    Reply result{reply::kAccepted};
    block->appendReadReply(result);
    return result;
}

// Address, function code, then the value bytes of every spec.
Responder::Reply Responder::writeTuneSpecs(Request request, double)
{
    FunctionBlock *block = m_blocks.find(addressFromBytes(&request[2]));
    if (!block)
        return Reply{reply::kNoBlock};
    return Reply{block->write(request[8], request.subspan(9))};
}

}  // namespace ciusim
