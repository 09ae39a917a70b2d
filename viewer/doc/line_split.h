// Splits converted Shift-JIS bytes into logical lines: CR, LF, CR LF and
// LF CR end lines, tabs are padded with zero bytes to their stop, NUL becomes
// a blank, Ctrl+Z follows the ctrlZAsText rule. No Win32.
#pragma once
#include <cstddef>

namespace viewer {

constexpr int kLineBufferSize = 8192;
constexpr int kLineSegment = 8186;

class LineSink {
public:
    virtual ~LineSink() = default;
    // A logical line's bytes; `continues` when the line goes on in the next call.
    virtual bool line(const char* bytes, int len, bool continues) = 0;
};

class LineSplitter {
public:
    LineSplitter(LineSink& sink, int tabWidth, bool padTabs, bool ctrlZAsText)
        : sink_(sink), tabMask_(tabWidth > 0 ? tabWidth - 1 : 7), padTabs_(padTabs),
          ctrlZAsText_(ctrlZAsText) {}

    // Feeds the next converted bytes. Returns false when the sink refused a
    // line (failed()) or 0x1A ended the file (stopped()).
    bool feed(const unsigned char* p, size_t n);
    // The end of the file: the text of an unterminated final line stays in
    // the buffer for the caller (put in front of "[EOF]").
    bool finish();

    const char* pending() const { return buf_; }
    int pendingLength() const { return len_; }
    bool stopped() const { return stopped_; }
    bool failed() const { return failed_; }
    bool sawCr() const { return sawCr_; }
    bool sawLf() const { return sawLf_; }
    bool sawCrLfPair() const { return sawPair_; }
    // The line-end bits of the loaded code: 0x40 LF only, 0x80 CR only.
    unsigned char lineEndBits() const;
    bool continuedLine() const { return continued_; }

private:
    bool endLine();
    bool flushSegment();

    LineSink& sink_;
    int tabMask_;
    bool padTabs_;
    bool ctrlZAsText_;
    char buf_[kLineBufferSize + 16];
    int len_ = 0;
    int prevEnd_ = 0;         // the line end just seen: 0, '\r' or '\n' (pairs with the other)
    bool heldCtrlZ_ = false;  // a 0x1A kept until we know it is not the last byte
    bool stopped_ = false, failed_ = false;
    bool sawCr_ = false, sawLf_ = false, sawPair_ = false;
    bool continued_ = false;  // part of the current line already went to the sink
};

}  // namespace viewer
