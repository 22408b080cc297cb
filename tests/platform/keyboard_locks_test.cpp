// Keyboard lock indicators read from an LED folder laid out as the kernel lays it out.
#include "platform/keyboard_locks.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tk70;

namespace {

void led(const QTemporaryDir &dir, const QString &name, const QByteArray &brightness)
{
    ASSERT_TRUE(QDir(dir.path()).mkpath(name));
    QFile file(dir.filePath(name + "/brightness"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(brightness);
}

}  // namespace

TEST(KeyboardLocks, ALockIsOnWhenAnyOfItsLedsIsLit)
{
    QTemporaryDir dir;
    led(dir, "input3::capslock", "1\n");
    led(dir, "input3::numlock", "0\n");
    led(dir, "input3::scrolllock", "0\n");
    led(dir, "input9::numlock", "1\n");  // a second keyboard
    led(dir, "phy0-led", "255\n");       // not a keyboard LED
    EXPECT_EQ(readKeyboardLocks(dir.path()), (KeyboardLocks{true, true, false}));
}

TEST(KeyboardLocks, WithoutLedsEveryLockReadsOff)
{
    EXPECT_EQ(readKeyboardLocks("/nonexistent/leds"), KeyboardLocks{});
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath("input3::capslock"));  // no brightness file
    EXPECT_EQ(readKeyboardLocks(dir.path()), KeyboardLocks{});
}
