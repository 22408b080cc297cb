// The message service's sink for a program with a screen: see message_box_sink.h.
#include "platform/view/message_box_sink.h"

#include <QApplication>
#include <QMessageBox>

namespace tk70 {

namespace {

QMessageBox::Icon boxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Stop: return QMessageBox::Critical;
    case MessageIcon::Warning:
    case MessageIcon::Exclamation: return QMessageBox::Warning;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::None: return QMessageBox::NoIcon;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton standardButton(MessageAnswer answer)
{
    switch (answer) {
    case MessageAnswer::Ok: return QMessageBox::Ok;
    case MessageAnswer::Cancel: return QMessageBox::Cancel;
    case MessageAnswer::Yes: return QMessageBox::Yes;
    case MessageAnswer::No: return QMessageBox::No;
    case MessageAnswer::Retry: return QMessageBox::Retry;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButtons standardButtons(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::Ok: return QMessageBox::Ok;
    case MessageButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MessageButtons::RetryCancel: return QMessageBox::Retry | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

MessageAnswer answerOf(int button)
{
    switch (button) {
    case QMessageBox::Cancel: return MessageAnswer::Cancel;
    case QMessageBox::Yes: return MessageAnswer::Yes;
    case QMessageBox::No: return MessageAnswer::No;
    case QMessageBox::Retry: return MessageAnswer::Retry;
    default: return MessageAnswer::Ok;
    }
}

// The box of a message, its default and escape buttons set.
void prepareBox(QMessageBox &box, const Message &message)
{
    box.setIcon(boxIcon(message.icon));
    box.setWindowTitle(message.title);
    box.setText(message.text);
    box.setStandardButtons(standardButtons(message.buttons));
    box.setDefaultButton(standardButton(message.defaultAnswer));
    box.setEscapeButton(message.buttons == MessageButtons::Ok      ? QMessageBox::Ok
                        : message.buttons == MessageButtons::YesNo ? QMessageBox::No
                                                                   : QMessageBox::Cancel);
}

}  // namespace

MessageAnswer MessageBoxSink::show(const Message &message)
{
    QApplication::beep();
    QMessageBox box(m_parent);
    prepareBox(box, message);
    return answerOf(box.exec());
}

void MessageBoxSink::post(const Message &message)
{
    ask(message, [](MessageAnswer) {});
}

void MessageBoxSink::ask(const Message &message, AnswerHandler handler)
{
    QApplication::beep();
    auto *box = new QMessageBox(m_parent);
    prepareBox(*box, message);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    QObject::connect(box, &QMessageBox::finished, box, [box, handler = std::move(handler)](int) {
        handler(answerOf(box->standardButton(box->clickedButton())));
    });
    box->show();
}

}  // namespace tk70
