// The setup windows' accelerator table: see setup_accelerators.h.
#include "platform/view/setup_accelerators.h"

#include <QKeyEvent>

namespace tk70 {

namespace {

struct Accelerator {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int command;
};

const Accelerator kTable[] = {
    {Qt::Key_Delete, Qt::ShiftModifier, SetupCommand::kShiftDelete},
    {Qt::Key_Down, Qt::NoModifier, SetupCommand::kDown},
    {Qt::Key_Up, Qt::NoModifier, SetupCommand::kUp},
    {Qt::Key_End, Qt::NoModifier, SetupCommand::kEnd},
    {Qt::Key_Home, Qt::NoModifier, SetupCommand::kHome},
    {Qt::Key_Escape, Qt::NoModifier, SetupCommand::kEscape},
    {Qt::Key_Insert, Qt::NoModifier, SetupCommand::kInsert},
    {Qt::Key_PageDown, Qt::NoModifier, SetupCommand::kPageDown},
    {Qt::Key_PageUp, Qt::NoModifier, SetupCommand::kPageUp},
    {Qt::Key_Return, Qt::NoModifier, SetupCommand::kEnter},
    {Qt::Key_Enter, Qt::NoModifier, SetupCommand::kEnter},
    {Qt::Key_F6, Qt::NoModifier, SetupCommand::kF6},
    {Qt::Key_F6, Qt::ShiftModifier, SetupCommand::kShiftF6},
};

}  // namespace

int SetupAccelerators::commandOf(QKeyCombination combination)
{
    const Qt::KeyboardModifiers modifiers = combination.keyboardModifiers() & ~Qt::KeypadModifier;
    for (const Accelerator &accelerator : kTable) {
        if (accelerator.key == combination.key() && accelerator.modifiers == modifiers)
            return accelerator.command;
    }
    return 0;
}

void SetupAccelerators::on(int command, std::function<void()> action) { m_actions[command] = std::move(action); }

bool SetupAccelerators::filter(QEvent *event) const
{
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return false;
    const auto found = m_actions.find(commandOf(static_cast<QKeyEvent *>(event)->keyCombination()));
    if (found == m_actions.end())
        return false;
    if (event->type() == QEvent::ShortcutOverride)
        event->accept();
    else
        found->second();
    return true;
}

}  // namespace tk70
