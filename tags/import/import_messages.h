// The messages of the two tag list imports, exactly as the users know them (typos
// included), and the calls that show them.
#pragma once

#include <QString>

namespace tk70::ImportMessages {

// Both imports.
inline const char *const kTagCountExceeded =
    "Tag Count Exceeds This Version's Tag Capability.\nCould Not Import All Tags.";

// The TK70 (DOS) tag selection file.
inline const char *const kDosOpenError =
    "Error Opening TK70 (DOS) Tag Selection File.\nCould Not Import Tag Selection File.";
inline const char *const kDosWrongMark = "Incorrect Tag Selection File format.\nCould Not Import Tag Selection File.";
inline const char *const kDosReadError = "Error Reading File.\nCould Not Import All Tags.";
// A record whose tagname is empty (%1: its record number, 1 for the first).
inline const char *const kDosBlankTagname = "Blank Tagname in Record %1.\nCould Not Import All Tags.";
// Trend-flagged records that find no room among the 12 traces of graph 1 (%1: how many).
inline const char *const kDosTracesLeftOff =
    "Trend Graph #1 Holds at Most 12 Traces.\n%1 Trended Tag(s) Not Added to Trend Graph #1.";

// The delimited tag list.
inline const char *const kListOpenError = "Error Opening Delimited Tag List File.\nCould Not Import Tag List File.";
inline const char *const kListNoLine = "Inorrect File Format.\nImport Terminated.";
// %d: the tag number of the line (1 for the first).
inline const char *const kListBinaryData = "File Contains Binary Data.\nLine #%d\nImport Terminated.";
// %d: the tag number of the line (the tagname is empty, so it is not shown).
inline const char *const kListBlankTagname = "Blank Tagname.\nImport Terminated.\nTag Number %d";
// %d: the tag number of the line, %s: the tagname as read.
inline const char *const kListTagname =
    "Tagname Exceeds Allowable Number of Characters.\nImport Terminated.\nTag Number %d\nTagname=%s";
inline const char *const kListLoop =
    "Loop Address Contains a Non Numeric Character.\nImport Terminated.\nTag Number %d\nTagname=%s";
inline const char *const kListPcu =
    "PCU Address Contains a Non Numeric Character.\nImport Terminated.\nTag Number %d\nTagname=%s";
inline const char *const kListModule =
    "Module Address Contains a Non Numeric Character.\nImport Terminated.\nTag Number %d\nTagname=%s";
inline const char *const kListBlock =
    "Block Address Contains a Non Numeric Character.\nImport Terminated.\nTag Number %d\nTagname=%s";
inline const char *const kListPointType =
    "Point Type Field Exceeds Allowable Number of Characters.\nImport Terminated.\nTag Number %d\nTagname=%s";
inline const char *const kListDescription =
    "Tag Description Field Exceeds Allowable Number of Characters.\nImport Terminated.\nTag Number %d\nTagname=%s";
// Shown after every error of a delimited list.
inline const char *const kListFormatHelp =
    "TK70 Pro has detected an Invalid File Format.\nThe File can only contain printable ASCII charaters\n"
    "with the fields separated by a comma.\n\n"
    "The required import file format is as follows:\n\n"
    "Tagname,Loop,PCU,Module,Block,PointType,TagDescription\n\n"
    "For Example:\n\n"
    "AEPT100A,0,12,2,3423,AE,Ambient Pressure\n\n"
    "Refer to User's Guide or On Line Help for additional information.";

// A stop message (an import that cannot go on).
void stop(const QString &text);
// A warning (the import went on, but not everything came in).
void warn(const QString &text);
// The format help of the delimited list.
void formatHelp();

}  // namespace tk70::ImportMessages
