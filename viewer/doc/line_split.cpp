#include "line_split.h"
#include "wrap.h"
#include <cstring>

namespace viewer {

unsigned char LineSplitter::lineEndBits() const {
    if (sawLf_ && !sawCr_) return 0x40;
    if (sawCr_ && !sawLf_) return 0x80;
    return 0;
}

bool LineSplitter::endLine() {
    bool ok = sink_.line(buf_, len_, false);
    len_ = 0;
    continued_ = false;
    if (!ok) failed_ = true;
    return ok;
}

// Hands a full buffer to the sink as a continued part of the line. A double-
// byte character is never cut: its lead byte stays for the next part.
bool LineSplitter::flushSegment() {
    int n = len_;
    int i = 0;
    while (i < len_ - 1) i += common::isCp932LeadByte((unsigned char)buf_[i]) ? 2 : 1;
    if (i == len_ - 1 && common::isCp932LeadByte((unsigned char)buf_[i]) && n > 1) --n;
    bool ok = sink_.line(buf_, n, true);
    std::memmove(buf_, buf_ + n, size_t(len_ - n));
    len_ -= n;
    continued_ = true;
    if (!ok) failed_ = true;
    return ok;
}

namespace {

// Bytes the splitter must look at one by one: line ends, tab, NUL, Ctrl+Z.
struct SpecialBytes {
    bool is[256] = {};
    SpecialBytes() { is['\r'] = is['\n'] = is['\t'] = is[0] = is[0x1A] = true; }
};
const SpecialBytes kSpecial;

}  // namespace

bool LineSplitter::feed(const unsigned char* p, size_t n) {
    if (stopped_ || failed_) return false;
    for (size_t i = 0; i < n; ++i) {
        if (!heldCtrlZ_ && !kSpecial.is[p[i]]) {
            // A run of ordinary bytes, up to the segment's end.
            size_t end = i + size_t(kLineSegment - len_);
            if (end > n) end = n;
            size_t j = i;
            while (j < end && !kSpecial.is[p[j]]) ++j;
            std::memcpy(buf_ + len_, p + i, j - i);
            len_ += int(j - i);
            prevEnd_ = 0;
            i = j - 1;
            if (len_ >= kLineSegment && !flushSegment()) return false;
            continue;
        }
        unsigned c = p[i];
        if (heldCtrlZ_) {
            // More bytes follow, so the held 0x1A was not the file's last byte.
            heldCtrlZ_ = false;
            buf_[len_++] = 0x1A;
            if (len_ >= kLineSegment && !flushSegment()) return false;
        }
        if (c == '\r' || c == '\n') {
            if (prevEnd_ && prevEnd_ != int(c)) {
                prevEnd_ = 0;  // second half of CR LF or LF CR
                sawPair_ = true;
                if (c == '\r')
                    sawCr_ = true;
                else
                    sawLf_ = true;
                continue;
            }
            prevEnd_ = int(c);
            if (c == '\r')
                sawCr_ = true;
            else
                sawLf_ = true;
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
        } else {
            buf_[len_++] = c == 0 ? ' ' : char(c);
        }
        if (len_ >= kLineSegment && !flushSegment()) return false;
    }
    return true;
}

bool LineSplitter::finish() {
    heldCtrlZ_ = false;  // a 0x1A that was the file's last byte is dropped
    return !failed_;
}

}  // namespace viewer
