// The simulator's wire time: what one character costs in each frame, the output queue
// letting bytes out one character time apart (byte by byte, on a pipe), and a request
// and its reply on the pseudo-terminal taking no less than the line would.
#include "ciusim/commands.h"
#include "ciusim/line_format.h"
#include "ciusim/output_queue.h"
#include "ciusim/pty_server.h"
#include "tests/ciusim/sim_test_support.h"
#include "tests/support/wait_until.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

namespace ciusim {
namespace {

using namespace ciusim::test;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

TEST(LineFormat, ACharacterCostsItsStartDataParityAndStopBits)
{
    EXPECT_EQ(bitsPerCharacter(*lineFormatOf(9600, "8N1")), 10);
    EXPECT_EQ(bitsPerCharacter(*lineFormatOf(9600, "8E1")), 11);
    EXPECT_EQ(bitsPerCharacter(*lineFormatOf(9600, "8O2")), 12);
    EXPECT_EQ(bitsPerCharacter(*lineFormatOf(9600, "7E1")), 10);
    EXPECT_EQ(bitsPerCharacter(*lineFormatOf(9600, "5N1")), 7);
    // Never faster than the rate: 10 bits at 9600 baud are 1041666.67 ns.
    EXPECT_EQ(characterTime(*lineFormatOf(9600, "8N1")), 1041667ns);
    EXPECT_EQ(characterTime(*lineFormatOf(19200, "8E1")), 572917ns);
    EXPECT_EQ(characterTime(LineFormat{}), 0ns);
    EXPECT_EQ(describe(*lineFormatOf(38400, "7E1")), "38400 7E1");
    EXPECT_EQ(lineWord(*lineFormatOf(38400, "7E1")), "38400/7E1");
    EXPECT_EQ(describe(LineFormat{}), "off");
}

TEST(LineFormat, FramesAndRatesOutOfRangeAreRefused)
{
    for (const char *frame : {"9N1", "4N1", "8X1", "8N3", "8N0", "8N", "8N11", "", "N81"})
        EXPECT_FALSE(lineFormatOf(9600, frame)) << frame;
    EXPECT_FALSE(lineFormatOf(0, "8N1"));
    EXPECT_FALSE(lineFormatOf(kLowestBaud - 1, "8N1"));
    EXPECT_FALSE(lineFormatOf(kHighestBaud + 1, "8N1"));
    EXPECT_TRUE(lineFormatOf(kHighestBaud, "8S2"));
}

// A pipe whose read end the test drains, as the station's end of the line.
class Pipe {
public:
    Pipe()
    {
        if (::pipe2(m_fds, O_NONBLOCK | O_CLOEXEC) != 0)
            m_fds[0] = m_fds[1] = -1;
    }
    ~Pipe()
    {
        ::close(m_fds[0]);
        ::close(m_fds[1]);
    }
    int writeEnd() const { return m_fds[1]; }
    Bytes drain() const
    {
        Bytes bytes(64);
        const ssize_t n = ::read(m_fds[0], bytes.data(), bytes.size());
        bytes.resize(n > 0 ? std::size_t(n) : 0);
        return bytes;
    }

private:
    int m_fds[2];
};

TEST(OutputQueueWireTime, BytesLeaveOneCharacterTimeApart)
{
    Pipe line;
    OutputQueue queue;
    queue.setCharacterTime(1ms);
    const Clock::time_point t0 = Clock::now();
    queue.schedule({1, 2, 3, 4, 5}, 0, t0);
    EXPECT_EQ(queue.timeout(t0), 0ns) << "the reply is due";
    ASSERT_TRUE(queue.writeDue(line.writeEnd(), t0));
    EXPECT_EQ(line.drain(), Bytes{}) << "a byte before its last bit left";
    EXPECT_EQ(queue.timeout(t0), 1ms);
    ASSERT_TRUE(queue.writeDue(line.writeEnd(), t0 + 2500us));
    EXPECT_EQ(line.drain(), (Bytes{1, 2}));
    EXPECT_EQ(queue.timeout(t0 + 2500us), 500us);
    EXPECT_FALSE(queue.canWrite(t0 + 2900us));
    EXPECT_TRUE(queue.canWrite(t0 + 3000us));
    // A reply due while the line is busy follows without a gap.
    queue.schedule({6, 7}, 1, t0 + 2500us);
    ASSERT_TRUE(queue.writeDue(line.writeEnd(), t0 + 7000us));
    EXPECT_EQ(line.drain(), (Bytes{3, 4, 5, 6, 7}));
    // One due on an idle line starts when it is due.
    queue.schedule({8, 9}, 10, t0 + 7000us);
    EXPECT_EQ(queue.timeout(t0 + 7000us), 10ms);
    ASSERT_TRUE(queue.writeDue(line.writeEnd(), t0 + 18000us));
    EXPECT_EQ(line.drain(), (Bytes{8})) << "the second byte leaves at 19 ms";
    ASSERT_TRUE(queue.writeDue(line.writeEnd(), t0 + 19000us));
    EXPECT_EQ(line.drain(), (Bytes{9}));
    EXPECT_LT(queue.timeout(t0 + 19000us), 0ns) << "nothing waits";
    EXPECT_EQ(queue.written(), 9u);
}

TEST(OutputQueueWireTime, WithoutWireTimeDueBytesGoAtOnce)
{
    Pipe line;
    OutputQueue queue;
    const Clock::time_point t0 = Clock::now();
    queue.schedule({1, 2, 3}, 0, t0);
    ASSERT_TRUE(queue.writeDue(line.writeEnd(), t0));
    EXPECT_EQ(line.drain(), (Bytes{1, 2, 3}));
    EXPECT_EQ(queue.timeoutMs(t0), -1);
}

// The arrival of each byte of the reply to one request, since the request was written.
std::vector<Clock::duration> replyArrivals(RawClient &client, const Bytes &request, std::size_t replyBytes)
{
    std::vector<Clock::duration> arrivals;
    const Clock::time_point sent = Clock::now();
    if (!client.send(request))
        return arrivals;
    while (arrivals.size() < replyBytes) {
        const Bytes got = client.receive(2s, 1);
        if (got.empty())
            break;
        arrivals.insert(arrivals.end(), got.size(), Clock::now() - sent);
    }
    return arrivals;
}

// 1200 baud 8N1: 8.33 ms a character.  The request is heard after its last byte, and
// each byte of the reply arrives no sooner than the line could carry it.
TEST(PtyServerWireTime, ARequestAndItsReplyTakeTheirTimeOnTheWire)
{
    SimConfig config;
    config.line = *lineFormatOf(1200, "8N1");
    PtyServer server(config);
    ASSERT_TRUE(server.start()) << server.errorText();
    RawClient client(server.devicePath());
    ASSERT_TRUE(client.isOpen());
    const Bytes request = frame(Bytes{command::kReadStatus, 0});
    const std::size_t replyBytes = frame(Bytes{0, 4, 4, 0, 0, 0, 0, 2, 1}).size();
    const std::vector<Clock::duration> arrivals = replyArrivals(client, request, replyBytes);
    ASSERT_EQ(arrivals.size(), replyBytes);
    const auto character = characterTime(config.line);
    for (std::size_t k = 0; k < arrivals.size(); ++k)
        EXPECT_GE(arrivals[k], character * long(request.size() + k + 1)) << "byte " << k << " came too soon";
    EXPECT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.lineCounts().heard, request.size());
    // Counted once the write has returned, which may be after the station has read it.
    EXPECT_TRUE(tk70test::waitUntil([&] { return server.lineCounts().sent == replyBytes; }, 2s))
        << server.lineCounts().sent;
}

}  // namespace
}  // namespace ciusim
