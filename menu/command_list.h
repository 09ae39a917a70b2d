// The pure text work of the command launcher: the pending command list and
// its one-command-at-a-time splitting, the kinds of commands, the parts of a
// command line, and the play command built from a registry template. No
// window or shell calls here.
#pragma once
#include <cstddef>

namespace menu {

namespace commands {

const size_t kListSize = 260;     // the pending list: at most 259 bytes
const size_t kCommandSize = 260;  // one command

// A copy of an execute button's command list and the position of the next
// command in it.
class PendingList {
public:
    // Takes a copy of the list (cut to 259 bytes without splitting a
    // double-byte character); the first command is next.
    void assign(const char* list);
    // Copies the next command into out and moves past it. A rest that begins
    // with "@view" (any case) is one command to its end; otherwise the rest
    // is split at its first comma outside double quotes. Leading blanks and
    // empty commands are skipped. False when nothing is left.
    bool takeNext(char* out, size_t outSize);
    bool empty() const;
    void clear();
    const char* rest() const { return text_ + next_; }

private:
    char text_[kListSize] = "";
    size_t next_ = 0;
};

enum class Kind {
    View,     // "@view file": the menu's document window
    Web,      // "@http..." or "@ftp...": the address after "@"
    Program,  // a command line: "\"full path\" arguments"
};

// The kind of a command (keywords compared without case).
Kind kindOf(const char* command);

// The file of a "@view" command: the text after "@view" and one separator,
// up to the next blank or comma; a name in double quotes may hold both.
// Empty when the command names none.
void viewFileName(const char* command, char* out, size_t outSize);

// The web address of "@http..." / "@ftp..." commands: the text after "@"
// with trailing blanks removed.
void webAddress(const char* command, char* out, size_t outSize);

// Builds the play command of a media file from a registry command template:
// the template is upper-cased (double-byte aware), its first "%1" (or, when
// there is none, "%L") is replaced by the media path as plain text, and the
// result is split at the first blank after ".EXE" into program (quotes
// removed) and parameters (leading blanks skipped). A template without
// ".EXE" is split after its first token. False when there is no placeholder
// or the template is empty.
bool playCommand(const char* commandTemplate, const char* mediaPath, char* program, size_t programSize,
                 char* parameters, size_t parametersSize);

}  // namespace commands

}  // namespace menu
