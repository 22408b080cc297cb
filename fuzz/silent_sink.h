// The message sink of the fuzz targets: answers every message with its default answer
// without showing it.
#pragma once

#include "platform/messages.h"

namespace tk70fuzz {

class SilentSink : public tk70::MessageSink {
public:
    tk70::MessageAnswer show(const tk70::Message &message) override { return message.defaultAnswer; }
};

// Installs the one silent sink of the process.
inline void silenceMessages()
{
    static SilentSink sink;
    tk70::Messages::install(&sink);
}

}  // namespace tk70fuzz
