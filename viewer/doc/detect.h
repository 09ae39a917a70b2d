// Automatic detection of EUC-JP, ISO-2022-JP and Shift-JIS from the start of
// a file. Two scans run over the bytes in windows of 256 bytes, the EUC scan
// first, so that within a window an EUC verdict wins. No Win32.
#pragma once
#include <cstddef>
#include "charcode.h"

namespace kv {

class CodeDetector {
public:
    // Feeds the next raw bytes; returns kCodeAuto while undecided, else the verdict.
    CharCode feed(const unsigned char* data, size_t n);
    // The verdict at the end of the file: EUC when a good EUC pair was seen.
    CharCode finish() const;
    CharCode decided() const { return decided_; }
    long eucPairs() const { return eucPairs_; }

private:
    CharCode scanEuc(const unsigned char* p, size_t n);
    CharCode scanSjis(const unsigned char* p, size_t n);

    CharCode decided_ = kCodeAuto;
    long eucPairs_ = 0;
    int eucLead_ = -1;          // EUC scan: the byte whose partner comes next
    bool sjisTrail_ = false;    // Shift-JIS scan: a trail byte comes next
    int esc_ = 0;               // Shift-JIS scan: 1 after ESC, 2 after ESC $, 3 after ESC (
    size_t windowFill_ = 0;     // bytes of the current 256-byte window already seen
};

CharCode detectCode(const unsigned char* data, size_t n);

} // namespace kv
