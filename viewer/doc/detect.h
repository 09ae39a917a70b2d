// Automatic detection of EUC-JP, ISO-2022-JP and Shift-JIS from the start of
// a file. Two scans run over the bytes in windows of 256 bytes, the EUC scan
// first, so that within a window an EUC verdict wins. The file is examined in
// passes of 16382 bytes (a chunk buffer less its terminating zero and one
// byte carried over); each pass starts a fresh window, so the last window of
// a pass holds 254 bytes. No Win32.
#pragma once
#include <cstddef>
#include "char_code.h"

namespace viewer {

constexpr size_t kDetectWindow = 256;
constexpr size_t kDetectPass = 16382;

class CodeDetector {
public:
    // Feeds the next raw bytes; returns kCodeAuto while undecided, else the verdict.
    CharCode feed(const unsigned char* data, size_t n);
    // The verdict at the end of the file, after the last, partial window:
    // EUC when a good EUC pair was seen.
    CharCode finish();
    CharCode decided() const { return decided_; }
    long eucPairs() const { return eucPairs_; }

private:
    CharCode scanEuc(const unsigned char* p, size_t n);
    CharCode scanSjis(const unsigned char* p, size_t n);

    CharCode decided_ = kCodeAuto;
    long eucPairs_ = 0;
    int eucLead_ = -1;        // EUC scan: the byte whose partner comes next
    bool sjisTrail_ = false;  // Shift-JIS scan: a trail byte comes next
    int esc_ = 0;             // Shift-JIS scan: 1 after ESC, 2 after ESC $, 3 after ESC (
    // A window is scanned only when it is complete, so that the verdict does
    // not depend on how the bytes arrive; a window cut by the end of a read
    // waits here for the rest.
    void scanWindow(const unsigned char* p, size_t n);
    size_t windowSize() const {
        return kDetectPass - passFill_ < kDetectWindow ? kDetectPass - passFill_ : kDetectWindow;
    }
    unsigned char window_[kDetectWindow] = {};
    size_t held_ = 0;      // bytes of the current window waiting in window_
    size_t passFill_ = 0;  // bytes of the current pass already scanned
};

CharCode detectCode(const unsigned char* data, size_t n);

}  // namespace viewer
