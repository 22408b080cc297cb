// Block tuning: the table of specs and the raw image of one function block.
//
// The program posts a read or write request; the collection thread carries it out
// between monitoring cycles; the program polls until the request is no longer pending
// and then reads the result.  A write sends back exactly the bytes that were read, with
// the changed values put in place.  The request flags order the two threads: the
// program touches the table only while no request is pending, the thread only while one is.
#pragma once

#include "framing.h"
#include "vantor.h"

#include <atomic>
#include <cstdint>
#include <span>

namespace vantor {

struct BlockAddress {
    int loop = 0, pcu = 0, module = 0, block = 0;
    bool isZero() const { return loop == 0 && pcu == 0 && module == 0 && block == 0; }
};

struct TuneSpec {
    int number = 0;
    int tunable = 0;
    int attribute = 0;  // bits 6 to 4 of the group's attribute byte; kept, not used
    int format = 0;
    double value = 0.0;
    int offset = 0;     // where the value's bytes begin in the image
};

// The parsed reply of a tune spec read.
struct TuneImage {
    int functionCode = 0;
    int specCount = 0;
    TuneSpec specs[CIU_TUNE_SPECS];
    std::uint8_t bytes[kSerialBufferSize] = {};  // the reply from its group count on
    int valueStart = 0;
    int valueEnd = 0;  // one past the last value byte
};

// Parses a read reply (reply code first, checksum removed) into image.  Returns false
// when the reply is shorter than its groups and values announce or names more than 125
// specs.
bool parseTuneReply(std::span<const std::uint8_t> reply, TuneImage &image);

// Puts every spec's value into the image's value bytes.  Returns false when a value does
// not encode in its format or fails the format's range check.
bool encodeTuneValues(TuneImage &image);

class CiuLink;

class TuneState {
public:
    // Program side.
    int requestRead(bool connected, BlockAddress address);
    int requestWrite(bool connected);
    int isPending() const { return (m_readRequested.load() || m_writeRequested.load()) ? 1 : 0; }
    int errorStatus() const { return (isPending() || m_unread.load()) ? 1 : 0; }
    int functionCode() const;
    int specCount() const;
    double specValue(int n) const;
    int specTunable(int n) const;
    int specType(int n) const;
    int setSpecValue(int n, double value);
    int reset();
    void markUnread() { m_unread.store(true); }

    // Thread side: the commands, and serving one pending request.
    int read(CiuLink &link, BlockAddress address);
    int write(CiuLink &link);
    void serve(CiuLink &link);

private:
    bool available() const { return !isPending() && !m_unread.load(); }
    void logSpecs(CiuLink &link) const;

    std::atomic<bool> m_readRequested{false};
    std::atomic<bool> m_writeRequested{false};
    std::atomic<bool> m_unread{true};
    std::atomic<int> m_requested[4] = {};  // loop, pcu, module, block of a read request
    std::atomic<int> m_current[4] = {};    // address of the last read attempt
    TuneImage m_image;
};

}  // namespace vantor
