// "Function Block Tuning": the modal dialog of the Tune Block command.  It only shows what
// its TuneSession holds and passes the user's entries and clicks in; the address fields
// are taken with the framework's range messages.  While a read, write or verification is
// waited for, the dialog stays: Close is disabled, and Escape and the window's close
// button are refused with a beep, so no write is left going out unreported.
#pragma once

#include "tune/tune_session.h"

#include <QDialog>
#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tk70 {

class CCiuDriver;
class Clock;
class SettingsStore;

class TuningDialog : public QDialog {
    Q_OBJECT

public:
    TuningDialog(CCiuDriver &driver, TuneSession::InhibitRule inhibited, const Clock &clock, QWidget *parent = nullptr);

    TuneSession &session() { return m_session; }
    // Closes the dialog, unless a request is waited for.
    void reject() override;

private:
    QWidget *makeAddressGroup();
    QWidget *makeSpecGroup();
    QLayout *makeButtons();
    void readBlock();
    void showSession();

    TuneSession m_session;
    std::array<QLineEdit *, 4> m_address{};
    QPushButton *m_read = nullptr;
    QLabel *m_status = nullptr;
    std::array<QLabel *, 9> m_numbers{};
    std::array<QLineEdit *, 9> m_values{};
    QPushButton *m_update = nullptr;
    QPushButton *m_close = nullptr;
    QPushButton *m_previous = nullptr;
    QPushButton *m_next = nullptr;
};

// Opens the dialog, modal, with an empty block address; its waits end by the clock.  Block
// tuning counts as inhibited while the program's "InhibitBlockTuning" setting is on in
// store (read at each Update).
void runTuningDialog(CCiuDriver &driver, const SettingsStore &store, const Clock &clock, QWidget *parent);

}  // namespace tk70
