// A message sink for tests: installed for its lifetime, it records every message the
// code under test shows and answers with the default button.
#pragma once

#include "messages.h"

#include <QList>
#include <QStringList>

namespace tk70::test {

class MessageRecorder : public MessageSink {
public:
    MessageRecorder() : m_previous(Messages::install(this)) {}
    ~MessageRecorder() override { Messages::install(m_previous); }
    MessageRecorder(const MessageRecorder &) = delete;
    MessageRecorder &operator=(const MessageRecorder &) = delete;

    MessageAnswer show(const Message &message) override
    {
        m_messages.append(message);
        return message.defaultAnswer;
    }

    const QList<Message> &messages() const { return m_messages; }
    QStringList texts() const
    {
        QStringList texts;
        for (const Message &m : m_messages)
            texts << m.text;
        return texts;
    }
    void clear() { m_messages.clear(); }

private:
    QList<Message> m_messages;
    MessageSink *m_previous = nullptr;
};

}  // namespace tk70::test
