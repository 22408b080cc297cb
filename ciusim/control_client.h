// The client side of the control channel: sends one command line to a running simulator
// and returns its one-line answer.
#pragma once

#include <chrono>
#include <string>

namespace ciusim {

// True when an answer came; it is then in answer (without its newline), else answer
// says what went wrong.
bool sendControlCommand(const std::string &socketPath, const std::string &line, std::string &answer,
                        std::chrono::milliseconds timeout = std::chrono::seconds(5));

}  // namespace ciusim
