// The value forms of MENU.INI and MENU.DAT: points, colours, sound values,
// decorations, font sizes, command values and popup values. Pure text work on
// Shift-JIS byte strings; resolving file names is left to the callers, which
// own the path objects. Every output goes into a caller's buffer of a given
// size and is always terminated inside it.
#pragma once
#include <cstddef>
#include <cstdint>

namespace menu {

namespace values {

// Leading sign and decimal digits of a token ("12px" -> 12, "x" -> 0).
// Values beyond the 32-bit range saturate instead of overflowing.
long parseDecimal(const char* token);

// Splits text into tokens at runs of commas and spaces (leading separators
// skipped) and converts up to `max` of them with parseDecimal. Returns how
// many tokens there were (at most max); the slots of missing tokens are left
// as they were, so callers pre-fill them with their defaults.
int parseNumbers(const char* text, long* out, int max);

// "x,y" into x and y; a missing token leaves that coordinate unchanged.
void parsePoint(const char* text, long* x, long* y);

// "r,g,b", each truncated to 8 bits, missing ones 0: r + 256*g + 65536*b.
uint32_t parseColour(const char* text);

// Decoration word: 1 for "outset", 2 for "inset" (any case), else 0.
enum { DecorationNone = 0, DecorationOutset = 1, DecorationInset = 2 };
int parseDecoration(const char* text);

// Font height of a state style: 0 becomes 12, anything above 20 becomes 20;
// negative values pass unchanged (they select no font at all).
int clampFontSize(long size);

// A `Sound` value: "file", "file,Sync", "file Sync" or ",Sync". The file is
// the first token unless the value begins with a comma; "Sync" (any case) is
// the whole rest after the separator that ends the file token, or, when the
// value begins with a comma, the first token itself. `file` receives the file
// token (empty when none).
void parseSound(const char* value, char* file, size_t fileSize, bool* sync);

// A command value "label[;hint],command,command...". The label is the part
// before the first comma up to a ";", the hint the rest of that part. Returns
// a pointer to the text after the first comma (the commands), or to the
// terminator when there is no comma.
const char* splitCommandValue(const char* value, char* label, size_t labelSize, char* hint, size_t hintSize);

// Copies the next comma-separated part of `list` into `part` and returns the
// position after its comma, or null when `list` is at its end.
const char* nextPart(const char* list, char* part, size_t partSize);

// One command line: leading spaces skipped, the program up to the first
// space, or between double quotes when it begins with one; `arguments`
// receives the rest with its leading and trailing spaces removed. Returns
// false when there is no program.
bool splitCommandLine(const char* part, char* program, size_t programSize, char* arguments,
                      size_t argumentsSize);

// The first argument of an argument text: between double quotes when it
// begins with one, else up to the first space.
void firstArgument(const char* arguments, char* out, size_t outSize);

// A popup value "[link,]textfile". Without a comma the whole value is the
// text file. With one, the link is the first double-quote-delimited token of
// the part before it (blanks around it removed) and the text file the part
// after it with leading blanks and control characters skipped.
void splitPopupValue(const char* value, char* link, size_t linkSize, char* textFile, size_t textFileSize);

// A link beginning with "http" or "ftp" (any case) is a web address.
bool isWebAddress(const char* link);

// Appends `piece` to a comma-joined list only when the whole piece (with its
// comma) fits the list's size; otherwise leaves the list as it was and
// returns false, so a list never holds a command cut in the middle.
bool appendWhole(char* list, size_t listSize, const char* piece);

}  // namespace values

}  // namespace menu
