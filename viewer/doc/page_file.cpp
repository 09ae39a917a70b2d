#include <windows.h>
#include <cstdio>
#include <cstring>
#include "page_file.h"
#include "doc_texts.h"

namespace viewer {

namespace {

constexpr int kSlotSize = 4 + kPageSize;  // a 32-bit in-use flag, then the page

// Every transfer opens the page file afresh, so no handle stays open between
// transfers and nothing is cached by the program.
class PageFileHandle {
public:
    explicit PageFileHandle(const char* name)
        : h_(CreateFileA(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~PageFileHandle() {
        if (ok()) CloseHandle(h_);
    }
    bool ok() const { return h_ != INVALID_HANDLE_VALUE; }
    bool seek(uint32_t pos) {
        return SetFilePointer(h_, LONG(pos), nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER;
    }
    HANDLE get() const { return h_; }

private:
    HANDLE h_;
};

}  // namespace

PageStore::~PageStore() { release(); }

void PageStore::fileError(int textId, unsigned long code) {
    if (errorReported_) return;
    errorReported_ = true;
    if (!sink_) return;
    char text[1024];
    std::snprintf(text, sizeof text, "%s\ncode = %lu\nfile name = %s", docText(textId), code, fileName_);
    sink_->show(text);
}

bool PageStore::createFile() {
    if (haveFile_) return true;
    char folder[MAX_PATH];
    DWORD n = GetTempPathA(sizeof folder, folder);
    if (n == 0 || n >= sizeof folder || !GetTempFileNameA(folder, "VANT", 0, fileName_)) {
        fileError(kTextPageFileCreate, GetLastError());
        fileName_[0] = 0;
        return false;
    }
    haveFile_ = true;
    fileEnd_ = 0;
    return true;
}

int PageStore::poolInUse() const {
    if (!pool_) return 0;
    const char* base = static_cast<const char*>(GlobalLock(pool_));
    int used = 0;
    for (int i = 0; i < poolSlots_; ++i) {
        uint32_t flag;
        std::memcpy(&flag, base + size_t(i) * kSlotSize, 4);
        if (flag) ++used;
    }
    GlobalUnlock(pool_);
    return used;
}

bool PageStore::growPool() {
    int want;
    if (!pool_) {
        want = 32;
        if (fileSizeHint_ > 262144) {
            uint64_t slots = fileSizeHint_ / kPageSize;
            want = slots > uint64_t(kMaxPoolSlots) ? kMaxPoolSlots : int(slots);
        }
    } else {
        want = poolSlots_ + 32;
        if (want > kMaxPoolSlots) want = kMaxPoolSlots;
    }
    if (want <= poolSlots_) return false;
    SIZE_T bytes = SIZE_T(want) * kSlotSize;
    HGLOBAL h = pool_ ? GlobalReAlloc(pool_, bytes, GMEM_MOVEABLE | GMEM_ZEROINIT)
                      : GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    if (!h) return false;
    pool_ = h;
    poolSlots_ = want;
    return true;
}

unsigned PageStore::allocatePoolSlot() {
    for (;;) {
        if (pool_) {
            char* base = static_cast<char*>(GlobalLock(pool_));
            for (int i = 0; i < poolSlots_; ++i) {
                char* slot = base + size_t(i) * kSlotSize;
                uint32_t flag;
                std::memcpy(&flag, slot, 4);
                if (!flag) {
                    flag = 1;
                    std::memcpy(slot, &flag, 4);
                    GlobalUnlock(pool_);
                    return unsigned(i);
                }
            }
            GlobalUnlock(pool_);
        }
        if (!growPool()) return kNoPage;
    }
}

unsigned PageStore::allocate() {
    if (usePool_) {
        unsigned slot = allocatePoolSlot();
        if (slot != kNoPage) return kFirstPoolPage + slot;
    }
    if (!createFile()) return kNoPage;
    if (freeCount_ > 0) {
        unsigned page = freePages_[0];
        --freeCount_;
        std::memmove(freePages_, freePages_ + 1, sizeof(unsigned) * size_t(freeCount_));
        std::memmove(freeCompanion_, freeCompanion_ + 1, sizeof(uint32_t) * size_t(freeCount_));
        return page;
    }
    if (fileEnd_ > kPageFileLimit - kPageSize) {
        if (!limitReported_) {
            limitReported_ = true;
            if (sink_) sink_->show(docText(kTextPageFileFull));
        }
        errorReported_ = true;
        return kNoPage;
    }
    unsigned page = fileEnd_ / kPageSize;
    fileEnd_ += kPageSize;
    return page;
}

void PageStore::free(unsigned page, uint32_t companionRow) {
    if (page == kNoPage) return;
    if (page >= kFirstPoolPage) {
        if (!pool_ || int(page - kFirstPoolPage) >= poolSlots_) return;
        char* base = static_cast<char*>(GlobalLock(pool_));
        uint32_t flag = 0;
        std::memcpy(base + size_t(page - kFirstPoolPage) * kSlotSize, &flag, 4);
        GlobalUnlock(pool_);
        return;
    }
    // A full list forgets the page: the file keeps it unused.
    if (freeCount_ >= kMaxFreePages) {
        ++forgotten_;
        return;
    }
    int at = 0;
    while (at < freeCount_ && freePages_[at] < page) ++at;
    if (at < freeCount_ && freePages_[at] == page) return;
    std::memmove(freePages_ + at + 1, freePages_ + at, sizeof(unsigned) * size_t(freeCount_ - at));
    std::memmove(freeCompanion_ + at + 1, freeCompanion_ + at, sizeof(uint32_t) * size_t(freeCount_ - at));
    freePages_[at] = page;
    freeCompanion_[at] = companionRow;
    ++freeCount_;
}

bool PageStore::write(unsigned page, const char* data) {
    ++generation_;
    if (page >= kFirstPoolPage) {
        if (!pool_ || int(page - kFirstPoolPage) >= poolSlots_) return false;
        char* base = static_cast<char*>(GlobalLock(pool_));
        std::memcpy(base + size_t(page - kFirstPoolPage) * kSlotSize + 4, data, kPageSize);
        GlobalUnlock(pool_);
        ++writes_;
        return true;
    }
    PageFileHandle f(fileName_);
    DWORD done = 0;
    if (!f.ok() || !f.seek(page * uint32_t(kPageSize)) ||
        !WriteFile(f.get(), data, kPageSize, &done, nullptr) || done != DWORD(kPageSize)) {
        fileError(kTextPageFileWrite, GetLastError());
        return false;
    }
    ++writes_;
    return true;
}

bool PageStore::read(unsigned page, char* data) {
    if (page >= kFirstPoolPage) {
        if (!pool_ || int(page - kFirstPoolPage) >= poolSlots_) return false;
        char* base = static_cast<char*>(GlobalLock(pool_));
        std::memcpy(data, base + size_t(page - kFirstPoolPage) * kSlotSize + 4, kPageSize);
        GlobalUnlock(pool_);
        ++reads_;
        return true;
    }
    PageFileHandle f(fileName_);
    DWORD done = 0;
    if (!f.ok() || !f.seek(page * uint32_t(kPageSize)) ||
        !ReadFile(f.get(), data, kPageSize, &done, nullptr) || done != DWORD(kPageSize)) {
        fileError(kTextPageFileRead, GetLastError());
        return false;
    }
    ++reads_;
    return true;
}

int PageStore::readRun(unsigned first, int count, char* data) {
    if (count <= 0) return 0;
    if (first >= kFirstPoolPage) {
        if (!pool_) return 0;
        const unsigned slot = first - kFirstPoolPage;
        if (slot >= unsigned(poolSlots_)) return 0;
        if (unsigned(count) > unsigned(poolSlots_) - slot) count = int(unsigned(poolSlots_) - slot);
        const char* base = static_cast<const char*>(GlobalLock(pool_));
        for (int i = 0; i < count; ++i)
            std::memcpy(data + size_t(i) * kPageSize, base + (size_t(slot) + size_t(i)) * kSlotSize + 4,
                        kPageSize);
        GlobalUnlock(pool_);
        ++runReads_;
        return count;
    }
    if (!haveFile_) return 0;
    const unsigned filePages = fileEnd_ / kPageSize;
    if (first >= filePages) return 0;
    if (unsigned(count) > filePages - first) count = int(filePages - first);
    // One opening for the whole run, closed again at once like every other
    // transfer: with the open-position-close cost paid per page, reading a
    // large document through would take seconds.
    PageFileHandle f(fileName_);
    DWORD done = 0;
    if (!f.ok() || !f.seek(first * uint32_t(kPageSize)) ||
        !ReadFile(f.get(), data, DWORD(count) * DWORD(kPageSize), &done, nullptr))
        return 0;
    ++runReads_;
    return int(done / DWORD(kPageSize));
}

void PageStore::reset() {
    ++generation_;
    if (haveFile_) {
        PageFileHandle f(fileName_);
        if (f.ok() && f.seek(0)) SetEndOfFile(f.get());
    }
    fileEnd_ = 0;
    freeCount_ = 0;
    forgotten_ = 0;
    if (pool_) {
        GlobalFree(pool_);
        pool_ = nullptr;
        poolSlots_ = 0;
    }
    limitReported_ = false;
}

void PageStore::release() {
    reset();
    if (haveFile_) {
        DeleteFileA(fileName_);
        haveFile_ = false;
        fileName_[0] = 0;
    }
}

}  // namespace viewer
