// Where the samples of a real-time trend stand on its time axis: the live display that
// fills 120 sample intervals from the left and then jumps back by 30, the scrolled-back
// display the history scroll bar moves, the "History Count" of a scrolled-back display
// and its return to live.  Samples are numbered from 0 in the order they arrive; the
// display shows the samples from leftSample() on at x = 0, 1, ... 120.  Times are
// seconds of the day.
#pragma once

namespace tk70 {

class TrendTimeline {
public:
    static constexpr int kVisibleSamples = 120;  // sample intervals across the time axis
    static constexpr int kTickSamples = 30;      // samples between ticks, and the jump
    static constexpr int kRebasedCount = 90;     // on-screen count after a jump

    // origin: the time of day at x = 0 until the first sample sets it.
    TrendTimeline(int historyLength, double interval, double origin = 0.0);

    struct SampleOutcome {
        bool rebased = false;         // the time axis moved on (the date label is due)
        bool returnedToLive = false;  // a scrolled-back display went back to live
    };
    // A sample taken at now: advances the live display, or counts it while scrolled back.
    SampleOutcome addSample(double now);

    // The history scroll bar, in seconds from 0 to its live end.
    int scrollMaximum() const { return m_scrollMaximum; }
    int scrollPageStep() const;
    int thumb() const { return m_thumb; }
    struct ThumbOutcome {
        int thumb = 0;         // where the thumb is to stand
        bool beep = false;     // the position asked for is no longer held
        bool entered = false;  // the display left live for history
    };
    // The user moved the thumb to position; the display shifts by whole samples as far as
    // the samples held allow.  rowsHeld: how many of the latest samples are buffered.
    ThumbOutcome moveThumb(int position, int rowsHeld);
    // Back to the live display (the "Real Time" button).
    void returnToLive();

    bool isScrolledBack() const { return m_scrolledBack; }
    long long sampleCount() const { return m_samples; }
    // Samples received while scrolled back (0 while live).
    int receivedWhileBack() const { return m_received; }
    // The latest sample's x on the live display (-1 before the first).
    int onScreenCount() const { return m_onScreen; }
    long long leftSample() const { return m_leftSample; }
    // The time of day at x = 0.
    double leftTime() const { return m_leftTime; }
    // Minutes of history left before a scrolled-back display returns to live.
    double historyMinutes() const { return m_historyMinutes; }
    // Whether the history scroll bar is due (after the first 120 samples).
    bool hasHistory() const { return m_samples >= kVisibleSamples; }

private:
    void advanceLive(double now, SampleOutcome &outcome);
    long long shiftLimit(long long wanted, int rowsHeld) const;
    double fullHistoryMinutes() const;

    int m_historyLength;
    double m_interval;
    int m_scrollMaximum;
    long long m_samples = 0;
    int m_onScreen = -1;
    long long m_leftSample = 0;
    double m_leftTime = 0.0;
    double m_lastTime = 0.0;
    bool m_scrolledBack = false;
    int m_received = 0;
    long long m_entryLeft = 0;  // leftSample of the live display when it was left
    int m_thumb = 0;
    double m_historyMinutes = 0.0;
};

}  // namespace tk70
