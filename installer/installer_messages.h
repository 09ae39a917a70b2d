// The one message-box routine of the installer: caption "<program> - <title>",
// escape-processed text, no owner, always brought to the foreground.
#pragma once
#include <windows.h>

namespace installer {

// The program's own name, without folder and without anything from its first ".".
const char* programName();
// Caption "<program> - <title>" (the name alone without title), 255 bytes at most.
void makeCaption(const char* title, char* out, size_t size);
// Shows text (escape-processed) with the flags; returns MessageBoxA's result.
int messageBox(const char* text, const char* title, UINT flags);
// An error box (hand icon, OK) with a printf-style text of the program's
// own; inserted paths are shown as they are.
void errorBox(const char* title, const char* format, ...);
// A question (OK and Cancel); true for OK or Yes. Title "問い合わせ" when null.
bool askQuestion(const char* text, const char* title = nullptr);

}  // namespace installer
