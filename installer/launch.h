// Starting programs and opening files and folders through the shell, with
// the installer's start-error texts.
#pragma once
#include <windows.h>
#include <string>

namespace installer {

// The text for a ShellExecuteA result below 32 and a path.
std::string startErrorText(INT_PTR result, const char* path);
// Opens a folder or file with the default verb, its own folder as working
// folder (made current while it starts); shows the start error with the
// title "起動に失敗" when that fails.
bool openWithShell(const std::string& path);
// Starts program (as written) with the file's full path as parameter.
bool openWithProgram(const std::string& program, const std::string& file);

}  // namespace installer
