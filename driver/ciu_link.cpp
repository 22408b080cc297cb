// The request/reply exchange with the CIU: see ciu_link.h.
#include "driver/ciu_link.h"

#include "driver/comm_access.h"
#include "driver/number_format.h"
#include "driver/thread_control.h"

#include <algorithm>

namespace vantor {

Request::Request(int command)
{
    put8(command);
    put8(0);
}

void Request::put8(int value)
{
    if (m_size < sizeof m_bytes)
        m_bytes[m_size] = static_cast<std::uint8_t>(value & 0xFF);
    ++m_size;
}

void Request::put16(int value)
{
    put8(value >> 8);
    put8(value);
}

void Request::putReal3(double value)
{
    std::uint8_t bytes[3];
    encodeReal3(value, bytes);
    putBytes(bytes);
}

void Request::putBytes(std::span<const std::uint8_t> bytes)
{
    for (std::uint8_t b : bytes)
        put8(b);
}

bool CiuLink::send(std::span<const std::uint8_t> payload)
{
    incrementField(m_comm.CommandCount);
    setThreadPriority(loadField(m_comm.IdlePriority));
    sleepMs(std::max(10, loadField(m_comm.CommandPace)));
    setThreadPriority(loadField(m_comm.CollectionPriority));
    m_port.purge();
    std::size_t size = encodeFrame(payload, m_frame);
    if (size == 0)
        return false;
    return m_port.write(m_frame, size, loadField(m_comm.TxTimeout));
}

bool CiuLink::receive()
{
    std::size_t raw = m_port.readFrame(m_raw, sizeof m_raw, loadField(m_comm.RxTimeout));
    if (raw == 0)
        return false;
    DecodedFrame frame = decodeFrame(std::span<const std::uint8_t>(m_raw, raw), m_reply);
    // A reply needs at least its reply code and checksum; anything without a frame end
    // is incomplete and is never taken as a reply.
    if (frame.error != FrameError::None || frame.length < 2)
        return false;
    m_replyLength = frame.length - 1;
    return true;
}

int CiuLink::exchange(const Request &request)
{
    m_replyLength = 0;
    if (!request.fits() || !send(request.payload()))
        return kSendFailed;
    if (!receive())
        return kReceiveFailed;
    int code = m_reply[0];
    if (code != 0)
        m_lastReplyCode = code;
    return code;
}

void CiuLink::countError() { incrementField(m_comm.ErrorCount); }

void CiuLink::logError(int code)
{
    switch (code) {
    case kSendFailed: m_log.line("Error Sending CIU Command\r\n"); break;
    case kReceiveFailed: m_log.line("Error Receiving CIU Command\r\n"); break;
    case kReplyCodeError: m_log.format("CIU Reply Code Error #%d\r\n", m_lastReplyCode); break;
    case kBadIndex: m_log.format("Invalid Index Received Error at Index # %d\r\n", m_lastBadIndex); break;
    case kTypeMismatch: m_log.format("Point Type Mismatch Error at Index # %d\r\n", m_lastBadIndex); break;
    default: m_log.line("Undefined Communication Error\r\n"); break;
    }
}

}  // namespace vantor
