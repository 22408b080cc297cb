// The menus of the main window: menu 128 while no child window is active, menu 132 for
// the tag editor and the trend setup, menu 130 for graph and current values windows.
#pragma once

#include <QString>
#include <vector>

namespace tk70 {

struct MenuItem {
    int id = 0;    // 0: a separator; -1: the recent file list
    QString text;  // "&New\tCtrl+N": the text shown, a tab, the key named beside it
};

struct MenuLayout {
    QString title;
    std::vector<MenuItem> items;
};

inline constexpr int kMenuMain = 128;
inline constexpr int kMenuGraph = 130;
inline constexpr int kMenuSetup = 132;
inline constexpr int kRecentFiles = -1;

// The menus of one menu resource, left to right.
std::vector<MenuLayout> menuLayout(int resource);

// The toolbar: command numbers in order, 0 for a separator.
std::vector<int> toolbarLayout();

}  // namespace tk70
