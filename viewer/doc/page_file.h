// Backing store of the row store: 8192-byte pages in a temporary page file,
// or, with the memoryPages setting, in slots of a movable memory block.
// Page numbers (page address / 8192) below 0xE000 are page-file pages; from
// 0xE000 on they name pool slots.
#pragma once
#include <cstdint>

namespace viewer {

class MessageSink;

constexpr int kPageSize = 8192;
constexpr uint32_t kPageFileLimit = 469762048u;                  // 448 MB; pool addresses start here
constexpr unsigned kFirstPoolPage = kPageFileLimit / kPageSize;  // 0xE000
constexpr int kMaxFreePages = 150;
constexpr int kMaxPoolSlots = 8192;
constexpr unsigned kNoPage = 0xFFFFFFFFu;

class PageStore {
public:
    PageStore() = default;
    ~PageStore();
    PageStore(const PageStore&) = delete;
    PageStore& operator=(const PageStore&) = delete;

    void setMessageSink(MessageSink* sink) { sink_ = sink; }
    void setUsePool(bool on) { usePool_ = on; }
    void setFileSizeHint(uint64_t bytes) { fileSizeHint_ = bytes; }

    // A page number, or kNoPage after the failure was reported.
    unsigned allocate();
    void free(unsigned page, uint32_t companionRow = 0);
    bool write(unsigned page, const char* data);  // exactly 8192 bytes
    bool read(unsigned page, char* data);         // exactly 8192 bytes
    // Reads up to `count` consecutive pages from `first` into `data` in one
    // transfer, for reading through the document without moving pages into
    // the text window. Pages past the file's end or the pool are left out.
    // Returns the number of whole pages read; 0 on failure, which is not
    // reported: the caller falls back to read(), which reports it.
    int readRun(unsigned first, int count, char* data);
    // Changes whenever a page's bytes may have changed (a write or a reset),
    // so that copies taken by readRun can tell they are stale.
    uint64_t generation() const { return generation_; }

    // Truncates the page file (kept), empties the free list, releases the pool.
    void reset();
    // Deletes the page file and releases the pool.
    void release();

    bool errorReported() const { return errorReported_; }
    void clearError() { errorReported_ = false; }
    // Moves the end of the page file on without writing (tests of the size limit).
    void setFileEnd(uint32_t end) { fileEnd_ = end; }

    // Introspection.
    const char* fileName() const { return fileName_; }
    uint32_t fileEnd() const { return fileEnd_; }
    int freeCount() const { return freeCount_; }
    unsigned freePage(int i) const { return freePages_[i]; }
    int forgotten() const { return forgotten_; }  // pages the full free list could not take
    int poolSlots() const { return poolSlots_; }
    int poolInUse() const;
    uint64_t reads() const { return reads_; }
    uint64_t writes() const { return writes_; }
    uint64_t runReads() const { return runReads_; }  // readRun transfers

private:
    bool createFile();
    bool growPool();
    unsigned allocatePoolSlot();
    char* poolSlot(unsigned page);
    void fileError(int textId, unsigned long code);

    MessageSink* sink_ = nullptr;
    bool usePool_ = false;
    uint64_t fileSizeHint_ = 0;
    bool errorReported_ = false;
    bool limitReported_ = false;

    char fileName_[260] = {};
    bool haveFile_ = false;
    uint32_t fileEnd_ = 0;

    unsigned freePages_[kMaxFreePages] = {};
    uint32_t freeCompanion_[kMaxFreePages] = {};
    int freeCount_ = 0;

    void* pool_ = nullptr;  // movable global memory: slots of a 32-bit in-use flag + 8192 bytes
    int poolSlots_ = 0;

    int forgotten_ = 0;
    uint64_t reads_ = 0, writes_ = 0, runReads_ = 0;
    uint64_t generation_ = 0;
};

}  // namespace viewer
