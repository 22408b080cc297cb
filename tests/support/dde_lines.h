// What the value server tests do as a client: send a line and wait for the answer, or
// wait for the next line, while the server works on the test's own thread.
#pragma once

#include "platform/dde/dde_client.h"
#include "tests/support/modal_helper.h"

#include <QList>
#include <QString>
#include <gtest/gtest.h>
#include <optional>

namespace tk70test {

// The next line the client receives; empty (and a failure) when none comes in time.
inline QList<QString> nextLine(tk70::dde::DdeClient &client)
{
    std::optional<QList<QString>> answer;
    EXPECT_TRUE(waitFor([&] { return (answer = client.takeLine()).has_value(); }));
    return answer.value_or(QList<QString>{});
}

// Sends a line and returns the next line received.
inline QList<QString> askLine(tk70::dde::DdeClient &client, const QList<QString> &line)
{
    EXPECT_TRUE(client.send(line));
    return nextLine(client);
}

}  // namespace tk70test
