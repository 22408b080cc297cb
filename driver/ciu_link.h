// The request/reply exchange with the CIU over the serial port.
//
// A request is framed and sent after the command pace pause and a purge, so a late reply
// to an earlier request is thrown away; the reply is received into the one shared reply
// buffer and checked.  Only the collection thread exchanges (and tests driving the
// commands directly, while no connection runs).
#pragma once

#include "driver/driver_log.h"
#include "driver/framing.h"
#include "driver/serial_port.h"
#include "driver/vantor.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace vantor {

// A request payload under construction: command code, a zero byte, then the arguments.
class Request {
public:
    explicit Request(int command);
    void put8(int value);
    void put16(int value);  // high byte first
    void putReal3(double value);
    void putBytes(std::span<const std::uint8_t> bytes);
    // False once more than 127 payload bytes were put: such a request cannot be sent.
    bool fits() const { return m_size <= kMaxRequestPayload; }
    std::span<const std::uint8_t> payload() const { return {m_bytes, m_size}; }

private:
    std::uint8_t m_bytes[kMaxRequestPayload + 8] = {};
    std::size_t m_size = 0;
};

// Communication error codes shared by every command.
enum CommError {
    kSendFailed = -1,
    kReceiveFailed = -2,
    kReplyCodeError = -3,
    kBadIndex = -4,
    kTypeMismatch = -5,
};

class CiuLink {
public:
    CiuLink(CiuCommStruct &comm, SerialPort &port, DriverLog &log) : m_comm(comm), m_port(port), m_log(log) {}

    // Sends the request and receives its reply.  Returns -1 when it could not be sent, -2
    // when no valid reply came, otherwise the reply code (0 = accepted).  A nonzero reply
    // code is kept for the error log line.
    int exchange(const Request &request);

    // The payload of the last valid reply, reply code first, without the checksum.
    std::span<const std::uint8_t> reply() const { return {m_reply, m_replyLength}; }

    // Counts a failed command in ErrorCount.
    void countError();
    // Keeps the index a reply named wrongly, for the error log line.
    void setBadIndex(int index) { m_lastBadIndex = index; }
    // Writes the log line of a communication error code.
    void logError(int code);

    CiuCommStruct &comm() { return m_comm; }
    DriverLog &log() { return m_log; }

private:
    bool send(std::span<const std::uint8_t> payload);
    // Receives and checks the reply into m_reply; false when no valid reply came.
    bool receive();

    CiuCommStruct &m_comm;
    SerialPort &m_port;
    DriverLog &m_log;
    std::uint8_t m_frame[maxFrameSize(kMaxRequestPayload)] = {};
    std::uint8_t m_raw[kSerialBufferSize] = {};
    std::uint8_t m_reply[kSerialBufferSize] = {};
    std::size_t m_replyLength = 0;
    int m_lastReplyCode = 0;
    int m_lastBadIndex = 0;
};

}  // namespace vantor
