// The fixture of the driver dialog tests: the settings store in a temporary file (through
// TK70_REGISTRY), a real driver client over the real driver, recorded messages, and a
// collection against the CIU simulator on a pseudo-terminal when a test needs one.
#pragma once

#include "ciusim/pty_server.h"
#include "driverclient/ciu_driver.h"
#include "tests/platform/registry_fixture.h"
#include "tests/support/message_recorder.h"

#include <QLineEdit>
#include <QTest>
#include <memory>

class DriverDialogTest : public RegistryTest {
protected:
    DriverDialogTest();
    ~DriverDialogTest() override;

    tk70::CCiuDriver &driver();
    // Drops the driver client; the next driver() reads the store again.
    void reloadDriver() { m_driver.reset(); }
    std::optional<quint32> stored(const char *name) const { return m_store.dword(kKey, name); }

    // Starts the simulator with fast timing and the driver's log off; COM1 is left to the test.
    void startSimulator();
    // Starts a collection of one point on COM1 and waits until the driver monitors the CIU.
    bool startCollection();

    template <typename W>
    W *find(QWidget *dialog, const char *name) const
    {
        W *widget = dialog->findChild<W *>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    static void type(QLineEdit *edit, const QString &text)
    {
        edit->clear();
        QTest::keyClicks(edit, text);
    }

    tk70::SettingsStore m_store;
    tk70test::MessageRecorder m_messages;
    ciusim::PtyServer m_sim;

private:
    std::unique_ptr<tk70::CCiuDriver> m_driver;
};
