// The arguments part of a program's command line. The text the runtime hands
// to WinMain skips the program name with a signed byte comparison, which eats
// the first argument byte when it is 0x80 or above ("X.exe 表示" arrives as
// "\\示"); every program takes GetCommandLineA and skips the name itself.
#pragma once

namespace common {

// The text after the program name of a full command line: a quoted name runs
// to the closing quote, a bare one to the first blank (space or tab); the
// blanks after it are skipped too. Bytes are compared unsigned, so a first
// argument starting with a double-byte character stays whole. Null gives "".
// Pure text work (no <windows.h>).
const char* skipProgramName(const char* commandLine);

// skipProgramName(GetCommandLineA()).
const char* commandLineArguments();

}  // namespace common
