// Block tuning: see tuning.h.
#include "tuning.h"

#include "ciu_link.h"
#include "comm_access.h"
#include "number_format.h"
#include "thread_control.h"

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
            image.specs[count] = TuneSpec{count + 1, (attributes >> 7) & 1, (attributes >> 4) & 7,
                                          attributes & 0x0F, 0.0, 0};
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

void storeAddress(std::atomic<int> (&parts)[4], const BlockAddress &a)
{
    parts[0].store(a.loop);
    parts[1].store(a.pcu);
    parts[2].store(a.module);
    parts[3].store(a.block);
}

BlockAddress loadAddress(const std::atomic<int> (&parts)[4])
{
    return BlockAddress{parts[0].load(), parts[1].load(), parts[2].load(), parts[3].load()};
}

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
        if (!encodeSpecValue(spec.format, spec.value, image.bytes + spec.offset))
            ok = false;
    }
    return ok;
}

int TuneState::requestRead(bool connected, BlockAddress address)
{
    if (!connected || isPending() || address.isZero())
        return 0;
    storeAddress(m_requested, address);
    m_readRequested.store(true);
    return 1;
}

int TuneState::requestWrite(bool connected)
{
    if (!connected || isPending() || loadAddress(m_current).isZero())
        return 0;
    m_writeRequested.store(true);
    return 1;
}

int TuneState::functionCode() const { return available() ? m_image.functionCode : 0; }
int TuneState::specCount() const { return available() ? m_image.specCount : 0; }

double TuneState::specValue(int n) const
{
    if (!available() || n < 1 || n > m_image.specCount)
        return 0.0;
    return m_image.specs[n - 1].value;
}

int TuneState::specTunable(int n) const
{
    if (!available() || n < 1 || n > m_image.specCount)
        return 0;
    return m_image.specs[n - 1].tunable;
}

int TuneState::specType(int n) const
{
    if (!available())
        return -1;
    if (n < 1 || n > m_image.specCount)
        return 0;
    return m_image.specs[n - 1].format;
}

int TuneState::setSpecValue(int n, double value)
{
    if (!available() || n < 1 || n > m_image.specCount)
        return 0;
    TuneSpec &spec = m_image.specs[n - 1];
    if (!inFormatRange(spec.format, value))
        return 0;
    spec.value = value;
    return 1;
}

int TuneState::reset()
{
    m_readRequested.store(false);
    m_writeRequested.store(false);
    storeAddress(m_requested, BlockAddress{});
    storeAddress(m_current, BlockAddress{});
    m_unread.store(true);
    return 0;
}

void TuneState::logSpecs(CiuLink &link) const
{
    for (int k = 0; k < m_image.specCount; ++k)
        link.log().format("Spec #%d = %9.3f.\r\n", k + 1, m_image.specs[k].value);
}

int TuneState::read(CiuLink &link, BlockAddress a)
{
    storeAddress(m_current, a);
    m_unread.store(true);
    int rc = link.exchange(blockRequest(13, a));
    if (rc > 0)
        rc = kReplyCodeError;
    else if (rc == 0 && !parseTuneReply(link.reply(), m_image))
        rc = kReceiveFailed;
    if (rc != 0) {
        link.countError();
        link.log().detailed("Error Reading Tune Specs - Blk:%02d-%02d-%02d-%04d.\r\n", a.loop, a.pcu,
                            a.module, a.block);
        link.logError(rc);
        return rc;
    }
    m_unread.store(false);
    if (link.log().detailedEnabled()) {
        link.log().format("Reading Tune Specs - Blk:%02d-%02d-%02d-%04d - FC %d.\r\n", a.loop, a.pcu,
                          a.module, a.block, m_image.functionCode);
        logSpecs(link);
    }
    return 0;
}

int TuneState::write(CiuLink &link)
{
    BlockAddress a = loadAddress(m_current);
    if (m_unread.load()) {
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
        link.log().format("Error Tuning Block %02d-%02d-%02d-%04d  FC %d.\r\n", a.loop, a.pcu, a.module,
                          a.block, m_image.functionCode);
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
    bool reading = m_readRequested.load();
    if (!reading && !m_writeRequested.load())
        return;
    CiuCommStruct &comm = link.comm();
    setThreadPriority(loadField(comm.CollectionPriority));
    if (reading)
        read(link, loadAddress(m_requested));
    else
        write(link);
    setThreadPriority(loadField(comm.IdlePriority));
    sleepMs(0);
    (reading ? m_readRequested : m_writeRequested).store(false);
}

}  // namespace vantor
