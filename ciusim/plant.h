// The plant behind the CIU: the value, quality and status of every point address, as a
// deterministic function of (seed, address, time), with fixes that pin a point's value,
// quality, read-block format or read-block reply code.
#pragma once

#include "ciusim/address.h"

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

namespace ciusim {

// What the config file or a test pins for one address; an empty field keeps the model.
struct PointFix {
    PlantAddress address;
    std::optional<double> value;
    std::optional<bool> bad;
    std::optional<int> format;     // value format of read-block replies (1 to 5)
    std::optional<int> replyCode;  // read-block reply code instead of a value
};

struct Reading {
    double value = 0.0;
    bool bad = false;
};

// The status byte and value byte of a status point or module status.
struct StatusBytes {
    std::uint8_t status = 0;
    std::uint8_t value = 0;
};

// A read-block answer: the reply code, and when it is 0 the format byte, status byte and
// value bytes that follow it.
struct BlockReading {
    std::uint8_t replyCode = 0;
    std::vector<std::uint8_t> body;
};

// Module status values (bits 5 and 6 of a module status byte).
inline constexpr int kModuleFailed = 0;
inline constexpr int kModuleError = 1;
inline constexpr int kModuleConfigure = 2;
inline constexpr int kModuleExecute = 3;

// The three analog faces of an M/A station, which share one address.
enum class StationFace { ProcessValue, SetPoint, Output };

class Plant {
public:
    explicit Plant(std::uint64_t seed = 1, int ciuModuleStatus = kModuleExecute);

    // Analog points drift smoothly inside 0 to 100.
    Reading analog(const PlantAddress &address, double seconds) const;
    // An M/A station's face: the process value is the address's analog model; the set
    // point follows the model's slow swing in steps of 10; the output acts against the
    // difference between the two, as a controller would (50 + 2 x (SP - PV), within 0 to
    // 100).  A fix pins all three.
    Reading station(const PlantAddress &address, double seconds, StationFace face) const;
    // Digital points toggle now and then (0 or 1).
    Reading digital(const PlantAddress &address, double seconds) const;
    // Status points (types 6, 15, 80): a state 0 to 3 in the value byte, its bit 0 also in
    // bit 0 of the status byte, bit 7 of the status byte set when bad.
    StatusBytes status(const PlantAddress &address, double seconds) const;
    // Module status points (type 14): the module's status in bits 5 and 6; always good.
    StatusBytes moduleStatus(const PlantAddress &address) const;
    // The CIU's own module status, slot 0.
    StatusBytes ciuStatus() const;
    // A non-exception read of a block output: format 2 unless fixed otherwise.
    BlockReading readBlock(const PlantAddress &address, double seconds) const;

    // Adds or merges a fix; the fields it sets replace those of an earlier fix.
    void fix(const PointFix &fix);
    void setValue(const PlantAddress &address, double value, bool bad);
    // Returns the address to the model.
    void release(const PlantAddress &address);
    void setCiuModuleStatus(int status);

    // Module numbers above 31 and block numbers 0 or above 9999 hold no point: reads of
    // them are bad, block reads refused.
    static bool holdsNothing(const PlantAddress &address);

private:
    const PointFix *findFix(const PlantAddress &address) const;
    std::uint64_t key(const PlantAddress &address, std::uint64_t salt) const;
    double modelAnalog(const PlantAddress &address, double seconds) const;
    double modelSlowSwing(const PlantAddress &address, double seconds) const;
    int modelState(const PlantAddress &address, double seconds, std::uint64_t salt, int states) const;

    std::uint64_t m_seed;
    int m_ciuModuleStatus;
    std::map<PlantAddress, PointFix> m_fixes;
};

}  // namespace ciusim
