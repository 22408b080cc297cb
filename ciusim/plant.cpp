// The plant model: see plant.h.
#include "ciusim/plant.h"

#include "ciusim/reply_codes.h"
#include "driver/number_format.h"

#include <algorithm>
#include <cmath>

namespace ciusim {

namespace {

constexpr double kTwoPi = 6.283185307179586;

// splitmix64's finaliser: spreads every input bit over the whole word.
std::uint64_t mix(std::uint64_t x)
{
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

// A hash as a number in [0, 1).
double fraction(std::uint64_t hash) { return static_cast<double>(hash >> 11) * 0x1.0p-53; }

std::uint64_t packed(const PlantAddress &a)
{
    return (static_cast<std::uint64_t>(a.loop & 0xFF) << 40) | (static_cast<std::uint64_t>(a.pcu & 0xFF) << 32) |
           (static_cast<std::uint64_t>(a.module & 0xFFFF) << 16) | static_cast<std::uint64_t>(a.block & 0xFFFF);
}

// Writes a value in a read-block format, clamped into what the format holds.
void encodeClamped(int format, double value, std::uint8_t *out)
{
    if (std::isnan(value))
        value = 0.0;
    switch (format) {
    case 1:
    case 2: vantor::encodeReal(format, std::clamp(value, -999999.0, 9999999.0), out); break;
    case 3: out[0] = value != 0.0 ? 1 : 0; break;
    case 4: vantor::encodeSpecValue(4, std::clamp(value, 0.0, 255.0), out); break;
    case 5: vantor::encodeSpecValue(5, std::clamp(value, -32767.0, 32767.0), out); break;
    default: break;
    }
}

}  // namespace

Plant::Plant(std::uint64_t seed, int ciuModuleStatus) : m_seed(seed), m_ciuModuleStatus(ciuModuleStatus & 3) {}

bool Plant::holdsNothing(const PlantAddress &address)
{
    return address.module > 31 || address.block == 0 || address.block > 9999;
}

const PointFix *Plant::findFix(const PlantAddress &address) const
{
    auto it = m_fixes.find(address);
    return it == m_fixes.end() ? nullptr : &it->second;
}

std::uint64_t Plant::key(const PlantAddress &address, std::uint64_t salt) const
{
    return mix(m_seed ^ mix(packed(address) * 8 + salt));
}

// A slow swing of 20 to 40 around 50 (period 1 to 5 minutes) plus a small fast ripple of
// 8 (period 7 to 30 s): always within 2 to 98, and smooth.
// A slow swing of 20 to 40 about 50 (a period of 1 to 5 minutes) with a quick ripple of
// 8 on it (7 to 30 s); each address has its own periods and phases.
double Plant::modelAnalog(const PlantAddress &address, double seconds) const
{
    std::uint64_t h = key(address, 1);
    double fastPeriod = 7.0 + 23.0 * fraction(mix(h + 2));
    double fastPhase = kTwoPi * fraction(mix(h + 4));
    return modelSlowSwing(address, seconds) + 8.0 * std::sin(kTwoPi * seconds / fastPeriod + fastPhase);
}

double Plant::modelSlowSwing(const PlantAddress &address, double seconds) const
{
    std::uint64_t h = key(address, 1);
    double slowPeriod = 60.0 + 240.0 * fraction(mix(h + 1));
    double slowPhase = kTwoPi * fraction(mix(h + 3));
    double swing = 20.0 + 20.0 * fraction(mix(h + 5));
    return 50.0 + swing * std::sin(kTwoPi * seconds / slowPeriod + slowPhase);
}

// A state that is drawn afresh every 4 to 16 s (each address has its own period and phase).
int Plant::modelState(const PlantAddress &address, double seconds, std::uint64_t salt, int states) const
{
    std::uint64_t h = key(address, salt);
    double period = 4.0 + 12.0 * fraction(mix(h + 1));
    double offset = period * fraction(mix(h + 2));
    double step = std::floor((std::max(seconds, 0.0) + offset) / period);
    return static_cast<int>(mix(h ^ static_cast<std::uint64_t>(step)) % static_cast<std::uint64_t>(states));
}

Reading Plant::analog(const PlantAddress &address, double seconds) const
{
    Reading reading{modelAnalog(address, seconds), holdsNothing(address)};
    if (const PointFix *fix = findFix(address)) {
        reading.value = fix->value.value_or(reading.value);
        reading.bad = fix->bad.value_or(reading.bad);
    }
    return reading;
}

Reading Plant::station(const PlantAddress &address, double seconds, StationFace face) const
{
    Reading reading = analog(address, seconds);
    if (face == StationFace::ProcessValue || (findFix(address) && findFix(address)->value))
        return reading;
    const double setPoint = 10.0 * std::round(modelSlowSwing(address, seconds) / 10.0);
    reading.value =
        face == StationFace::SetPoint ? setPoint : std::clamp(50.0 + 2.0 * (setPoint - reading.value), 0.0, 100.0);
    return reading;
}

Reading Plant::digital(const PlantAddress &address, double seconds) const
{
    Reading reading{static_cast<double>(modelState(address, seconds, 2, 2)), holdsNothing(address)};
    if (const PointFix *fix = findFix(address)) {
        if (fix->value)
            reading.value = *fix->value != 0.0 ? 1.0 : 0.0;
        reading.bad = fix->bad.value_or(reading.bad);
    }
    return reading;
}

StatusBytes Plant::status(const PlantAddress &address, double seconds) const
{
    int state = modelState(address, seconds, 3, 4);
    bool bad = holdsNothing(address);
    if (const PointFix *fix = findFix(address)) {
        if (fix->value)
            state = static_cast<int>(std::clamp(*fix->value, 0.0, 255.0));
        bad = fix->bad.value_or(bad);
    }
    auto statusByte = static_cast<std::uint8_t>((bad ? 0x80 : 0) | (state & 1));
    return StatusBytes{statusByte, static_cast<std::uint8_t>(state)};
}

StatusBytes Plant::moduleStatus(const PlantAddress &address) const
{
    int state = holdsNothing(address) ? kModuleFailed : kModuleExecute;
    if (const PointFix *fix = findFix(address); fix && fix->value)
        state = static_cast<int>(std::clamp(*fix->value, 0.0, 3.0));
    return StatusBytes{static_cast<std::uint8_t>(state << 5), static_cast<std::uint8_t>(state)};
}

StatusBytes Plant::ciuStatus() const
{
    return StatusBytes{static_cast<std::uint8_t>(m_ciuModuleStatus << 5), static_cast<std::uint8_t>(m_ciuModuleStatus)};
}

BlockReading Plant::readBlock(const PlantAddress &address, double seconds) const
{
    const PointFix *fix = findFix(address);
    if (fix && fix->replyCode)
        return BlockReading{static_cast<std::uint8_t>(*fix->replyCode), {}};
    if (holdsNothing(address))
        return BlockReading{reply::kNoBlock, {}};
    int format = fix && fix->format ? *fix->format : 2;
    Reading reading = analog(address, seconds);
    bool bit = format == 3 && reading.value != 0.0;
    BlockReading result;
    result.body.assign(2 + static_cast<std::size_t>(vantor::formatSize(format)), 0);
    result.body[0] = static_cast<std::uint8_t>(format);
    result.body[1] = static_cast<std::uint8_t>((reading.bad ? 0x80 : 0) | (bit ? 1 : 0));
    encodeClamped(format, reading.value, result.body.data() + 2);
    return result;
}

void Plant::fix(const PointFix &fix)
{
    PointFix &held = m_fixes[fix.address];
    held.address = fix.address;
    if (fix.value)
        held.value = fix.value;
    if (fix.bad)
        held.bad = fix.bad;
    if (fix.format)
        held.format = fix.format;
    if (fix.replyCode)
        held.replyCode = fix.replyCode;
}

void Plant::setValue(const PlantAddress &address, double value, bool bad)
{
    fix(PointFix{address, value, bad, std::nullopt, std::nullopt});
}

void Plant::release(const PlantAddress &address) { m_fixes.erase(address); }

void Plant::setCiuModuleStatus(int status) { m_ciuModuleStatus = status & 3; }

}  // namespace ciusim
