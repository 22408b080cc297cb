// The message service's sink for a program with a screen: a beep, then a message box with
// the message's icon, title, buttons and default button.
#pragma once

#include "platform/messages.h"

class QWidget;

namespace tk70 {

class MessageBoxSink : public MessageSink {
public:
    // Boxes are shown over parent (the main window) when it is set.
    explicit MessageBoxSink(QWidget *parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget *parent) { m_parent = parent; }
    MessageAnswer show(const Message &message) override;
    // A box that is not modal and deletes itself when closed; the call returns at once.
    void post(const Message &message) override;
    // The question in a box that is not modal; its answer goes to handler when a button
    // (or Escape) closes it.
    void ask(const Message &message, AnswerHandler handler) override;

private:
    QWidget *m_parent;
};

}  // namespace tk70
