// The program's command numbers, and the status bar prompt and tool tip of each.
#pragma once

#include <QString>

namespace tk70 {

namespace cmd {
inline constexpr int Start = 32786;
inline constexpr int Stop = 32787;
inline constexpr int CollectionSettings = 32790;
inline constexpr int TagSelection = 32791;
inline constexpr int TrendSetup = 32792;
inline constexpr int CurrentValues = 32793;
inline constexpr int SelectTrend = 32794;
inline constexpr int TuneBlock = 32796;  // Insert Tag while the tag editor is active
inline constexpr int DeleteTag = 32797;
inline constexpr int NextField = 32798;
inline constexpr int DatabaseOptions = 32802;
inline constexpr int CommunicationStatus = 32804;
inline constexpr int ImportDosTsf = 32812;
inline constexpr int HelpContent = 32813;
inline constexpr int ImportDelimited = 32815;
inline constexpr int HistoricalAscii = 32816;
inline constexpr int SaveMetafile = 32817;
inline constexpr int FinishInsert = 32818;
inline constexpr int HistoricalDos = 32819;
inline constexpr int DdeServerOptions = 32820;
inline constexpr int StartupSettings = 32821;
inline constexpr int FileNew = 57600;
inline constexpr int FileOpen = 57601;
inline constexpr int FileClose = 57602;
inline constexpr int FileSave = 57603;
inline constexpr int FileSaveAs = 57604;
inline constexpr int PrintSetup = 57606;
inline constexpr int Print = 57607;
inline constexpr int PrintPreview = 57609;
inline constexpr int RecentFile1 = 57616;  // the recent files are 57616 to 57619
inline constexpr int RecentFileCount = 4;
inline constexpr int EditCopy = 57634;
inline constexpr int EditCut = 57635;
inline constexpr int EditPaste = 57637;
inline constexpr int EditUndo = 57643;
inline constexpr int ArrangeIcons = 57649;
inline constexpr int Cascade = 57650;
inline constexpr int Tile = 57651;
inline constexpr int About = 57664;
inline constexpr int Exit = 57665;
inline constexpr int NextPane = 57680;
inline constexpr int PreviousPane = 57681;
inline constexpr int ViewToolbar = 59392;
inline constexpr int ViewStatusBar = 59393;
}  // namespace cmd

struct CommandPrompt {
    QString status;  // shown in the status bar while the command is under the pointer
    QString tip;     // the tool tip
};

// The prompt of a command; empty texts for a command without one.
CommandPrompt commandPrompt(int id);

}  // namespace tk70
