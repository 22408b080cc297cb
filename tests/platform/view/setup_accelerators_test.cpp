// The setup windows' accelerator table: each key's command, and that a form takes only
// the keys of the commands it handles (the rest stay with the window around it).
#include "platform/view/setup_accelerators.h"

#include <QKeyEvent>
#include <gtest/gtest.h>

using namespace tk70;

TEST(SetupAccelerators, EachKeyStandsForItsCommand)
{
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int command;
    };
    const Case cases[] = {
        {Qt::Key_Delete, Qt::ShiftModifier, 32797},
        {Qt::Key_Down, Qt::NoModifier, 1130},
        {Qt::Key_Up, Qt::NoModifier, 1131},
        {Qt::Key_End, Qt::NoModifier, 1132},
        {Qt::Key_Home, Qt::NoModifier, 1133},
        {Qt::Key_Escape, Qt::NoModifier, 32818},
        {Qt::Key_Insert, Qt::NoModifier, 32796},
        {Qt::Key_PageDown, Qt::NoModifier, 1112},
        {Qt::Key_PageUp, Qt::NoModifier, 1120},
        {Qt::Key_Return, Qt::NoModifier, 32798},
        {Qt::Key_Enter, Qt::KeypadModifier, 32798},
        {Qt::Key_Down, Qt::KeypadModifier, 1130},
        {Qt::Key_F6, Qt::NoModifier, 57680},
        {Qt::Key_F6, Qt::ShiftModifier, 57681},
        // Not in the table: another modifier, or none where the table wants one.
        {Qt::Key_Delete, Qt::NoModifier, 0},
        {Qt::Key_Down, Qt::ControlModifier, 0},
        {Qt::Key_Return, Qt::ShiftModifier, 0},
        {Qt::Key_A, Qt::NoModifier, 0},
    };
    for (const Case &c : cases)
        EXPECT_EQ(SetupAccelerators::commandOf(QKeyCombination(c.modifiers, c.key)), c.command) << c.key;
}

TEST(SetupAccelerators, AFormTakesOnlyTheKeysOfItsCommands)
{
    SetupAccelerators accelerators;
    int runs = 0;
    accelerators.on(SetupCommand::kEnter, [&runs] { ++runs; });

    QKeyEvent override(QEvent::ShortcutOverride, Qt::Key_Return, Qt::NoModifier);
    override.ignore();
    EXPECT_TRUE(accelerators.filter(&override));
    EXPECT_TRUE(override.isAccepted());
    EXPECT_EQ(runs, 0);

    QKeyEvent press(QEvent::KeyPress, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_TRUE(accelerators.filter(&press));
    EXPECT_EQ(runs, 1);

    for (QEvent::Type type : {QEvent::ShortcutOverride, QEvent::KeyPress}) {
        QKeyEvent unhandled(type, Qt::Key_Escape, Qt::NoModifier);  // in the table, not this form's
        unhandled.ignore();
        EXPECT_FALSE(accelerators.filter(&unhandled));
        EXPECT_FALSE(unhandled.isAccepted());
    }
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier);
    EXPECT_FALSE(accelerators.filter(&release));
    EXPECT_EQ(runs, 1);
}
