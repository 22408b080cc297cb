// Review pictures of windows: a widget shown (offscreen in the tests), drawn and saved as
// a PNG into the build's screenshot folder (TK70_SCREENSHOT_DIR of the test program).
#pragma once

#include <QDir>
#include <QString>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace tk70test {

// Shows widget, saves its picture as <name>.png and closes it again.
inline void shoot(QWidget &widget, const char *name)
{
    const QString folder = QStringLiteral(TK70_SCREENSHOT_DIR);
    ASSERT_TRUE(QDir().mkpath(folder));
    widget.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
    const QString path = folder + QLatin1Char('/') + QString::fromLatin1(name) + QStringLiteral(".png");
    EXPECT_TRUE(widget.grab().save(path)) << path.toStdString();
    widget.close();
}

}  // namespace tk70test
