// Where the samples of a real-time trend stand on its time axis: see trend_timeline.h.
#include "trend/realtime/trend_timeline.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace tk70 {

TrendTimeline::TrendTimeline(int historyLength, double interval, double origin)
    : m_historyLength(std::max(historyLength, kVisibleSamples)), m_interval(interval > 0 ? interval : 1.0),
      m_scrollMaximum(static_cast<int>(std::lround((m_historyLength - kVisibleSamples) * m_interval))),
      m_leftTime(origin), m_thumb(m_scrollMaximum), m_historyMinutes(fullHistoryMinutes())
{
}

double TrendTimeline::fullHistoryMinutes() const { return m_interval / 60.0 * (m_historyLength - kVisibleSamples); }

int TrendTimeline::scrollPageStep() const
{
    return std::max(1, static_cast<int>(std::lround(kTickSamples * m_interval)));
}

TrendTimeline::SampleOutcome TrendTimeline::addSample(double now)
{
    SampleOutcome outcome;
    if (m_samples == 0)
        m_leftTime = now;  // the first sample is the time axis' origin
    m_lastTime = now;
    ++m_samples;
    if (!m_scrolledBack) {
        advanceLive(now, outcome);
        return outcome;
    }
    m_historyMinutes = m_interval / 60.0 * (m_historyLength - m_received - kVisibleSamples - 1);
    ++m_received;
    if (m_received > m_historyLength - kVisibleSamples) {
        returnToLive();
        outcome.returnedToLive = true;
    }
    return outcome;
}

// The live display fills the axis from the left; the sample that would pass its right
// end makes the plot jump back by a quarter, so the latest sample stands at 90.  The
// axis is re-based on the clock: the right end would read now without the jump
// (now - 120 intervals at x = 0), the jump moves that on by 30 intervals.  Just after
// midnight, when that time would be negative, the axis only moves on by the jump.
void TrendTimeline::advanceLive(double now, SampleOutcome &outcome)
{
    if (++m_onScreen >= kVisibleSamples) {
        m_onScreen = kRebasedCount;
        const double origin = now - kVisibleSamples * m_interval;
        const double jump = (kVisibleSamples - kRebasedCount) * m_interval;
        m_leftTime = (origin >= 0 ? origin : m_leftTime) + jump;
        outcome.rebased = true;
    }
    m_leftSample = m_samples - 1 - m_onScreen;
}

void TrendTimeline::returnToLive()
{
    if (!m_scrolledBack)
        return;
    m_scrolledBack = false;
    m_received = 0;
    m_historyMinutes = fullHistoryMinutes();
    m_onScreen = kRebasedCount;
    m_leftSample = m_samples - 1 - m_onScreen;
    m_leftTime = m_lastTime - m_onScreen * m_interval;
    m_thumb = m_scrollMaximum;
}

// A shift of wanted samples limited to what can be shown: never before the oldest
// sample held, never past the display that was live when history was entered.
long long TrendTimeline::shiftLimit(long long wanted, int rowsHeld) const
{
    const long long oldest = m_samples - rowsHeld;
    const long long newest = m_scrolledBack ? m_entryLeft : m_leftSample;
    const long long left = std::clamp(m_leftSample + wanted, std::min(oldest, newest), newest);
    return left - m_leftSample;
}

TrendTimeline::ThumbOutcome TrendTimeline::moveThumb(int position, int rowsHeld)
{
    ThumbOutcome outcome;
    position = std::clamp(position, 0, m_scrollMaximum);
    const int old = m_thumb;
    if (position <= m_received * m_interval) {  // those samples are gone
        outcome.beep = true;
        position = std::min(m_scrollMaximum, static_cast<int>(std::ceil((m_received + 1) * m_interval)));
    }
    const int request = position - old;
    long long wanted = std::lround(request / m_interval);
    if (wanted == 0 && request != 0)
        wanted = request < 0 ? -1 : 1;
    const long long shift = shiftLimit(wanted, rowsHeld);
    if (!m_scrolledBack) {
        if (shift == 0) {
            m_thumb = m_scrollMaximum;
            outcome.thumb = m_thumb;
            return outcome;
        }
        m_scrolledBack = true;
        m_received = 0;
        m_entryLeft = m_leftSample;
        m_historyMinutes = fullHistoryMinutes();
        outcome.entered = true;
    }
    m_leftSample += shift;
    const double shifted = static_cast<double>(shift) * m_interval;
    m_leftTime += shifted;
    const bool differs = std::fabs(shifted - request) > 0.001 * std::abs(request);
    m_thumb = std::clamp(differs ? old + static_cast<int>(std::lround(shifted)) : position, 0, m_scrollMaximum);
    outcome.thumb = m_thumb;
    return outcome;
}

}  // namespace tk70
