// Where the trend setup form's arrow and Enter keys move the focus, by control id: Up to
// the same column one row up; Down to the same column one row down among the traces,
// from the last trace to the next row's tagname (where a new trace is typed), and on a
// row without a trace to that row's tagname; Enter from the last description back to
// the last tagname.
#pragma once

namespace tk70::TrendSetupKeys {

// The row (0 to 11) of a row control, or -1 for any other id.
int rowOfControl(int id);
// The id of the first row's control in the same column, or -1.
int columnOfControl(int id);

// The control the key moves to, or -1 when the focus stays (Up, Down) or goes to the
// next control in tab order (Enter).  traceCount is the number of leading traces.
int upTarget(int id);
int downTarget(int id, int traceCount);
int enterTarget(int id);

}  // namespace tk70::TrendSetupKeys
