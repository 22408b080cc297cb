// The function-code catalogue: the name under which the function code of a block just
// read is shown, for codes 0 to 255 (0, "Function Code Error", is never shown: codes
// below 1 are undefined).
#pragma once

#include <QString>

namespace tk70 {

inline constexpr int kFunctionCodeCount = 256;

// Whether a block of the code is defined (1 to 255) and may be tuned.
constexpr bool isDefinedFunctionCode(int code) { return code >= 1 && code < kFunctionCodeCount; }
// The catalogue's name of a code; empty outside 0 to 255.
QString functionCodeName(int code);
// "FC %d  -  %s": the code, two blanks, a hyphen, two blanks, its name.
QString functionCodeTitle(int code);

}  // namespace tk70
