// The texts of the messages a tag selection document shows, exactly as the users know
// them (typos included).
#pragma once

namespace tk70::TsfMessages {

inline const char *const kTagsLimited =
    "Tag Selection File contains more tags than this version supports.\nTags limited to supported Tag count.";
inline const char *const kInvalidFormat =
    "Invalid TK70 Pro Tag Slection File Format\nSettings Re-Initialize to Default Values";
// Followed by the path of the file.
inline const char *const kErrorLoading = "Error Loading TK70 Tag Selection File.\nFilename : ";
inline const char *const kErrorSaving = "Error Saving TK70 Tag Selection File.\nFilename : ";
inline const char *const kSaveErrorTrendSetup = "Unable to Save File due to error in Trend Setup.";
inline const char *const kSaveErrorTagSettings = "Unable to Save File due to error in Tag Settings.";

}  // namespace tk70::TsfMessages
