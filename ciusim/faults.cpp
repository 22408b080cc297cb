// Fault injection: see faults.h.
#include "ciusim/faults.h"

#include "ciusim/commands.h"
#include "ciusim/reply_codes.h"

#include <algorithm>
#include <array>
#include <sstream>

namespace ciusim {

namespace {

constexpr std::array<WireFault, 6> kWireOrder{WireFault::Endless, WireFault::Oversize,  WireFault::Truncate,
                                              WireFault::Garbage, WireFault::BadEscape, WireFault::BadChecksum};

const char *wireName(WireFault fault)
{
    switch (fault) {
    case WireFault::BadChecksum: return "badchecksum";
    case WireFault::BadEscape: return "badescape";
    case WireFault::Garbage: return "garbage";
    case WireFault::Truncate: return "truncate";
    case WireFault::Endless: return "endless";
    case WireFault::Oversize: return "oversize";
    case WireFault::None: break;
    }
    return "none";
}

}  // namespace

std::optional<WireFault> wireFaultNamed(std::string_view name)
{
    for (WireFault fault : kWireOrder) {
        if (name == wireName(fault))
            return fault;
    }
    return std::nullopt;
}

void Faults::setNoReply(bool on)
{
    std::lock_guard lock(m_mutex);
    m_noReply = on;
}

void Faults::addWireFault(WireFault fault, int count)
{
    std::lock_guard lock(m_mutex);
    if (fault != WireFault::None && count > 0)
        m_wire[fault] += count;
}

void Faults::badChecksum(int count) { addWireFault(WireFault::BadChecksum, count); }

void Faults::badEscape(int count) { addWireFault(WireFault::BadEscape, count); }

void Faults::garbage(int count) { addWireFault(WireFault::Garbage, count); }

void Faults::truncate(int count) { addWireFault(WireFault::Truncate, count); }

void Faults::endless() { addWireFault(WireFault::Endless, 1); }

void Faults::oversize() { addWireFault(WireFault::Oversize, 1); }

void Faults::silence(std::uint8_t command, int count)
{
    std::lock_guard lock(m_mutex);
    if (count <= 0)
        m_silenced.erase(command);
    else
        m_silenced[command] = count;
}

void Faults::replyCode(std::uint8_t command, std::uint8_t code, int count)
{
    std::lock_guard lock(m_mutex);
    if (count == 0)
        m_codes.erase(command);
    else
        m_codes[command] = CodeFault{code, count};
}

void Faults::slow(int ms)
{
    std::lock_guard lock(m_mutex);
    m_delayMs = std::max(ms, 0);
}

void Faults::restart9()
{
    std::lock_guard lock(m_mutex);
    m_restart9 = true;
}

void Faults::overrideNext(std::uint8_t command, std::vector<std::uint8_t> payload)
{
    std::lock_guard lock(m_mutex);
    m_overrides[command] = std::move(payload);
}

void Faults::clear()
{
    std::lock_guard lock(m_mutex);
    m_noReply = false;
    m_delayMs = 0;
    m_restart9 = false;
    m_wire.clear();
    m_codes.clear();
    m_silenced.clear();
    m_overrides.clear();
}

// In order: an exact payload, a forced reply code, a restart refused with 9.
std::optional<std::vector<std::uint8_t>> Faults::takeProtocolPayload(std::span<const std::uint8_t> request)
{
    std::uint8_t cmd = request.empty() ? 0 : request[0];
    if (auto it = m_overrides.find(cmd); it != m_overrides.end()) {
        std::vector<std::uint8_t> payload = std::move(it->second);
        m_overrides.erase(it);
        return payload;
    }
    if (auto it = m_codes.find(cmd); it != m_codes.end()) {
        std::uint8_t code = it->second.code;
        if (it->second.remaining > 0 && --it->second.remaining == 0)
            m_codes.erase(it);
        return std::vector<std::uint8_t>{code};
    }
    if (m_restart9 && cmd == command::kRestart && request.size() > 2 && request[2] != 0) {
        m_restart9 = false;
        return std::vector<std::uint8_t>{reply::kRestartAgain};
    }
    return std::nullopt;
}

bool Faults::takeSilence(std::span<const std::uint8_t> request)
{
    auto it = request.empty() ? m_silenced.end() : m_silenced.find(request[0]);
    if (it == m_silenced.end())
        return false;
    if (--it->second == 0)
        m_silenced.erase(it);
    return true;
}

ReplyPlan Faults::plan(std::span<const std::uint8_t> request)
{
    std::lock_guard lock(m_mutex);
    ReplyPlan result;
    result.silent = m_noReply || takeSilence(request);
    result.delayMs = m_delayMs;
    if (!result.silent)
        result.payload = takeProtocolPayload(request);
    return result;
}

WireFault Faults::takeWireFault()
{
    std::lock_guard lock(m_mutex);
    for (WireFault fault : kWireOrder) {
        auto it = m_wire.find(fault);
        if (it != m_wire.end() && it->second > 0) {
            if (--it->second == 0)
                m_wire.erase(it);
            return fault;
        }
    }
    return WireFault::None;
}

std::string Faults::describe() const
{
    std::lock_guard lock(m_mutex);
    std::ostringstream text;
    text << "noreply=" << (m_noReply ? 1 : 0) << " slow=" << m_delayMs << " restart9=" << (m_restart9 ? 1 : 0);
    for (const auto &[fault, count] : m_wire)
        text << ' ' << wireName(fault) << '=' << count;
    for (const auto &[cmd, fault] : m_codes)
        text << " replycode" << int(cmd) << '=' << int(fault.code) << '/' << fault.remaining;
    for (const auto &[cmd, count] : m_silenced)
        text << " silence" << int(cmd) << '=' << count;
    for (const auto &entry : m_overrides)
        text << " override" << int(entry.first);
    return text.str();
}

}  // namespace ciusim
