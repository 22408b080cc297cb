// One trace row of the trend setup form: see trace_row.h.
#include "trend/setup/view/trace_row.h"

#include "platform/view/dialog_fonts.h"
#include "platform/view/field_exchange.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <cfloat>

namespace tk70 {

using namespace TrendSetupRules;

namespace {

QString idName(int id) { return QString::number(id); }

// A zero or span: any number.
bool readAnyNumber(QLineEdit *edit, double &value) { return readNumber(edit, -DBL_MAX, DBL_MAX, value); }

}  // namespace

void showLimitedText(QLineEdit *edit, const QString &text, int maxChars)
{
    limitText(edit, std::max(maxChars, static_cast<int>(text.size())));
    edit->setText(text);
    edit->setCursorPosition(0);
}

TraceRow::TraceRow(int row, QWidget *form, QGridLayout *grid, int gridRow)
{
    m_number = new QLabel(QString::number(row + 1), form);
    m_number->setObjectName(QStringLiteral("trace%1").arg(row + 1));
    m_number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(m_number, gridRow, NumberColumn);

    m_tagname = addEdit(form, grid, gridRow, TagnameColumn, kTagnameId + row, kTagnameMaxChars + 1);
    m_tags = new QPushButton(QStringLiteral("Tags"), form);
    m_tags->setObjectName(idName(kTagsButtonId + row));
    setBold(m_tags);
    // Clicked, the button takes the focus (so that a tagname being typed is settled
    // first), but the tab order runs from the tagname straight to the zero.
    m_tags->setFocusPolicy(Qt::ClickFocus);
    m_tags->setAutoDefault(false);
    m_tags->setFixedWidth(QFontMetrics(m_tags->font()).horizontalAdvance(m_tags->text()) + 18);
    grid->addWidget(m_tags, gridRow, TagsColumn);

    m_zero = addEdit(form, grid, gridRow, ZeroColumn, kZeroId + row, 10);
    m_span = addEdit(form, grid, gridRow, SpanColumn, kSpanId + row, 10);
    m_description = addEdit(form, grid, gridRow, DescriptionColumn, kDescriptionId + row, kDescriptionMaxChars);
    limitText(m_tagname, kTagnameMaxChars);
    limitText(m_description, kDescriptionMaxChars);
}

QLineEdit *TraceRow::addEdit(QWidget *form, QGridLayout *grid, int gridRow, int column, int id, int chars)
{
    auto *edit = new QLineEdit(form);
    edit->setObjectName(idName(id));
    edit->setMinimumWidth(QFontMetrics(edit->font()).averageCharWidth() * chars + 12);
    if (column == ZeroColumn || column == SpanColumn) {
        edit->setMaximumWidth(edit->minimumWidth());
        edit->setAlignment(Qt::AlignRight);
    }
    grid->addWidget(edit, gridRow, column);
    return edit;
}

void TraceRow::show(const RowText &text)
{
    showLimitedText(m_tagname, text.tagname, kTagnameMaxChars);
    m_zero->setText(text.zero);
    m_span->setText(text.span);
    showLimitedText(m_description, text.description, kDescriptionMaxChars);
}

RowText TraceRow::text() const
{
    return RowText{m_tagname->text(), m_zero->text(), m_span->text(), m_description->text()};
}

void TraceRow::setEnabling(RowEnabling enabling)
{
    m_tagname->setEnabled(enabling.tagname);
    m_tags->setEnabled(enabling.tagname);
    for (QWidget *value : {m_zero, m_span, m_description})
        value->setEnabled(enabling.values);
}

bool TraceRow::read(TrendTrace &trace) const
{
    TrendTrace read;
    if (!readText(m_tagname, kTagnameMaxChars, read.tagname) || !readAnyNumber(m_zero, read.zero) ||
        !readAnyNumber(m_span, read.span) || !readText(m_description, kDescriptionMaxChars, read.description))
        return false;
    trace = read;
    return true;
}

QList<QWidget *> TraceRow::controls() const { return {m_tagname, m_tags, m_zero, m_span, m_description}; }

QWidget *TraceRow::control(int id) const
{
    for (QWidget *widget : controls()) {
        if (widget->objectName() == idName(id))
            return widget;
    }
    return nullptr;
}

}  // namespace tk70
