// The native tools' side of the <windows.h> stand-in: a real folder of the
// host made the stand-in's drive D:, and text for the host's terminal.
#pragma once
#include <string>

namespace hostdisc {

// The drive a mounted folder becomes, as the programs' code sees it: the
// root of a pressed disc.
const char* const kDrive = "D:\\";

// Puts every file and folder below `folder` (a host path) into the stand-in's
// file system as "D:\\..." (names converted from UTF-8 to code page 932; a
// character it lacks becomes "?", as the Windows file calls give it), files
// read only when opened. False when the folder cannot be read.
bool mount(const std::string& folder);

// Puts the archiver libraries the build links in (archiver_modules.cpp) into
// the stand-in's system folder, where the programs look for them by full path.
void placeLibraries();

// Shift-JIS text in the encoding of the terminal's locale (setlocale must
// have run): UTF-8 under a UTF-8 locale and under the plain "C" one (a
// build log keeps Japanese readable), unchanged under a Shift-JIS locale.
std::string forTerminal(const std::string& sjis);

}  // namespace hostdisc
