// The tuning dialog's decisions: see tune_session.h.
#include "tune/tune_session.h"

#include "core/clock.h"
#include "driver/vantor.h"
#include "driverclient/ciu_driver.h"
#include "platform/messages.h"
#include "tune/function_codes.h"
#include "tune/tuning_page.h"

#include <algorithm>
#include <utility>

namespace tk70 {

bool inTuneAddressRange(const TuneAddress &a)
{
    const std::array<int, 4> parts{a.loop, a.pcu, a.module, a.block};
    for (std::size_t i = 0; i < parts.size(); ++i)
        if (parts[i] < kTuneAddressRanges[i].min || parts[i] > kTuneAddressRanges[i].max)
            return false;
    return true;
}

bool tuningAvailable(const CCiuDriver &driver) { return driver.isRunning() && driver.monitoring() == 1; }

TuneSession::TuneSession(CCiuDriver &driver, InhibitRule inhibited, const Clock &clock, QObject *parent)
    : QObject(parent), m_driver(driver), m_inhibited(std::move(inhibited)), m_clock(clock)
{
    m_poll.setInterval(kPollMs);
    connect(&m_poll, &QTimer::timeout, this, &TuneSession::poll);
}

void TuneSession::open()
{
    CiuResetTuneRequest();
    emptyFields();
    m_nextEnabled = m_previousEnabled = m_updateEnabled = false;
    m_pageOffset = 0;
    m_status.clear();
    emit changed();
}

void TuneSession::setStatus(const QString &text) { m_status = text.left(kStatusChars); }

void TuneSession::setEntry(int k, const QString &text)
{
    if (k >= 0 && k < kSpecsPerPage)
        m_entries[static_cast<std::size_t>(k)] = text;
}

// Waiting for a request: polls until the driver has nothing pending, or gives up after
// five seconds (beep, timeout flag, request reset).  Ends at once when nothing is pending.
void TuneSession::waitThen(Continuation next)
{
    m_timedOut = false;
    m_next = std::move(next);
    m_waiting = true;
    m_waitStartMs = m_clock.monotonicMs();
    if (CiuIsTunePending() == 0) {
        endWait(false);
        return;
    }
    m_poll.start();
    emit changed();
}

void TuneSession::poll()
{
    if (CiuIsTunePending() == 0)
        endWait(false);
    else if (m_clock.monotonicMs() - m_waitStartMs >= kWaitMs)
        endWait(true);
}

void TuneSession::endWait(bool timedOut)
{
    m_poll.stop();
    m_waiting = false;
    if (timedOut) {
        emit beep();
        m_timedOut = true;
        CiuResetTuneRequest();
    }
    Continuation next = std::exchange(m_next, nullptr);
    next(m_timedOut);
}

bool TuneSession::read(const TuneAddress &address)
{
    if (m_waiting || !inTuneAddressRange(address))
        return false;
    m_blockRead = address;
    CiuResetTuneRequest();
    m_updateEnabled = false;
    setStatus(QStringLiteral("Reading Block"));
    emit changed();
    if (!m_driver.requestTuneRead(address.loop, address.pcu, address.module, address.block)) {
        readFailed("Error Reading Block Specs");
        return true;
    }
    waitThen([this](bool timedOut) {
        if (timedOut)
            readFailed("Timeout Reading Block");
        else
            afterRead();
    });
    return true;
}

// A read that failed leaves an empty page: the values of the block read before must not
// stand beside the address of this one.
void TuneSession::readFailed(const char *text)
{
    errorStep(text);
    clearingStep();
}

// A read the driver could not carry out (no block there, a reply code of the CIU) leaves
// its error status set: that is a failed read, not a block of an undefined function code.
void TuneSession::afterRead()
{
    if (CiuGetTuneErrorStatus() != 0) {
        readFailed("Error Reading Block Specs");
        return;
    }
    const int code = CiuGetTuneFunctionCode();
    setStatus(isDefinedFunctionCode(code) ? functionCodeTitle(code) : QStringLiteral("Undefined Function Block"));
    showBlock();
}

// The block just read, from its first page; Update is offered for a defined function code.
void TuneSession::showBlock()
{
    m_updateEnabled = isDefinedFunctionCode(CiuGetTuneFunctionCode());
    m_pageOffset = 0;
    showPage();
}

void TuneSession::emptyFields()
{
    for (int k = 0; k < kSpecsPerPage; ++k) {
        m_entries[static_cast<std::size_t>(k)].clear();
        m_shown[static_cast<std::size_t>(k)].clear();
        m_entryEnabled[static_cast<std::size_t>(k)] = false;
    }
}

void TuneSession::showPage()
{
    const int count = CiuGetTuneSpecCount();
    emptyFields();
    for (int n = m_pageOffset + 1; n <= std::min(m_pageOffset + kSpecsPerPage, count); ++n) {
        const auto k = static_cast<std::size_t>(n - m_pageOffset - 1);
        m_shown[k] = m_entries[k] = specText(m_driver.tuneSpecValue(n));
        m_entryEnabled[k] = m_driver.tuneSpecTunable(n);
    }
    m_nextEnabled = m_pageOffset + kSpecsPerPage < count;
    m_previousEnabled = m_pageOffset > 0;
    emit changed();
}

// An entry left as it was shown offers the block's value as read, so that a value the
// text rounds (or one the format could not take again) goes back exactly as read.  An
// entry that is not wholly a number offers nothing.
std::optional<double> TuneSession::offeredValue(int k, int n) const
{
    const auto i = static_cast<std::size_t>(k);
    if (m_entries[i] == m_shown[i])
        return m_driver.tuneSpecValue(n);
    return parseSpecEntry(m_entries[i]);
}

// Offers the entries of the page to their specs; the number of the first spec whose entry
// is no number or whose value the driver refuses, or 0.
int TuneSession::offerEntries(bool tunableOnly)
{
    for (int k = 0; k < fieldsInUse(CiuGetTuneSpecCount()); ++k) {
        const int n = m_pageOffset + k + 1;
        if (tunableOnly && !m_driver.tuneSpecTunable(n))
            continue;
        const std::optional<double> value = offeredValue(k, n);
        if (!value || !m_driver.setTuneSpecValue(n, *value))
            return n;
    }
    return 0;
}

void TuneSession::rejectValue(int n) { refuse(QString::asprintf("Invalid Value in Spec %d", n)); }

// A refusal that changes nothing else: beep and the reason in the status line.
void TuneSession::refuse(const QString &text)
{
    emit beep();
    m_timedOut = false;
    setStatus(text);
    emit changed();
}

// One write request carries at most CIU_TUNE_WRITE_VALUE_BYTES value bytes; a block with
// more can be read but never written, and is refused before anything is sent.
bool TuneSession::refuseTooLarge()
{
    int bytes = 0;
    for (int n = 1; n <= CiuGetTuneSpecCount(); ++n)
        bytes += specValueBytes(CiuGetTuneSpecType(n));
    if (bytes <= CIU_TUNE_WRITE_VALUE_BYTES)
        return false;
    refuse(
        QString::asprintf("Block Too Large to Write: %d Value Bytes, %d Allowed", bytes, CIU_TUNE_WRITE_VALUE_BYTES));
    return true;
}

void TuneSession::turnPage(bool forward)
{
    if (m_waiting)
        return;
    const int count = CiuGetTuneSpecCount();
    if (count > 0) {
        if (const int refused = offerEntries(true)) {
            rejectValue(refused);
            return;
        }
    }
    m_pageOffset = forward ? nextPageOffset(m_pageOffset, count) : previousPageOffset(m_pageOffset);
    showPage();
}

void TuneSession::update()
{
    if (m_waiting)
        return;
    if (CiuGetTuneErrorStatus() != 0) {
        Messages::show(Message{QStringLiteral("Block Information Not Current."),
                               QStringLiteral("TK70 Pro Tuning Error"), MessageIcon::Stop});
        return;
    }
    if (m_inhibited && m_inhibited()) {
        Messages::note(QStringLiteral("Block Tuning is Currently Inhibited.\nValues Not Updated."),
                       QString::fromLatin1(kTitleTuning), MessageIcon::Information);
        return;
    }
    if (refuseTooLarge())
        return;
    setStatus(QStringLiteral("Writing Block"));
    emit changed();
    waitBeforeWrite([this] { offerAndWrite(); });
}

// The wait for a request still in the driver before the write; its timeout ends the
// write, of which nothing was sent.
void TuneSession::waitBeforeWrite(std::function<void()> next)
{
    waitThen([this, next = std::move(next)](bool timedOut) {
        if (!timedOut) {
            next();
            return;
        }
        errorStep("Timeout Writing to Block");
        clearingStep();
    });
}

// Every field of the page is offered, tunable or not; then the write and its wait.
void TuneSession::offerAndWrite()
{
    if (const int refused = offerEntries(false)) {
        rejectValue(refused);
        return;
    }
    if (!m_driver.requestTuneWrite()) {
        errorStep("Error Writing to Block");
        clearingStep();
        return;
    }
    waitThen([this](bool timedOut) {
        if (timedOut)
            readBackAfterTimeout();
        else
            verify();
    });
}

// The driver may have put the write on the line before the wait gave up, so it may still
// land.  The block is read again: the driver serves one request at a time, so the read
// goes out once the write has ended, and the page then shows what the block holds.
void TuneSession::readBackAfterTimeout()
{
    errorStep("Timeout Writing to Block");
    const TuneAddress &a = m_blockRead;
    if (!m_driver.requestTuneRead(a.loop, a.pcu, a.module, a.block)) {
        blockStateUnknown();
        return;
    }
    setStatus(QStringLiteral("Timeout Writing to Block - Reading Block Again"));
    emit changed();
    waitThen([this](bool timedOut) {
        if (timedOut || CiuGetTuneErrorStatus() != 0) {
            emit beep();
            blockStateUnknown();
        } else {
            showReadBack();
        }
    });
}

// The block could not be read again after the write's wait ran out: nobody can say what
// it holds, so nothing of it is shown.
void TuneSession::blockStateUnknown()
{
    setStatus(QStringLiteral("Timeout Writing to Block - Block State Unknown"));
    clearingStep();
}

// The block as read again: whether it holds what was written, and its values on the page.
void TuneSession::showReadBack()
{
    setStatus(m_driver.verifyTuneWrite() ? QStringLiteral("Timeout Writing to Block - Block Holds New Values")
                                         : QStringLiteral("Timeout Writing to Block - Block Values Read Again"));
    showBlock();
}

// The block written is read once more, from the address it was read at.
void TuneSession::verify()
{
    CiuResetTuneRequest();
    setStatus(QStringLiteral("Verify Block Specs"));
    emit changed();
    const TuneAddress &a = m_blockRead;
    if (!m_driver.requestTuneRead(a.loop, a.pcu, a.module, a.block)) {
        errorStep("Error Verifying Block Specs");
        return;
    }
    waitThen([this](bool timedOut) {
        if (timedOut)
            errorStep("Timeout Verifying Block");
        else
            compare();
    });
}

void TuneSession::compare()
{
    if (CiuGetTuneErrorStatus() != 0 || !m_driver.verifyTuneWrite()) {
        errorStep("Error Verifying Block Specs");
        return;
    }
    setStatus(QStringLiteral("Block Tuned"));
    clearingStep();
}

// A refusal that also resets the tune request.
void TuneSession::errorStep(const char *text)
{
    refuse(QString::fromLatin1(text));
    CiuResetTuneRequest();
}

// After an update the user must read the block again before another one.
void TuneSession::clearingStep()
{
    emptyFields();
    m_nextEnabled = m_previousEnabled = m_updateEnabled = false;
    m_pageOffset = 0;
    emit changed();
    CiuResetTuneRequest();
}

}  // namespace tk70
