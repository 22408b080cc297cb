// A setup form in a scroll area, so that its window can be smaller than the form.
#pragma once

#include <QFrame>
#include <QScrollArea>

namespace tk70 {

// Returns a scroll area showing view (which it takes over).
inline QScrollArea *scrollFrame(QWidget *view)
{
    auto *scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(view);
    return scroll;
}

}  // namespace tk70
