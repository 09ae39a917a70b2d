// Small std::string helpers for texts (pure, no <windows.h>).
#pragma once
#include <string>

namespace common {

// printf into a std::string.
std::string formatText(const char* format, ...);
// Bytes up to and including space count as blanks at both ends.
std::string trimBlanks(const std::string& s);

}  // namespace common
