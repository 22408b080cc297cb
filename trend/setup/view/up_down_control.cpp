// An up-down control with an integer buddy: see up_down_control.h.
#include "trend/setup/view/up_down_control.h"

#include "platform/view/field_exchange.h"

#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace tk70 {

namespace {

QToolButton *arrowButton(Qt::ArrowType arrow, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    return button;
}

}  // namespace

UpDownControl::UpDownControl(QLineEdit *buddy, QWidget *parent) : QWidget(parent), m_buddy(buddy)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_up = arrowButton(Qt::UpArrow, this);
    m_down = arrowButton(Qt::DownArrow, this);
    layout->addWidget(m_up);
    layout->addWidget(m_down);
    const int side = buddy->sizeHint().height();
    m_up->setFixedWidth(side * 3 / 4);
    m_down->setFixedWidth(side * 3 / 4);
    setFixedHeight(side);
    connect(m_up, &QToolButton::clicked, this, [this] { stepBy(1); });
    connect(m_down, &QToolButton::clicked, this, [this] { stepBy(-1); });
}

void UpDownControl::setRange(int minimum, int maximum)
{
    m_minimum = minimum;
    m_maximum = std::max(minimum, maximum);
    setPosition(m_position);
}

void UpDownControl::setPosition(int position) { m_position = std::clamp(position, m_minimum, m_maximum); }

void UpDownControl::stepBy(int step)
{
    if (const auto value = parseNumber(m_buddy->text()); value)
        setPosition(static_cast<int>(std::clamp(std::round(*value), double(m_minimum), double(m_maximum))));
    setPosition(m_position + step);
    m_buddy->setText(QString::number(m_position));
}

}  // namespace tk70
