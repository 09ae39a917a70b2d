#include "png_decode.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <png.h>

#include "cbmp.h"
#include "file_reader.h"
#include "image_geometry.h"
#include "menu_texts.h"
#include "png_arena.h"
#include "message_box.h"

namespace menu {

namespace {

const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// At most this many ancillary chunks are looked at, and no chunk gets more
// than this much memory (pictures within the size limit need far less).
const png_uint_32 kChunkCacheMax = 128;
const png_alloc_size_t kChunkMallocMax = 8u << 20;

// Ancillary chunks that never change the pixels as drawn here: texts,
// profiles and colour-space notes (no colour management is done), times,
// physical sizes, suggested palettes, histograms, backgrounds and offsets.
const png_byte kIgnoredChunks[] = "tEXt\0zTXt\0iTXt\0iCCP\0sPLT\0tIME\0pHYs\0hIST\0bKGD\0"
                                  "oFFs\0pCAL\0sCAL\0sBIT\0cHRM\0sRGB\0gAMA\0eXIf";

void showBox(const char* title, const char* text) { common::showMessageBox(nullptr, text, title, MB_OK); }

PngFile::Reporter g_reporter = showBox;

}  // namespace

void PngFile::setReporter(Reporter r) { g_reporter = r ? r : showBox; }
PngFile::Reporter PngFile::reporter() { return g_reporter; }

// libpng's callbacks; they reach the decoder through the pointers libpng keeps.
struct PngCallbacks {
    static void error(png_structp png, png_const_charp message) {
        PngFile* self = static_cast<PngFile*>(png_get_error_ptr(png));
        if (self) self->failed_ = true;
        g_reporter(imagetext::kPngErrorTitle, message ? message : "");
        png_longjmp(png, 1);
    }
    static void warning(png_structp png, png_const_charp message) {
        // A picture with hundreds of damaged ancillary chunks would otherwise
        // raise hundreds of boxes, one after the other.
        PngFile* self = static_cast<PngFile*>(png_get_error_ptr(png));
        if (self) {
            if (self->warned_) return;
            self->warned_ = true;
        }
        g_reporter(imagetext::kPngWarningTitle, message ? message : "");
    }
    static void read(png_structp png, png_bytep out, size_t count) {
        PngFile* self = static_cast<PngFile*>(png_get_io_ptr(png));
        if (!self || !self->data_ || count > self->fileSize_ - self->position_) png_error(png, "Read Error");
        std::memcpy(out, self->data_ + self->position_, count);
        self->position_ += static_cast<DWORD>(count);
    }
    static png_voidp allocate(png_structp png, png_alloc_size_t bytes) {
        return static_cast<PngArena*>(png_get_mem_ptr(png))->allocate(bytes);
    }
    static void release(png_structp png, png_voidp memory) {
        static_cast<PngArena*>(png_get_mem_ptr(png))->release(memory);
    }

    static bool readImage(PngFile* self, png_structp png, png_infop info, cBmp& target);
};

void PngFile::fail(int code) {
    error_ = code;
    std::snprintf(errorText_, sizeof errorText_, "'%s'%s", name_, imagetext::kPngProbeMessages[code]);
    file_.release();
    data_ = nullptr;
}

bool PngFile::loadPng(const char* path) {
    file_.release();
    data_ = nullptr;
    fileSize_ = signature_ = position_ = 0;
    error_ = kNone;
    errorText_[0] = '\0';
    lstrcpynA(name_, path ? path : "", sizeof name_);
    if (!path || !*path) {
        fail(kOpenFailed);
        return false;
    }
    common::FileReader file(path);
    if (!file.isFile() || !file.open()) {
        fail(kOpenFailed);
        return false;
    }
    DWORD size = file.foundSize();
    if (size == MAXDWORD || !file_.resize(size + 1)) {
        fail(kNoMemory);
        return false;
    }
    unsigned char* data = static_cast<unsigned char*>(file_.lock());
    if (!data) {
        fail(kNoMemory);
        return false;
    }
    DWORD got = 0;
    while (got < size) {
        DWORD n = file.read(data + got, size - got);
        if (n == 0) break;
        got += n;
    }
    if (got != size) {
        fail(kReadFailed);
        return false;
    }
    // A header of another format may stand in front of the PNG data.
    bool found = false;
    for (DWORD at = 0; size >= sizeof kSignature && at <= size - sizeof kSignature; ++at) {
        if (std::memcmp(data + at, kSignature, sizeof kSignature) == 0) {
            signature_ = at;
            found = true;
            break;
        }
    }
    if (!found) {
        fail(kNotPng);
        return false;
    }
    fileSize_ = size;
    position_ = signature_ + sizeof kSignature;
    file_.unlock();
    return true;
}

bool PngCallbacks::readImage(PngFile* self, png_structp png, png_infop info, cBmp& target) {
    if (setjmp(png_jmpbuf(png))) return false;

    png_set_sig_bytes(png, sizeof kSignature);
#if defined(PNG_SET_OPTION_SUPPORTED) && defined(PNG_SKIP_sRGB_CHECK_PROFILE)
    // Colour profiles are not used here; checking them only produces
    // warnings about common editors' profiles, each of which would be a box.
    png_set_option(png, PNG_SKIP_sRGB_CHECK_PROFILE, PNG_OPTION_ON);
#endif
    png_set_user_limits(png, imagegeom::kMaxSide, imagegeom::kMaxSide);
    // A small file may carry many large compressed chunks: their number and
    // the memory one chunk may take are bounded.
    png_set_chunk_cache_max(png, kChunkCacheMax);
    png_set_chunk_malloc_max(png, kChunkMallocMax);
#ifdef PNG_HANDLE_AS_UNKNOWN_SUPPORTED
    // Chunks that cannot change what is drawn are skipped unread (their
    // checksums are still checked), unknown ones too.
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, 0);
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, kIgnoredChunks,
                                static_cast<int>(sizeof kIgnoredChunks / 5));
#endif
    png_read_info(png, info);
    png_set_bgr(png);
    png_set_strip_16(png);

    int colorType = png_get_color_type(png, info);
    int depth = png_get_bit_depth(png, info);
    int width = static_cast<int>(png_get_image_width(png, info));
    int height = static_cast<int>(png_get_image_height(png, info));
    int bitmapDepth = 24;
    switch (colorType) {
    case PNG_COLOR_TYPE_GRAY:
    case PNG_COLOR_TYPE_GRAY_ALPHA:
        // Grey becomes BGR triples (low depths are widened to 8 bits on the
        // way); the alpha of grey-alpha images is dropped so that every row
        // still has three bytes a pixel.
        png_set_gray_to_rgb(png);
        if (colorType == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_strip_alpha(png);
        break;
    case PNG_COLOR_TYPE_PALETTE:
        // 1, 4 and 8 bit rows already have the bitmap layout; bitmaps have no
        // 2-bit form, so those rows are widened to a byte a pixel.
        if (depth == 2) png_set_packing(png);
        bitmapDepth = depth == 2 ? 8 : depth;
        break;
    case PNG_COLOR_TYPE_RGB_ALPHA:
        png_set_invert_alpha(png);
        bitmapDepth = 32;
        break;
    default:
        break;
    }
    int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);

    if (!target.createBlank(width, height, bitmapDepth)) png_error(png, "Image is too large");
    if (png_get_rowbytes(png, info) > target.stride()) png_error(png, "Unexpected row size");

    BITMAPINFO* bi = target.lockInfo();
    if (!bi) png_error(png, "Out of memory");
    if (colorType == PNG_COLOR_TYPE_PALETTE) {
        png_colorp palette = nullptr;
        int count = 0;
        if (png_get_PLTE(png, info, &palette, &count) && palette) {
            if (count > 256) count = 256;
            for (int i = 0; i < count; ++i) {
                bi->bmiColors[i].rgbRed = palette[i].red;
                bi->bmiColors[i].rgbGreen = palette[i].green;
                bi->bmiColors[i].rgbBlue = palette[i].blue;
                bi->bmiColors[i].rgbReserved = 0;
            }
            // The colour count stays at 236 to leave the static colours of a
            // 256-colour screen alone, but GDI must still be given the entries
            // beyond it, or pixels using them come out black.
            if (bitmapDepth == 8 && count > 236) bi->bmiHeader.biClrUsed = static_cast<DWORD>(count);
        }
    } else if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA) {
        for (int i = 0; i < 256; ++i) {
            bi->bmiColors[i].rgbRed = bi->bmiColors[i].rgbGreen = bi->bmiColors[i].rgbBlue =
                static_cast<BYTE>(i);
            bi->bmiColors[i].rgbReserved = 0;
        }
    }

    BYTE* bits = target.lockBits();
    if (!bits) png_error(png, "Out of memory");
    DWORD stride = target.stride();
    // PNG rows run top down; the bitmap keeps its last row first.
    for (int pass = 0; pass < passes; ++pass)
        for (int y = 0; y < height; ++y)
            png_read_row(png, bits + static_cast<DWORD>(height - 1 - y) * stride, nullptr);
    target.unlock();
    (void)self;
    return true;
}

bool PngFile::decodePng(cBmp& target) {
    target.clear();
    data_ = static_cast<const unsigned char*>(file_.lock());
    if (!data_) {
        if (error_ == kNone) fail(kNotPng);
        return false;
    }
    failed_ = false;
    warned_ = false;
    bool ok = false;
    PngArena arena;
    if (!arena.init()) {
        fail(kNoMemory);
        return false;
    }
    png_structp png =
        png_create_read_struct_2(PNG_LIBPNG_VER_STRING, this, PngCallbacks::error, PngCallbacks::warning,
                                 &arena, PngCallbacks::allocate, PngCallbacks::release);
    if (!png) {
        fail(kZlibFailed);
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (!info) {
        fail(kInitFailed);
    } else {
        png_set_read_fn(png, this, PngCallbacks::read);
        ok = PngCallbacks::readImage(this, png, info, target) && !failed_;
    }
    png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
    arena.releaseAll();
    file_.release();
    data_ = nullptr;
    if (!ok) target.clear();
    return ok;
}

}  // namespace menu
