// Which commands are enabled: one rule per command over the state of the program, in
// one place, so that menus, toolbar and keys always agree.
#pragma once

namespace tk70 {

struct CommandState {
    bool hasDocument = false;      // a current tag selection document
    bool historical = false;       // the current document was built from a historical data file
    bool replay = false;           // its replay runs
    bool setupOpen = false;        // the tag editor or the trend setup window exists
    bool collecting = false;       // data collection runs
    int graphCount = 0;            // trend graphs opened by the last opening of the graph windows
    bool connected = false;        // the driver client runs a connection
    bool monitoring = false;       // the driver's exception monitoring loop runs
    bool tagEditorActive = false;  // the tag editor is the active view (it takes Tune Block as Insert)
};

// Whether command id is enabled in the state; commands without a rule of their own are.
// The recent file entries follow the rule of Open.
bool commandEnabled(int id, const CommandState &state);

}  // namespace tk70
