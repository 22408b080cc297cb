// The status bar prompts and tool tips of the commands: see command_ids.h.
#include "app/settings/command_ids.h"

namespace tk70 {

namespace {

struct PromptEntry {
    int id;
    const char *text;  // prompt, a line break, then the tool tip
};

const PromptEntry kPrompts[] = {
    {cmd::Start, "Start Data Collection\nStart Collection"},
    {cmd::Stop, "Stop Data Collection\nStop Collection"},
    {cmd::CollectionSettings, "View Collection Settings\nCollection Settings"},
    {cmd::TagSelection, "View Tag Selection Editor\nTag Editor"},
    {cmd::TrendSetup, "View Trend Graph Setup\nTrend Setup"},
    {cmd::CurrentValues, "View Current Data Values\nCurrent Values"},
    {cmd::SelectTrend, "Switch to Next Trend Graph\nSelect Trend"},
    {cmd::TuneBlock, "Tune Function Block\nTune Block"},
    {cmd::DatabaseOptions, "Change MS Access Database Options\nDB Options"},
    {cmd::CommunicationStatus, "View Communication Status\nStatus"},
    {cmd::ImportDosTsf, "Import Tag Selection File created with DOS version of TK70\nImport TK70 TSF"},
    {cmd::HelpContent, "Display TK70 Pro Help\nHelp"},
    {cmd::ImportDelimited, "Import Delimited Tag List\nImport Tags"},
    {cmd::HistoricalAscii, "Open Historical Data File for Graphing\nOpen Historical File"},
    {cmd::SaveMetafile, "Save Selected Graph as a Windows Metafile\nSave Metafile"},
    {cmd::HistoricalDos, "Open Historical TK70 (DOS) Data File for Graphing\nOpen Historical File"},
    {cmd::FileNew, "Create a new Tag Selection File\nNew"},
    {cmd::FileOpen, "Open an existing Tag Selection File\nOpen"},
    {cmd::FileClose, "Close Current Tag Selection\nClose"},
    {cmd::FileSave, "Save the Current Tag Selection\nSave"},
    {cmd::FileSaveAs, "Save the current Tag Selection with a new name\nSave As"},
    {cmd::About, "Display TK70 Pro information, version number and copyright\nAbout"},
    {cmd::Exit, "Exit TK70 Pro\nExit"},
};

}  // namespace

CommandPrompt commandPrompt(int id)
{
    for (const PromptEntry &entry : kPrompts) {
        if (entry.id == id) {
            QString text = QString::fromLatin1(entry.text);
            return CommandPrompt{text.section(QLatin1Char('\n'), 0, 0), text.section(QLatin1Char('\n'), 1)};
        }
    }
    return {};
}

}  // namespace tk70
