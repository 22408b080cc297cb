// Helpers for the simulator's tests: request payloads as the station builds them,
// framing and unframing, a temporary directory and a raw client on the simulator's
// pseudo-terminal.
#pragma once

#include "ciusim/address.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace ciusim::test {

using Bytes = std::vector<std::uint8_t>;

// Request payloads, command code and zero byte first.
Bytes restartLong(std::uint8_t watchdog = 10);
Bytes establishAndConnect(int index, int type, const PlantAddress &address);
Bytes establish(int index, int type, const PlantAddress &address);
Bytes listRequest(std::uint8_t command, int first, int last);
Bytes addressRequest(std::uint8_t command, const PlantAddress &address);
Bytes establishReport(int index, int type, int state);
Bytes outputValue(int index, std::uint8_t flags, double value);
Bytes tuneWrite(const PlantAddress &address, int functionCode, std::span<const std::uint8_t> values);

// The frame of a payload, and the payload of a proper frame (empty when it is not one).
Bytes frame(std::span<const std::uint8_t> payload);
Bytes unframe(std::span<const std::uint8_t> wire);

// A 3-byte real as bytes.
Bytes real3(double value);

// A fresh directory under the system's temporary directory, removed with its contents.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;
    std::filesystem::path path() const { return m_path; }
    std::string file(const std::string &name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

// The station's end of the line, opened raw like a serial port.
class RawClient {
public:
    explicit RawClient(const std::string &device);
    ~RawClient();
    RawClient(const RawClient &) = delete;
    RawClient &operator=(const RawClient &) = delete;

    bool isOpen() const { return m_fd >= 0; }
    bool send(std::span<const std::uint8_t> bytes);
    // Bytes up to and including the first 0x0D, or at least minBytes when given, before
    // the deadline; whatever arrived otherwise.
    Bytes receive(std::chrono::milliseconds timeout, std::size_t minBytes = 0);
    // The payload of the reply to one request (empty when no proper reply came).
    Bytes exchange(std::span<const std::uint8_t> payload, std::chrono::milliseconds timeout = std::chrono::seconds(2));
    // Waits for the other end to go away: true when a read reports end or error.
    bool waitForHangup(std::chrono::milliseconds timeout);

private:
    int m_fd = -1;
};

}  // namespace ciusim::test
