// The status bar prompts and tool tips of the commands: see command_ids.h.
#include "command_ids.h"

namespace tk70 {

namespace {

struct PromptEntry {
    int id;
    const char *text;  // prompt, a line break, then the tool tip
};

const PromptEntry kPrompts[] = {
    {32786, "Start Data Collection\nStart Collection"},
    {32787, "Stop Data Collection\nStop Collection"},
    {32790, "View Collection Settings\nCollection Settings"},
    {32791, "View Tag Selection Editor\nTag Editor"},
    {32792, "View Trend Graph Setup\nTrend Setup"},
    {32793, "View Current Data Values\nCurrent Values"},
    {32794, "Switch to Next Trend Graph\nSelect Trend"},
    {32796, "Tune Function Block\nTune Block"},
    {32802, "Change MS Access Database Options\nDB Options"},
    {32804, "View Communication Status\nStatus"},
    {32812, "Import Tag Selection File created with DOS version of TK70\nImport TK70 TSF"},
    {32813, "Display TK70 Pro Help\nHelp"},
    {32815, "Import Delimited Tag List\nImport Tags"},
    {32816, "Open Historical Data File for Graphing\nOpen Historical File"},
    {32817, "Save Selected Graph as a Windows Metafile\nSave Metafile"},
    {32819, "Open Historical TK70 (DOS) Data File for Graphing\nOpen Historical File"},
    {57600, "Create a new Tag Selection File\nNew"},
    {57601, "Open an existing Tag Selection File\nOpen"},
    {57602, "Close Current Tag Selection\nClose"},
    {57603, "Save the Current Tag Selection\nSave"},
    {57604, "Save the current Tag Selection with a new name\nSave As"},
    {57664, "Display TK70 Pro information, version number and copyright\nAbout"},
    {57665, "Exit TK70 Pro\nExit"},
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
