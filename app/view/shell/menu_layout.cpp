// The menus and the toolbar of the main window: see menu_layout.h.
#include "app/view/shell/menu_layout.h"

#include "app/settings/command_ids.h"

namespace tk70 {

namespace {

using namespace cmd;

const MenuItem kSeparator{0, {}};

std::vector<MenuItem> importItems()
{
    return {{ImportDosTsf, "&Import TK70 (DOS) &TSF..."}, {ImportDelimited, "Import &Delimited Tag List..."}};
}

std::vector<MenuItem> historicalItems()
{
    return {{HistoricalAscii, "Graph &Historical ASCII Data File..."},
            {HistoricalDos, "Graph &Historical T&K70 (DOS) Data File..."}};
}

std::vector<MenuItem> operator+(std::vector<MenuItem> a, const std::vector<MenuItem> &b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

MenuLayout helpMenu() { return {"&Help", {{HelpContent, "&Content"}, kSeparator, {About, "&About TK70..."}}}; }

MenuLayout windowMenu()
{
    return {"&Window", {{Cascade, "&Cascade"}, {Tile, "&Tile"}, {ArrangeIcons, "&Arrange Icons"}}};
}

MenuLayout collectionMenu() { return {"&Collection", {{Start, "&Start"}, {Stop, "S&top"}}}; }

std::vector<MenuItem> barItems() { return {{ViewToolbar, "&Toolbar"}, {ViewStatusBar, "&Status Bar"}, kSeparator}; }

std::vector<MenuItem> optionItems()
{
    return {{DatabaseOptions, "&Database Options..."},
            {DdeServerOptions, "DD&E Server Options..."},
            {StartupSettings, "Start&up Settings..."},
            {CommunicationStatus, "Co&mmunication Status..."}};
}

std::vector<MenuLayout> mainMenus()
{
    std::vector<MenuItem> file =
        std::vector<MenuItem>{
            {FileNew, "&New\tCtrl+N"}, {FileOpen, "&Open...\tCtrl+O"}, {FileSave, "&Save\tCtrl+S"}, kSeparator} +
        importItems() + std::vector<MenuItem>{kSeparator} + historicalItems() +
        std::vector<MenuItem>{
            kSeparator, {PrintSetup, "P&rint Setup..."}, kSeparator, {kRecentFiles, {}}, kSeparator, {Exit, "E&xit"}};
    return {{"&File", file}, {"&View", barItems() + optionItems()}, helpMenu()};
}

std::vector<MenuLayout> setupMenus()
{
    std::vector<MenuItem> file =
        std::vector<MenuItem>{{FileNew, "&New\tCtrl+N"},   {FileOpen, "&Open...\tCtrl+O"}, {FileClose, "&Close"},
                              {FileSave, "&Save\tCtrl+S"}, {FileSaveAs, "Save &As..."},    kSeparator} +
        importItems() + std::vector<MenuItem>{kSeparator} + historicalItems() +
        std::vector<MenuItem>{kSeparator,
                              {Print, "&Print...\tCtrl+P"},
                              {PrintPreview, "Print Pre&view"},
                              {PrintSetup, "P&rint Setup..."},
                              kSeparator,
                              {kRecentFiles, {}},
                              kSeparator,
                              {Exit, "E&xit"}};
    MenuLayout edit{"&Edit",
                    {{EditUndo, "&Undo\tCtrl+Z"},
                     kSeparator,
                     {EditCut, "Cu&t\tCtrl+X"},
                     {EditCopy, "&Copy\tCtrl+C"},
                     {EditPaste, "&Paste\tCtrl+V"}}};
    std::vector<MenuItem> view = barItems() +
                                 std::vector<MenuItem>{{CollectionSettings, "&Collection Settings..."},
                                                       {TagSelection, "Ta&g Selection"},
                                                       {TrendSetup, "T&rend Setup"},
                                                       kSeparator} +
                                 optionItems();
    return {{"&File", file}, edit, {"&View", view}, collectionMenu(), windowMenu(), helpMenu()};
}

std::vector<MenuLayout> graphMenus()
{
    std::vector<MenuItem> file{{FileClose, "&Minimize All Graphs"},
                               {SaveMetafile, "Save &As Metafile..."},
                               kSeparator,
                               {Print, "&Print...\tCtrl+P"},
                               {PrintPreview, "Print Pre&view"},
                               {PrintSetup, "P&rint Setup..."},
                               kSeparator,
                               {Exit, "E&xit"}};
    std::vector<MenuItem> view = barItems() + std::vector<MenuItem>{{CommunicationStatus, "Co&mmunication Status..."}};
    return {{"&File", file}, {"&View", view}, collectionMenu(), {"&Tune", {{TuneBlock, "&Tune Block..."}}},
            windowMenu(),    helpMenu()};
}

}  // namespace

std::vector<MenuLayout> menuLayout(int resource)
{
    switch (resource) {
    case kMenuSetup: return setupMenus();
    case kMenuGraph: return graphMenus();
    default: return mainMenus();
    }
}

std::vector<int> toolbarLayout()
{
    return {FileNew, FileOpen, FileSave,   0, CollectionSettings, TagSelection,  TrendSetup,
            0,       Start,    Stop,       0, SelectTrend,        CurrentValues, TuneBlock,
            0,       Print,    HelpContent};
}

}  // namespace tk70
