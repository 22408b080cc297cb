// "TK70 Pro - Auto Data Collection": the countdown before an automatic collection start.
// It closes with Accepted when the countdown runs out and with Rejected when the user
// presses Abort; either way its timer is gone afterwards.
#pragma once

#include <QDialog>

class QTimer;

namespace tk70 {

class AutoStartCountdownDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDefaultCountdownMs = 1000;

    explicit AutoStartCountdownDialog(QWidget *parent = nullptr);

    // The countdown length in milliseconds; takes effect when the dialog is shown.
    void setCountdown(int milliseconds) { m_countdownMs = milliseconds; }
    int countdown() const { return m_countdownMs; }
    // Whether the countdown timer exists and runs.
    bool countdownRunning() const;

    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void countdownElapsed();
    void stopCountdown();

    int m_countdownMs = kDefaultCountdownMs;
    QTimer *m_timer = nullptr;
    bool m_started = false;
};

// Shows the countdown modally; QDialog::Accepted when it ran out, QDialog::Rejected on Abort.
int runAutoStartCountdown(QWidget *parent, int milliseconds);

}  // namespace tk70
