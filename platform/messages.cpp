// The message service: see messages.h.
#include "platform/messages.h"

#include <atomic>
#include <cstdio>

namespace tk70 {

namespace {

std::atomic<MessageSink *> g_sink{nullptr};

}  // namespace

namespace Messages {

MessageAnswer show(const Message &message)
{
    if (MessageSink *sink = g_sink.load())
        return sink->show(message);
    std::fprintf(stderr, "%s: %s\n", qPrintable(message.title), qPrintable(message.text));
    return message.defaultAnswer;
}

Message yesNoQuestion(const QString &text, const QString &title, MessageAnswer defaultAnswer)
{
    return Message{text, title, MessageIcon::Question, MessageButtons::YesNo, defaultAnswer};
}

bool askYesNo(const QString &text, const QString &title, MessageAnswer defaultAnswer)
{
    return show(yesNoQuestion(text, title, defaultAnswer)) == MessageAnswer::Yes;
}

void note(const QString &text, const QString &title, MessageIcon icon)
{
    show(Message{text, title, icon, MessageButtons::Ok, MessageAnswer::Ok});
}

void post(const QString &text, const QString &title, MessageIcon icon)
{
    const Message message{text, title, icon, MessageButtons::Ok, MessageAnswer::Ok};
    if (MessageSink *sink = g_sink.load())
        sink->post(message);
    else
        show(message);
}

void ask(const Message &message, AnswerHandler handler)
{
    if (MessageSink *sink = g_sink.load())
        sink->ask(message, std::move(handler));
    else
        handler(show(message));
}

MessageSink *install(MessageSink *sink) { return g_sink.exchange(sink); }

}  // namespace Messages
}  // namespace tk70
