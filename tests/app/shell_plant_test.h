// What the program's tests against the CIU simulator share: the application started on
// the simulated plant's settings store, and the messages it shows.
#pragma once

#include "app/view/shell/collector_app.h"
#include "tests/app/collection_setup.h"
#include "tests/support/message_recorder.h"

#include <QStringList>
#include <memory>

namespace tk70test {

class ShellPlantTest : public SimulatedPlantTest {
protected:
    void TearDown() override
    {
        m_app.reset();
        SimulatedPlantTest::TearDown();
    }
    // The program started without its start-up window, with arguments after that.
    tk70::CCollectorApp &start(const QStringList &arguments)
    {
        m_app = std::make_unique<tk70::CCollectorApp>(*m_store);
        EXPECT_TRUE(m_app->initInstance(QStringList{"--nologo"} + arguments));
        return *m_app;
    }

    std::unique_ptr<tk70::CCollectorApp> m_app;
    MessageRecorder m_messages;
};

}  // namespace tk70test
