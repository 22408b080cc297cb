// Every decision of the "Function Block Tuning" dialog, without widgets: the block
// address, Read with its five-second wait, the status line, the pages of nine specs,
// Next and Prev checking the tunable values, Update with its refusals, the write, the
// verifying read and compare, and the clearing step.  The plant traffic goes through the
// driver client; the driver's collection thread carries each request out while the
// session polls, so the window stays responsive during a wait.  The view shows what the
// session holds after each changed() and passes the user's entries and clicks in.
//
// What the status line says of the block is what the driver proved: an entry that is not
// wholly a number, a value its format cannot hold and a block too large for one
// write are refused before anything is sent; a failed read is reported as one; and after
// a write whose wait ran out (it may still land), the block is read again and shown as
// it is.  The waits take their time-outs from the program's clock.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <array>
#include <functional>
#include <optional>

namespace tk70 {

class CCiuDriver;
class Clock;

struct TuneAddress {
    int loop = 0, pcu = 0, module = 0, block = 0;
};

// The ranges of the four address fields, in the order loop, PCU, module, block.
struct FieldRange {
    int min, max;
};
inline constexpr std::array<FieldRange, 4> kTuneAddressRanges{{{0, 255}, {0, 255}, {0, 31}, {0, 9999}}};
bool inTuneAddressRange(const TuneAddress &address);

// Tuning is offered while the driver client runs a connection and the driver monitors
// the CIU.
bool tuningAvailable(const CCiuDriver &driver);

class TuneSession : public QObject {
    Q_OBJECT

public:
    static constexpr int kWaitMs = 5000;  // longest wait for one request
    static constexpr int kPollMs = 10;
    static constexpr int kStatusChars = 80;
    // Whether block tuning is inhibited ("InhibitBlockTuning"), asked at each Update.
    using InhibitRule = std::function<bool()>;

    TuneSession(CCiuDriver &driver, InhibitRule inhibited, const Clock &clock, QObject *parent = nullptr);

    // Opening the dialog: resets the tune request and empties the page.
    void open();
    // Reads the block at address; false (nothing done) when the address is out of range
    // or a request is being waited for.
    bool read(const TuneAddress &address);
    void nextPage() { turnPage(true); }
    void previousPage() { turnPage(false); }
    void update();
    // The user's entry in spec field k (0 to 8).
    void setEntry(int k, const QString &text);

    // What the dialog shows.
    const QString &status() const { return m_status; }
    int pageOffset() const { return m_pageOffset; }
    int specNumber(int k) const { return m_pageOffset + k + 1; }
    const QString &entry(int k) const { return m_entries[static_cast<std::size_t>(k)]; }
    bool entryEnabled(int k) const { return m_entryEnabled[static_cast<std::size_t>(k)]; }
    bool nextEnabled() const { return m_nextEnabled; }
    bool previousEnabled() const { return m_previousEnabled; }
    bool updateEnabled() const { return m_updateEnabled; }
    // Whether a read, write or verification is waited for: the dialog stays open meanwhile.
    bool waiting() const { return m_waiting; }

signals:
    void changed();
    void beep();

private:
    using Continuation = std::function<void(bool timedOut)>;

    void waitThen(Continuation next);
    void waitBeforeWrite(std::function<void()> next);
    void poll();
    void endWait(bool timedOut);
    void readFailed(const char *text);
    void afterRead();
    void showBlock();
    void showPage();
    void turnPage(bool forward);
    int offerEntries(bool tunableOnly);
    std::optional<double> offeredValue(int k, int n) const;
    void rejectValue(int n);
    bool refuseTooLarge();
    void offerAndWrite();
    void readBackAfterTimeout();
    void showReadBack();
    void blockStateUnknown();
    void verify();
    void compare();
    void refuse(const QString &text);
    void errorStep(const char *text);
    void clearingStep();
    void emptyFields();
    void setStatus(const QString &text);

    CCiuDriver &m_driver;
    InhibitRule m_inhibited;
    const Clock &m_clock;
    TuneAddress m_blockRead;  // the address of the last read, written and verified
    QString m_status;
    int m_pageOffset = 0;
    std::array<QString, 9> m_entries;
    std::array<QString, 9> m_shown;  // the text each field was given, to tell an edit
    std::array<bool, 9> m_entryEnabled{};
    bool m_nextEnabled = false;
    bool m_previousEnabled = false;
    bool m_updateEnabled = false;
    bool m_timedOut = false;

    bool m_waiting = false;
    QTimer m_poll;
    qint64 m_waitStartMs = 0;
    Continuation m_next;
};

}  // namespace tk70
