// A message sink for tests: records every message shown and answers from a script (the
// message's default answer once the script is empty).  A question asked without waiting
// is answered the same way at once, or, while questions are held, when the test says.
// Installs itself for its lifetime.
#pragma once

#include "platform/messages.h"

#include <QStringList>
#include <deque>
#include <vector>

namespace tk70test {

class MessageRecorder : public tk70::MessageSink {
public:
    MessageRecorder() : m_previous(tk70::Messages::install(this)) {}
    ~MessageRecorder() override { tk70::Messages::install(m_previous); }
    MessageRecorder(const MessageRecorder &) = delete;
    MessageRecorder &operator=(const MessageRecorder &) = delete;

    tk70::MessageAnswer show(const tk70::Message &message) override
    {
        m_messages.push_back(message);
        if (m_answers.empty())
            return message.defaultAnswer;
        tk70::MessageAnswer answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }

    // A posted message is recorded as shown, and marked so.
    void post(const tk70::Message &message) override
    {
        m_messages.push_back(message);
        ++m_posted;
    }

    void ask(const tk70::Message &message, tk70::AnswerHandler handler) override
    {
        if (!m_holdQuestions)
            return tk70::MessageSink::ask(message, std::move(handler));
        m_messages.push_back(message);
        m_held.push_back(std::move(handler));
    }
    void holdQuestions(bool hold) { m_holdQuestions = hold; }
    int heldQuestions() const { return int(m_held.size()); }
    // Answers the oldest held question.
    void answerHeld(tk70::MessageAnswer answer)
    {
        tk70::AnswerHandler handler = std::move(m_held.front());
        m_held.pop_front();
        handler(answer);
    }

    // How many of the messages were posted rather than shown.
    int posted() const { return m_posted; }
    void answer(tk70::MessageAnswer next) { m_answers.push_back(next); }
    const std::vector<tk70::Message> &messages() const { return m_messages; }
    QStringList texts() const
    {
        QStringList out;
        for (const auto &m : m_messages)
            out << m.text;
        return out;
    }
    void clear()
    {
        m_messages.clear();
        m_posted = 0;
    }

private:
    tk70::MessageSink *m_previous;
    std::deque<tk70::MessageAnswer> m_answers;
    std::vector<tk70::Message> m_messages;
    int m_posted = 0;
    bool m_holdQuestions = false;
    std::deque<tk70::AnswerHandler> m_held;
};

}  // namespace tk70test
