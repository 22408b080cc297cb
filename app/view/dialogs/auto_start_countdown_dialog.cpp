// "TK70 Pro - Auto Data Collection": see auto_start_countdown_dialog.h.
#include "app/view/dialogs/auto_start_countdown_dialog.h"

#include "app/view/dialogs/program_artwork.h"
#include "platform/view/dialog_fonts.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace tk70 {

AutoStartCountdownDialog::AutoStartCountdownDialog(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("TK70 Pro - Auto Data Collection"));
    auto *icon = new QLabel;
    icon->setPixmap(programEmblem(40));
    auto *heading = new QLabel(QStringLiteral("TK70 Pro\nAutomatic Data Collection"));
    heading->setObjectName(QStringLiteral("heading"));
    setBold(heading);
    auto *hint = new QLabel(QStringLiteral("Press Abort to Cancel Automatic\nData Collection"));
    hint->setObjectName(QStringLiteral("hint"));
    auto *abort = new QPushButton(QStringLiteral("Abort"));
    abort->setObjectName(QStringLiteral("abort"));
    abort->setDefault(true);
    connect(abort, &QPushButton::clicked, this, &AutoStartCountdownDialog::reject);
    auto *grid = new QGridLayout(this);
    grid->addWidget(icon, 0, 0, Qt::AlignTop);
    grid->addWidget(heading, 0, 1);
    grid->addWidget(hint, 1, 1);
    grid->addWidget(abort, 2, 0, 1, 2, Qt::AlignHCenter);
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(12);
    grid->setSizeConstraint(QLayout::SetFixedSize);
}

bool AutoStartCountdownDialog::countdownRunning() const { return m_timer && m_timer->isActive(); }

void AutoStartCountdownDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_started)
        return;
    m_started = true;
    m_timer = new QTimer(this);
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &AutoStartCountdownDialog::countdownElapsed);
    m_timer->start(m_countdownMs);
}

void AutoStartCountdownDialog::stopCountdown()
{
    if (!m_timer)
        return;
    m_timer->stop();
    delete m_timer;
    m_timer = nullptr;
}

void AutoStartCountdownDialog::countdownElapsed()
{
    // Called from the timer's own signal: it goes once the signal has returned.
    m_timer->deleteLater();
    m_timer = nullptr;
    accept();
}

void AutoStartCountdownDialog::reject()
{
    stopCountdown();
    QDialog::reject();
}

int runAutoStartCountdown(QWidget *parent, int milliseconds)
{
    AutoStartCountdownDialog dialog(parent);
    dialog.setCountdown(milliseconds);
    return dialog.exec();
}

}  // namespace tk70
