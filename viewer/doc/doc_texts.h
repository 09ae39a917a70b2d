// Messages of the document layer, by their string-table numbers, and the sink
// that shows them (message boxes in the viewer, a list in tests).
#pragma once

namespace viewer {

enum DocTextId {
    kTextNoMemory = 12,
    kTextPageFileCreate = 13,
    kTextPageFileWrite = 14,
    kTextPageFileRead = 15,
    kTextReadFailed = 16,
    kTextRowLimit = 18,
    kTextCannotOpen = 105,  // follows the file name
    kTextPageFileFull = 269,
    kTextWriteDenied = 274,  // follows the file name
    kTextNoStartChars = 394,
    kTextNoEndChars = 395,
};

// The Shift-JIS text of a message; "" for an unknown number.
const char* docText(int id);

class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void show(const char* text) = 0;
};

}  // namespace viewer
