// The fixture of the tuning tests: a real driver client over the real driver, collecting
// from the CIU simulator on a pseudo-terminal, with two blocks of its own beside the
// default plant's (a 20-spec block and one of function code 0), recorded messages, a
// session whose beeps are counted, and the clock its waits end by (moved by the test).
#pragma once

#include "ciusim/pty_server.h"
#include "driverclient/ciu_driver.h"
#include "platform/registry/settings_store.h"
#include "tests/support/message_recorder.h"
#include "tests/support/test_clock.h"
#include "tune/tune_session.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

class TuneTest : public ::testing::Test {
protected:
    static constexpr int kTwentySpecs = 60;  // block numbers in loop 1, PCU 1, module 2
    static constexpr int kUndefined = 61;
    static constexpr int kPid = 10;

    TuneTest();
    void SetUp() override;
    void TearDown() override;

    tk70::CCiuDriver &driver() { return *m_driver; }
    tk70::TuneSession &session() { return *m_session; }
    static tk70::TuneAddress address(int block) { return tk70::TuneAddress{1, 1, 2, block}; }
    static ciusim::PlantAddress blockAddress(int block) { return ciusim::PlantAddress{1, 1, 2, block}; }
    // Reads a block through the session and waits until the read has ended.
    bool readBlock(int block);
    // Waits (processing events) until the session no longer waits for the driver.
    bool waitIdle(int deadlineMs = 10000);
    // Lets the session's current wait run out: the clock jumps past its five seconds.
    void runOutWait() { m_clock.advanceMs(tk70::TuneSession::kWaitMs); }

    QTemporaryDir m_dir;
    tk70::SettingsStore m_store;
    ciusim::PtyServer m_sim;
    tk70test::TestClock m_clock;
    std::unique_ptr<tk70::CCiuDriver> m_driver;
    std::unique_ptr<tk70::TuneSession> m_session;
    tk70test::MessageRecorder m_messages;
    bool m_inhibited = false;
    int m_beeps = 0;
};
