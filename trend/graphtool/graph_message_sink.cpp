// The message sink of tk70-graph: see graph_message_sink.h.
#include "trend/graphtool/graph_message_sink.h"

#include <cstdio>

namespace tk70 {

GraphMessageSink::GraphMessageSink() : m_previous(Messages::install(this)) {}

GraphMessageSink::~GraphMessageSink() { Messages::install(m_previous); }

MessageAnswer GraphMessageSink::show(const Message &message)
{
    QString text = message.text;
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    std::fprintf(stderr, "tk70-graph: %s\n", text.toUtf8().constData());
    return message.defaultAnswer;
}

}  // namespace tk70
