// The "Edit Trace Scale" dialog: see trace_scale_dialog.h.
#include "trend/realtime/view/trace_scale_dialog.h"

#include "platform/view/field_exchange.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cfloat>

namespace tk70 {

namespace {

QPushButton *addButton(QHBoxLayout *row, const QString &caption, int id, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QString::number(id));
    row->addWidget(button);
    return button;
}

}  // namespace

CTraceScaleDialog::CTraceScaleDialog(const QString &tagname, const TraceScale &scale, QWidget *parent)
    : QDialog(parent), m_scale(scale)
{
    setObjectName(QString::number(kResourceId));
    setWindowTitle(tagname);
    m_zero = new QLineEdit(QString::number(scale.zero, 'g', 12), this);
    m_zero->setObjectName(QStringLiteral("traceZero"));
    m_span = new QLineEdit(QString::number(scale.span, 'g', 12), this);
    m_span->setObjectName(QStringLiteral("traceSpan"));
    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("Trace Zero"), m_zero);
    fields->addRow(QStringLiteral("Trace Span"), m_span);

    auto *buttons = new QHBoxLayout;
    QPushButton *ok = addButton(buttons, QStringLiteral("OK"), 1, this);
    ok->setDefault(true);
    QPushButton *cancel = addButton(buttons, QStringLiteral("Cancel"), 2, this);
    QPushButton *autoFit = addButton(buttons, QStringLiteral("Auto Fit"), kAutoFitId, this);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &CTraceScaleDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(autoFit, &QPushButton::clicked, this, [this] { done(kAutoFit); });
}

void CTraceScaleDialog::accept()
{
    TraceScale read;
    if (!readNumber(m_zero, -DBL_MAX, DBL_MAX, read.zero) ||
        !readNumber(m_span, kMinTraceSpan, kMaxTraceSpan, read.span))
        return;
    m_scale = read;
    QDialog::accept();
}

}  // namespace tk70
