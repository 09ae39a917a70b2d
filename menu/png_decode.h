// PNG pictures through libpng: a probe that reads the whole file into memory
// and finds the PNG signature (also behind a header of another format), and a
// decoder that turns the image into a bottom-up bitmap.
#pragma once
#include <windows.h>
#include "global_block.h"

namespace menu {

class cBmp;

class PngFile {
public:
    enum Error {
        kNone = 0,
        kOpenFailed = 1,
        kReadFailed = 2,
        kInitFailed = 3,
        kNotPng = 4,
        kNoMemory = 5,
        kZlibFailed = 6,
    };
    // Where libpng's errors and warnings go: a titled box by default.
    using Reporter = void (*)(const char* title, const char* text);
    static void setReporter(Reporter reporter);
    static Reporter reporter();

    PngFile() = default;
    PngFile(const PngFile&) = delete;
    PngFile& operator=(const PngFile&) = delete;

    // The probe: reads the file and looks for the PNG signature at its start
    // and, failing that, at every later offset. True when found.
    bool loadPng(const char* path);
    // Decodes the probed file into target. On failure the image is left
    // empty; libpng's own messages have gone to the reporter. The file's
    // memory is released either way.
    bool decodePng(cBmp& target);

    int errorCode() const { return error_; }
    // "'<file>'" followed by the message of the error code.
    const char* errorText() const { return errorText_; }
    // Offset of the signature in the file (valid after a successful probe).
    DWORD signatureOffset() const { return signature_; }

private:
    friend struct PngCallbacks;
    void fail(int code);

    GlobalBlock file_;
    DWORD fileSize_ = 0;
    DWORD signature_ = 0;
    DWORD position_ = 0;
    const unsigned char* data_ = nullptr;
    bool failed_ = false;
    // A warning box was shown for the picture being decoded: one is enough.
    bool warned_ = false;
    int error_ = kNone;
    char name_[MAX_PATH] = "";
    char errorText_[MAX_PATH + 64] = "";
};

}  // namespace menu
