// The accelerator table of the setup windows (the tag editor and the trend setup): which
// key stands for which command, and the filter that runs a form's commands from the keys
// pressed in its controls.  Each form says which commands it handles and what they do
// there; a key whose command the form does not handle is left to the window around it.
#pragma once

#include <QKeyCombination>
#include <functional>
#include <initializer_list>
#include <map>
#include <utility>

class QEvent;

namespace tk70 {

// The command ids of the table, named after their keys.
namespace SetupCommand {
constexpr int kPageDown = 1112;
constexpr int kPageUp = 1120;
constexpr int kDown = 1130;
constexpr int kUp = 1131;
constexpr int kEnd = 1132;
constexpr int kHome = 1133;
constexpr int kInsert = 32796;
constexpr int kShiftDelete = 32797;
constexpr int kEnter = 32798;
constexpr int kEscape = 32818;
constexpr int kF6 = 57680;
constexpr int kShiftF6 = 57681;
}  // namespace SetupCommand

class SetupAccelerators {
public:
    // The command of a key combination in the table (keypad keys count as the same key);
    // 0 when the table has none.
    static int commandOf(QKeyCombination combination);

    // What the form does for command.
    void on(int command, std::function<void()> action);
    // The same for each pair of a command and the member function of form that runs it.
    template <typename Form>
    void on(Form *form, std::initializer_list<std::pair<int, void (Form::*)()>> commands)
    {
        for (const auto &entry : commands)
            on(entry.first, [form, action = entry.second] { (form->*action)(); });
    }

    // For the key events of a form's controls: a key whose command the form handles is
    // kept from the shortcuts of the window around it and runs the command when pressed.
    // True when the event was taken.
    bool filter(QEvent *event) const;

private:
    std::map<int, std::function<void()>> m_actions;
};

}  // namespace tk70
