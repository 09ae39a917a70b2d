// Automatic detection of EUC-JP, ISO-2022-JP and Shift-JIS over the start of
// a file, in passes of up to 16382 bytes examined in 256-byte windows. No Win32.
#pragma once
#include <cstddef>
#include "charcode.h"

namespace kv {

class CodeDetector {
public:
    // Feeds the next raw bytes (a pass); returns kCodeAuto while undecided.
    CharCode feed(const unsigned char* data, size_t n);
    // At the end of the file without a decision.
    CharCode finish() const { return eucPairs_ > 0 ? kCodeEuc : kCodeSjis; }
    CharCode decided() const { return decided_; }
    // Bytes held back from the last pass (an unfinished pair or escape).
    size_t leftover() const { return leftN_; }
private:
    CharCode scanWindow(const unsigned char* p, size_t n, size_t end);
    CharCode decided_ = kCodeAuto;
    long eucPairs_ = 0;
    unsigned char left_[8] = {};
    size_t leftN_ = 0;
};

// Detects the code of a whole buffer (the file's start).
CharCode detectCode(const unsigned char* data, size_t n);

} // namespace kv
