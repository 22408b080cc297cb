// Block tuning: the table of specs and the raw image of one function block.
//
// The program posts a read or write request; the collection thread carries it out
// between monitoring cycles; the program polls until the request is no longer pending
// and then reads the result.  A write sends back exactly the bytes that were read, with
// the changed values put in place.  The request state (flags, sequence number, unread
// flag, addresses) sits behind one mutex that is never held during an exchange; it orders
// the two threads: the program touches the table only while no request is pending and a
// valid image is held, the thread only while it serves a request.  Each request carries a
// sequence number, so a late result of a request the program has reset is never published
// as the result of the next one.
#pragma once

#include "driver/framing.h"
#include "driver/vantor.h"

#include <cstdint>
#include <mutex>
#include <span>

namespace vantor {

static_assert(CIU_TUNE_WRITE_VALUE_BYTES + 9 == kMaxRequestPayload, "a tuning write is 9 bytes and its values");

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
    int offset = 0;          // where the value's bytes begin in the image
    double readValue = 0.0;  // the value as read; a spec set back to it counts as unchanged
    bool changed = false;    // set to another value since the read: encoded by a write
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

// Puts the value of every changed spec into the image's value bytes; an unchanged spec
// keeps the bytes that were read, whatever they hold.  Returns false when a changed value
// does not encode in its format or fails the format's range check (its bytes then stay).
bool encodeTuneValues(TuneImage &image);

class CiuLink;

class TuneState {
public:
    // Program side.
    int requestRead(bool connected, BlockAddress address);
    int requestWrite(bool connected);
    int isPending() const;
    int errorStatus() const;
    int functionCode() const;
    int specCount() const;
    double specValue(int n) const;
    int specTunable(int n) const;
    int specType(int n) const;
    int setSpecValue(int n, double value);
    int reset();
    void markUnread();

    // Thread side: the commands, and serving one pending request.
    int read(CiuLink &link, BlockAddress address);
    int write(CiuLink &link);
    void serve(CiuLink &link);

private:
    enum class Kind { None, Read, Write };
    // A request as the thread took it: what, under which sequence number, for which block.
    struct Taken {
        Kind kind = Kind::None;
        unsigned sequence = 0;
        BlockAddress address;
        bool unread = true;
    };

    bool pendingLocked() const { return m_pending != Kind::None; }
    bool availableLocked() const { return !pendingLocked() && !m_unread; }
    const TuneSpec *specLocked(int n) const;
    // Takes the pending request; a read makes its address current and the image unread.
    Taken take();
    Taken beginReadLocked(BlockAddress address);
    // Publishes the outcome only when no reset or newer request came since the take.
    void finish(const Taken &taken, int rc);
    int readImage(CiuLink &link, BlockAddress address);
    int writeImage(CiuLink &link, const Taken &taken);
    void logSpecs(CiuLink &link) const;

    mutable std::mutex m_mutex;
    Kind m_pending = Kind::None;
    unsigned m_sequence = 0;  // advanced by every request and every reset
    bool m_unread = true;
    BlockAddress m_requested;  // address of a read request
    BlockAddress m_current;    // address of the last read attempt
    // Written by the thread while it serves a request, read by the program only while
    // available (the mutex hands it over).
    TuneImage m_image;
};

}  // namespace vantor
