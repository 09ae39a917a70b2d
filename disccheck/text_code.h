// Shift-JIS (code page 932) text as UTF-8, for output that other tools read
// (JSON). Goes through the system's conversion tables on both builds.
#pragma once
#include <string>

namespace disccheck {

std::string utf8FromSjis(const std::string& sjis);

}  // namespace disccheck
