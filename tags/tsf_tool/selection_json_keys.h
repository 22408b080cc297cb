// The member names of the JSON form of a tag selection, shared by the writer
// (`dump --json`) and the reader (`build`) so that the two cannot drift apart.
#pragma once

namespace tk70::SelectionJsonKeys {

// Top level.
inline const char *const kTags = "tags";
inline const char *const kGraphs = "graphs";
inline const char *const kGroups = "groups";
inline const char *const kSerialPortIndex = "serialPortIndex";
inline const char *const kBaudRateIndex = "baudRateIndex";
inline const char *const kWarnings = "warnings";

// A tag; a trace uses kTagname and kDescription too, and a tag's membership flags are
// its kGroups array.
inline const char *const kTagname = "tagname";
inline const char *const kDescription = "description";
inline const char *const kLoop = "loop";
inline const char *const kPcu = "pcu";
inline const char *const kModule = "module";
inline const char *const kBlock = "block";
inline const char *const kPointType = "pointType";

// A trend graph and its traces.
inline const char *const kHistoryLength = "historyLength";
inline const char *const kTraceCount = "traceCount";
inline const char *const kSampleInterval = "sampleInterval";
inline const char *const kTitle = "title";
inline const char *const kSecondTitle = "secondTitle";
inline const char *const kTraces = "traces";
inline const char *const kZero = "zero";
inline const char *const kSpan = "span";

// A collection group.
inline const char *const kEnabled = "enabled";
inline const char *const kFileName = "fileName";
inline const char *const kFileType = "fileType";
inline const char *const kSampleTime = "sampleTime";
inline const char *const kStartDate = "startDate";
inline const char *const kStartTime = "startTime";
inline const char *const kEndDate = "endDate";
inline const char *const kEndTime = "endTime";
inline const char *const kRolloverHours = "rolloverHours";
inline const char *const kAppendFile = "appendFile";
inline const char *const kSaveInhibitTag = "saveInhibitTag";

}  // namespace tk70::SelectionJsonKeys
