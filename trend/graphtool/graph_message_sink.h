// The message sink of tk70-graph: every message the viewer's code raises (a refused
// file, a capacity warning) printed as one line on standard error after the program's
// name, with no one to answer it (the message's default answer is taken).
#pragma once

#include "platform/messages.h"

namespace tk70 {

class GraphMessageSink : public MessageSink {
public:
    GraphMessageSink();
    ~GraphMessageSink() override;
    GraphMessageSink(const GraphMessageSink &) = delete;
    GraphMessageSink &operator=(const GraphMessageSink &) = delete;

    MessageAnswer show(const Message &message) override;

private:
    MessageSink *m_previous = nullptr;
};

}  // namespace tk70
