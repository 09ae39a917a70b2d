#include "linesplit.h"
#include "wrap.h"
#include <cstring>

namespace kv {

unsigned char LineSplitter::lineEndBits() const {
    if (sawLf_ && !sawCr_) return 0x40;
    if (sawCr_ && !sawLf_) return 0x80;
    return 0;
}

bool LineSplitter::endLine() {
    bool ok = sink_.line(buf_, len_, false);
    len_ = 0;
    lastWasLead_ = false;
    continued_ = false;
    if (!ok) failed_ = true;
    return ok;
}

// Hands a full buffer to the sink as a continued part of the line. A double-
// byte character is never cut: its lead byte stays for the next part.
bool LineSplitter::flushSegment() {
    int n = len_;
    if (lastWasLead_ && n > 1) --n;
    bool ok = sink_.line(buf_, n, true);
    std::memmove(buf_, buf_ + n, size_t(len_ - n));
    len_ -= n;
    continued_ = true;
    if (!ok) failed_ = true;
    return ok;
}

bool LineSplitter::feed(const unsigned char* p, size_t n) {
    if (stopped_ || failed_) return false;
    for (size_t i = 0; i < n; ++i) {
        unsigned c = p[i];
        if (heldCtrlZ_) {
            // More bytes follow, so the held 0x1A was not the file's last byte.
            heldCtrlZ_ = false;
            buf_[len_++] = 0x1A;
            lastWasLead_ = false;
            if (len_ >= kLineSegment && !flushSegment()) return false;
        }
        if (c == '\r' || c == '\n') {
            if (prevEnd_ && prevEnd_ != int(c)) {
                prevEnd_ = 0;           // second half of CR LF or LF CR
                sawPair_ = true;
                if (c == '\r') sawCr_ = true; else sawLf_ = true;
                continue;
            }
            prevEnd_ = int(c);
            if (c == '\r') sawCr_ = true; else sawLf_ = true;
            if (!endLine()) return false;
            continue;
        }
        prevEnd_ = 0;
        if (c == 0x1A) {
            if (!ctrlZAsText_) {
                stopped_ = true;
                return false;
            }
            heldCtrlZ_ = true;
            continue;
        }
        if (c == '\t' && padTabs_) {
            int fill = tabMask_ - (len_ & tabMask_);
            if (len_ + 1 + fill > kLineSegment && len_ > 0) {
                if (!flushSegment()) return false;
                fill = tabMask_ - (len_ & tabMask_);
            }
            buf_[len_++] = '\t';
            std::memset(buf_ + len_, 0, size_t(fill));
            len_ += fill;
            lastWasLead_ = false;
        } else {
            if (c == 0) c = ' ';
            buf_[len_++] = char(c);
            lastWasLead_ = lastWasLead_ ? false : isSjisLead((unsigned char)c);
        }
        if (len_ >= kLineSegment && !flushSegment()) return false;
    }
    return true;
}

bool LineSplitter::finish() {
    heldCtrlZ_ = false;         // a 0x1A that was the file's last byte is dropped
    return !failed_;
}

} // namespace kv
