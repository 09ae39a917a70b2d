// The per-document state: name, open file, flags, requested and loaded code.
#pragma once
#include <cstdint>
#include "char_code.h"

namespace viewer {

struct Document {
    char fileName[260] = {};  // without folder
    char folder[260] = {};    // the document folder, also the process's current folder
    void* file = nullptr;     // open handle (HANDLE) or nullptr
    bool newFile = false;     // the named file did not exist
    bool readOnly = false;
    bool readOnlyRequest = false;
    unsigned char requestedCode = kCodeAuto;  // cleared after every load
    unsigned char loadedCode = kCodeSjis;     // with the line-end bits
    uint32_t writeTimeLow = 0, writeTimeHigh = 0;

    bool hasFile() const { return fileName[0] != 0 && !newFile; }
};

}  // namespace viewer
