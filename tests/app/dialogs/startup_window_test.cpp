// The start-up window: its picture and texts, closing on a key or mouse press anywhere
// in the program and on its timer; and the screen-size note of the first start.
#include "app/settings/screen_size_rule.h"
#include "app/settings/system_figures.h"
#include "app/view/dialogs/startup_window.h"
#include "tests/support/message_recorder.h"
#include "tests/support/modal_helper.h"

#include <QLineEdit>
#include <QPointer>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using namespace tk70;

class StartupWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_window = std::make_unique<StartupWindow>();
        m_closed = std::make_unique<QSignalSpy>(m_window.get(), &StartupWindow::closed);
    }
    void showWindow()
    {
        m_window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
    }
    std::unique_ptr<StartupWindow> m_window;
    std::unique_ptr<QSignalSpy> m_closed;
};

TEST_F(StartupWindowTest, BorderlessCentredPictureWithTheVersionInGreyOnBlack)
{
    EXPECT_TRUE(m_window->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(m_window->lifetime(), 3250);
    showWindow();
    EXPECT_EQ(m_window->size(), QSize(480, 320));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_LE((m_window->geometry().center() - screen.center()).manhattanLength(), 2);

    const QImage image = m_window->grab().toImage();
    const QFontMetrics metrics(m_window->font());
    for (int percent : {80, 86}) {
        const QRect band(480 * 30 / 100, 320 * percent / 100, 120, metrics.height());
        // Grey text on black: every pixel neutral and no brighter than 128, many of them lit.
        int lit = 0;
        int coloured = 0;
        for (int y = band.top(); y <= band.bottom(); ++y) {
            for (int x = band.left(); x <= band.right(); ++x) {
                const QColor c = image.pixelColor(x, y);
                coloured += c.red() != c.green() || c.green() != c.blue() || c.red() > 128;
                lit += c.red() >= 96;
            }
        }
        EXPECT_GT(lit, 40) << percent;
        EXPECT_EQ(coloured, 0) << percent;
        EXPECT_EQ(image.pixelColor(band.topLeft()), QColor(Qt::black)) << percent;
    }
    EXPECT_FALSE(StartupWindow::productNotice().isEmpty());
}

TEST_F(StartupWindowTest, AKeyPressAnywhereClosesItAndIsTakenByIt)
{
    QLineEdit elsewhere;
    elsewhere.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&elsewhere));
    showWindow();
    QTest::keyClick(&elsewhere, Qt::Key_A);
    EXPECT_EQ(m_closed->count(), 1);
    EXPECT_FALSE(m_window->isVisible());
    EXPECT_TRUE(m_window->isFinished());
    EXPECT_EQ(elsewhere.text(), "");
    QTest::keyClick(&elsewhere, Qt::Key_B);
    EXPECT_EQ(elsewhere.text(), "b");
    EXPECT_EQ(m_closed->count(), 1);
}

TEST_F(StartupWindowTest, AMousePressClosesIt)
{
    showWindow();
    QTest::mouseClick(m_window.get(), Qt::RightButton);
    EXPECT_EQ(m_closed->count(), 1);
    EXPECT_FALSE(m_window->isVisible());
}

TEST_F(StartupWindowTest, ItsTimerClosesIt)
{
    m_window->setLifetime(30);
    showWindow();
    ASSERT_TRUE(tk70test::waitFor([&] { return m_closed->count() == 1; }));
    EXPECT_FALSE(m_window->isVisible());
}

TEST_F(StartupWindowTest, DeletesItselfWhenAskedTo)
{
    QPointer<StartupWindow> window = m_window.release();
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    window->finish();
    EXPECT_TRUE(tk70test::waitFor([&] { return window.isNull(); }));
}

TEST(ScreenSizeRule, Below800By600GetsTheNote)
{
    EXPECT_TRUE(screenBelowRecommended(QSize(799, 600)));
    EXPECT_TRUE(screenBelowRecommended(QSize(800, 599)));
    EXPECT_TRUE(screenBelowRecommended(QSize(640, 480)));
    EXPECT_FALSE(screenBelowRecommended(QSize(800, 600)));
    EXPECT_FALSE(screenBelowRecommended(QSize(1024, 768)));

    tk70test::MessageRecorder messages;
    EXPECT_FALSE(noteLowResolution(QSize(1024, 768)));
    EXPECT_TRUE(messages.texts().isEmpty());
    EXPECT_TRUE(noteLowResolution(QSize(640, 480)));
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages().front().text, "Although the TK70 Pro will function with this display\n"
                                                "adapter, it is strongly recommended that you use a\n"
                                                "higher resolution display adapter.");
    EXPECT_EQ(messages.messages().front().buttons, MessageButtons::Ok);
}
