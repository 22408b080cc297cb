// Block tuning: see tuning.h.
#include "driver/tuning.h"

#include "driver/ciu_link.h"
#include "driver/comm_access.h"
#include "driver/number_format.h"
#include "driver/thread_control.h"

#include <cstring>

namespace vantor {

bool parseTuneReply(std::span<const std::uint8_t> reply, TuneImage &image)
{
    if (reply.size() < 2)
        return false;
    std::size_t groups = reply[1];
    std::size_t pos = 2;
    if (reply.size() < pos + 2 * groups + 1)
        return false;
    int count = 0;
    for (std::size_t g = 0; g < groups; ++g, pos += 2) {
        std::uint8_t attributes = reply[pos + 1];
        for (int k = 0; k < reply[pos]; ++k) {
            if (count >= CIU_TUNE_SPECS)
                return false;
            image.specs[count] =
                TuneSpec{count + 1, (attributes >> 7) & 1, (attributes >> 4) & 7, attributes & 0x0F, 0.0, 0};
            ++count;
        }
    }
    image.functionCode = reply[pos++];
    std::size_t valueStart = pos;
    for (int k = 0; k < count; ++k) {
        TuneSpec &spec = image.specs[k];
        auto size = static_cast<std::size_t>(formatSize(spec.format));
        if (pos + size > reply.size())
            return false;
        spec.value = decodeValue(spec.format, reply.data() + pos);
        spec.readValue = spec.value;
        spec.offset = static_cast<int>(pos - 1);
        pos += size;
    }
    image.specCount = count;
    std::memcpy(image.bytes, reply.data() + 1, pos - 1);
    image.valueStart = static_cast<int>(valueStart - 1);
    image.valueEnd = static_cast<int>(pos - 1);
    return true;
}

namespace {

// A tune request naming its block: Loop, PCU, Module (2 bytes), Block (2 bytes).
Request blockRequest(int command, const BlockAddress &a)
{
    Request request(command);
    request.put8(a.loop);
    request.put8(a.pcu);
    request.put16(a.module);
    request.put16(a.block);
    return request;
}

}  // namespace

bool encodeTuneValues(TuneImage &image)
{
    bool ok = true;
    for (int k = 0; k < image.specCount; ++k) {
        const TuneSpec &spec = image.specs[k];
        if (!spec.changed)
            continue;
        std::uint8_t bytes[3] = {};
        if (encodeSpecValue(spec.format, spec.value, bytes))
            std::memcpy(image.bytes + spec.offset, bytes, static_cast<std::size_t>(formatSize(spec.format)));
        else
            ok = false;
    }
    return ok;
}

int TuneState::requestRead(bool connected, BlockAddress address)
{
    std::lock_guard lock(m_mutex);
    if (!connected || pendingLocked() || address.isZero())
        return 0;
    m_requested = address;
    m_pending = Kind::Read;
    ++m_sequence;
    return 1;
}

// A block read whose values are too many for one write request is refused as well: the
// request could never be sent.
int TuneState::requestWrite(bool connected)
{
    std::lock_guard lock(m_mutex);
    if (!connected || pendingLocked() || m_current.isZero())
        return 0;
    if (availableLocked() && m_image.valueEnd - m_image.valueStart > CIU_TUNE_WRITE_VALUE_BYTES)
        return 0;
    m_pending = Kind::Write;
    ++m_sequence;
    return 1;
}

int TuneState::isPending() const
{
    std::lock_guard lock(m_mutex);
    return pendingLocked() ? 1 : 0;
}

int TuneState::errorStatus() const
{
    std::lock_guard lock(m_mutex);
    return availableLocked() ? 0 : 1;
}

const TuneSpec *TuneState::specLocked(int n) const
{
    return n >= 1 && n <= m_image.specCount ? &m_image.specs[n - 1] : nullptr;
}

int TuneState::functionCode() const
{
    std::lock_guard lock(m_mutex);
    return availableLocked() ? m_image.functionCode : 0;
}

int TuneState::specCount() const
{
    std::lock_guard lock(m_mutex);
    return availableLocked() ? m_image.specCount : 0;
}

double TuneState::specValue(int n) const
{
    std::lock_guard lock(m_mutex);
    const TuneSpec *spec = specLocked(n);
    return availableLocked() && spec ? spec->value : 0.0;
}

int TuneState::specTunable(int n) const
{
    std::lock_guard lock(m_mutex);
    const TuneSpec *spec = specLocked(n);
    return availableLocked() && spec ? spec->tunable : 0;
}

int TuneState::specType(int n) const
{
    std::lock_guard lock(m_mutex);
    if (!availableLocked())
        return -1;
    const TuneSpec *spec = specLocked(n);
    return spec ? spec->format : 0;
}

// The value as read is always taken back (nothing changes, whatever the format's range
// says of it); any other value must pass the range check of its number format and encode
// in it (0.001 passes the check, but two bytes cannot hold it), so that a value taken
// here never stops the write.
int TuneState::setSpecValue(int n, double value)
{
    std::lock_guard lock(m_mutex);
    if (!availableLocked() || !specLocked(n))
        return 0;
    TuneSpec &spec = m_image.specs[n - 1];
    if (value == spec.readValue) {
        spec.value = spec.readValue;
        spec.changed = false;
        return 1;
    }
    std::uint8_t bytes[3] = {};
    if (!encodeSpecValue(spec.format, value, bytes))
        return 0;
    spec.value = value;
    spec.changed = true;
    return 1;
}

int TuneState::reset()
{
    std::lock_guard lock(m_mutex);
    m_pending = Kind::None;
    ++m_sequence;
    m_requested = BlockAddress{};
    m_current = BlockAddress{};
    m_unread = true;
    return 0;
}

void TuneState::markUnread()
{
    std::lock_guard lock(m_mutex);
    m_unread = true;
}

void TuneState::logSpecs(CiuLink &link) const
{
    for (int k = 0; k < m_image.specCount; ++k)
        link.log().format("Spec #%d = %9.3f.\r\n", k + 1, m_image.specs[k].value);
}

TuneState::Taken TuneState::beginReadLocked(BlockAddress address)
{
    m_current = address;
    m_unread = true;
    return Taken{Kind::Read, m_sequence, address, true};
}

TuneState::Taken TuneState::take()
{
    std::lock_guard lock(m_mutex);
    if (m_pending == Kind::Write)
        return Taken{Kind::Write, m_sequence, m_current, m_unread};
    if (m_pending == Kind::Read)
        return beginReadLocked(m_requested);
    return Taken{};
}

void TuneState::finish(const Taken &taken, int rc)
{
    std::lock_guard lock(m_mutex);
    if (taken.sequence != m_sequence)
        return;
    if (taken.kind == Kind::Read)
        m_unread = rc != 0;
    m_pending = Kind::None;
}

int TuneState::readImage(CiuLink &link, BlockAddress a)
{
    int rc = link.exchange(blockRequest(13, a));
    if (rc > 0)
        rc = kReplyCodeError;
    else if (rc == 0 && !parseTuneReply(link.reply(), m_image))
        rc = kReceiveFailed;
    if (rc != 0) {
        link.countError();
        link.log().detailed("Error Reading Tune Specs - Blk:%02d-%02d-%02d-%04d.\r\n", a.loop, a.pcu, a.module,
                            a.block);
        link.logError(rc);
        return rc;
    }
    if (link.log().detailedEnabled()) {
        link.log().format("Reading Tune Specs - Blk:%02d-%02d-%02d-%04d - FC %d.\r\n", a.loop, a.pcu, a.module, a.block,
                          m_image.functionCode);
        logSpecs(link);
    }
    return 0;
}

int TuneState::read(CiuLink &link, BlockAddress a)
{
    Taken taken;
    {
        std::lock_guard lock(m_mutex);
        taken = beginReadLocked(a);
    }
    int rc = readImage(link, a);
    finish(taken, rc);
    return rc;
}

int TuneState::write(CiuLink &link)
{
    Taken taken;
    {
        std::lock_guard lock(m_mutex);
        taken = Taken{Kind::Write, m_sequence, m_current, m_unread};
    }
    return writeImage(link, taken);
}

int TuneState::writeImage(CiuLink &link, const Taken &taken)
{
    const BlockAddress &a = taken.address;
    if (taken.unread) {
        link.log().line("Attempting to Tune Unread Block\r\n");
        return kSendFailed;
    }
    if (a.isZero()) {
        link.log().line("Attempting to Tune Invalid Block\r\n");
        return kReceiveFailed;
    }
    if (!encodeTuneValues(m_image)) {
        link.log().line("Error converting Tuning Specs.\r\n");
        return kReplyCodeError;
    }
    Request request = blockRequest(17, a);
    request.put8(m_image.functionCode);
    request.putBytes(std::span<const std::uint8_t>(m_image.bytes + m_image.valueStart,
                                                   static_cast<std::size_t>(m_image.valueEnd - m_image.valueStart)));
    int rc = link.exchange(request);
    if (rc > 0)
        rc = kReplyCodeError;
    if (rc != 0) {
        link.countError();
        link.log().format("Error Tuning Block %02d-%02d-%02d-%04d  FC %d.\r\n", a.loop, a.pcu, a.module, a.block,
                          m_image.functionCode);
        link.logError(rc);
        return rc;
    }
    link.log().format("Tuned Block %02d-%02d-%02d-%04d  FC %d.\r\n", a.loop, a.pcu, a.module, a.block,
                      m_image.functionCode);
    if (link.log().detailedEnabled())
        logSpecs(link);
    return 0;
}

void TuneState::serve(CiuLink &link)
{
    Taken taken = take();
    if (taken.kind == Kind::None)
        return;
    CiuCommStruct &comm = link.comm();
    setThreadPriority(loadField(comm.CollectionPriority));
    int rc = taken.kind == Kind::Read ? readImage(link, taken.address) : writeImage(link, taken);
    setThreadPriority(loadField(comm.IdlePriority));
    sleepMs(0);
    finish(taken, rc);
}

}  // namespace vantor
