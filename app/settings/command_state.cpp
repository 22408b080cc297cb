// Which commands are enabled: see command_state.h.
#include "app/settings/command_state.h"

#include "app/settings/command_ids.h"

namespace tk70 {

bool commandEnabled(int id, const CommandState &s)
{
    if (id >= cmd::RecentFile1 && id < cmd::RecentFile1 + cmd::RecentFileCount)
        id = cmd::FileOpen;  // a recent file opens by the rules of Open
    switch (id) {
    case cmd::TagSelection:
    case cmd::CollectionSettings:
    case cmd::FileSave: return s.hasDocument && !s.historical && s.setupOpen && !s.collecting;
    case cmd::TrendSetup:
    case cmd::FileSaveAs: return s.hasDocument && s.setupOpen && !s.collecting;
    case cmd::FileNew:
    case cmd::FileOpen: return !s.collecting && !(s.historical && s.replay);
    case cmd::SelectTrend:
        return s.hasDocument && s.graphCount >= 1 && (s.collecting || s.historical) && (s.replay || !s.historical);
    case cmd::Start:
        if (!s.hasDocument)
            return false;
        return s.historical ? !s.replay : s.setupOpen && !s.connected;
    case cmd::Stop:
        if (!s.hasDocument)
            return false;
        return s.historical ? s.replay : s.connected;
    case cmd::CurrentValues: return s.hasDocument && s.collecting;
    case cmd::TuneBlock: return s.tagEditorActive || (s.connected && s.monitoring);
    case cmd::ImportDosTsf:
    case cmd::ImportDelimited: return !s.collecting && !s.replay;
    case cmd::EditUndo:
    case cmd::EditCut:
    case cmd::EditCopy:
    case cmd::EditPaste: return false;  // no handler: the edit fields' own keys do the clipboard work
    default: return true;
    }
}

}  // namespace tk70
