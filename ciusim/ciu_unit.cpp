// One simulated CIU as a whole: see ciu_unit.h.
#include "ciusim/ciu_unit.h"

#include "ciusim/wire.h"
#include "driver/framing.h"

#include <chrono>
#include <sstream>

namespace ciusim {

namespace {

CiuUnit::Clock steadyClockFromNow()
{
    auto start = std::chrono::steady_clock::now();
    return [start] { return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(); };
}

RequestRecord decodeRequest(std::span<const std::uint8_t> raw)
{
    std::vector<std::uint8_t> decoded(vantor::kMaxDecodedReply);
    vantor::DecodedFrame frame = vantor::decodeFrame(raw, decoded);
    RequestRecord record;
    record.valid = frame.error == vantor::FrameError::None;
    record.error = frame.error;
    std::size_t keep = record.valid ? frame.length - 1 : frame.length;  // a valid frame's checksum goes
    record.payload.assign(decoded.begin(), decoded.begin() + static_cast<std::ptrdiff_t>(keep));
    return record;
}

}  // namespace

CiuUnit::CiuUnit(const SimConfig &config, std::uint64_t seed)
    : m_responder(config, seed), m_clock(steadyClockFromNow()), m_random(config.seed.value_or(seed)),
      m_line(config.line)
{
}

void CiuUnit::setLineFormat(const LineFormat &format)
{
    std::lock_guard lock(m_mutex);
    m_line = format;
}

LineFormat CiuUnit::lineFormat() const
{
    std::lock_guard lock(m_mutex);
    return m_line;
}

std::optional<CiuUnit::Outgoing> CiuUnit::handleFrame(std::span<const std::uint8_t> raw)
{
    if (!pluggedIn()) {
        ++m_ignoredFrames;
        m_log.touch();
        return std::nullopt;
    }
    RequestRecord record = decodeRequest(raw);
    std::optional<Outgoing> out;
    if (record.valid)
        out = answer(record.payload);
    m_log.record(std::move(record));
    return out;
}

std::optional<CiuUnit::Outgoing> CiuUnit::answer(std::span<const std::uint8_t> payload)
{
    ReplyPlan plan = m_faults.plan(payload);
    if (plan.silent)
        return std::nullopt;
    std::lock_guard lock(m_mutex);
    std::optional<std::vector<std::uint8_t>> reply = plan.payload;
    if (!reply)
        reply = m_responder.respond(payload, now());
    if (!reply)
        return std::nullopt;
    return Outgoing{wireReply(*reply, m_faults.takeWireFault(), m_random), plan.delayMs};
}

double CiuUnit::now() const { return m_clock(); }

void CiuUnit::setClock(Clock clock)
{
    std::lock_guard lock(m_mutex);
    m_clock = std::move(clock);
}

void CiuUnit::unplug()
{
    {
        std::lock_guard lock(m_mutex);
        m_plugged.store(false);
        m_responder.powerUp();
    }
    m_log.touch();
}

void CiuUnit::replug()
{
    {
        std::lock_guard lock(m_mutex);
        m_responder.powerUp();
        m_plugged.store(true);
    }
    m_log.touch();
}

void CiuUnit::setPoint(const PlantAddress &address, double value, bool bad)
{
    std::lock_guard lock(m_mutex);
    m_responder.plant().setValue(address, value, bad);
}

void CiuUnit::fixPoint(const PointFix &fix)
{
    std::lock_guard lock(m_mutex);
    m_responder.plant().fix(fix);
}

void CiuUnit::releasePoint(const PlantAddress &address)
{
    std::lock_guard lock(m_mutex);
    m_responder.plant().release(address);
}

void CiuUnit::setModuleStatus(int status)
{
    std::lock_guard lock(m_mutex);
    m_responder.plant().setCiuModuleStatus(status);
}

bool CiuUnit::online() const
{
    std::lock_guard lock(m_mutex);
    return m_responder.online();
}

bool CiuUnit::restarted() const
{
    std::lock_guard lock(m_mutex);
    return m_responder.restarted();
}

std::optional<OutputRecord> CiuUnit::lastOutput(int index) const
{
    std::lock_guard lock(m_mutex);
    return m_responder.lastOutput(index);
}

PointEntry CiuUnit::point(int index) const
{
    std::lock_guard lock(m_mutex);
    return index >= 0 && index < kPointSlots ? m_responder.points().at(index) : PointEntry{};
}

std::optional<FunctionBlock> CiuUnit::block(const PlantAddress &address) const
{
    std::lock_guard lock(m_mutex);
    const FunctionBlock *found = m_responder.blocks().find(address);
    return found ? std::optional<FunctionBlock>(*found) : std::nullopt;
}

bool CiuUnit::setBlockSpec(const PlantAddress &address, int n, double value)
{
    std::lock_guard lock(m_mutex);
    FunctionBlock *found = m_responder.blocks().find(address);
    return found && found->setSpecValue(n, value);
}

void CiuUnit::putBlock(FunctionBlock block)
{
    std::lock_guard lock(m_mutex);
    m_responder.blocks().put(std::move(block));
}

std::string CiuUnit::statusLine() const
{
    std::ostringstream text;
    {
        std::lock_guard lock(m_mutex);
        const PointTable &points = m_responder.points();
        text << "plugged=" << (pluggedIn() ? 1 : 0) << " restarted=" << (m_responder.restarted() ? 1 : 0)
             << " online=" << (m_responder.online() ? 1 : 0) << " established=" << points.establishedCount()
             << " connected=" << points.connectedCount();
    }
    text << " requests=" << m_log.size() << " invalid=" << m_log.invalidCount() << " line=" << lineWord(lineFormat());
    return text.str();
}

}  // namespace ciusim
