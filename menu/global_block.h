// A block of movable global memory that is locked only while it is used.
#pragma once
#include <windows.h>

namespace menu {

class GlobalBlock {
public:
    GlobalBlock() = default;
    ~GlobalBlock() { release(); }
    GlobalBlock(const GlobalBlock&) = delete;
    GlobalBlock& operator=(const GlobalBlock&) = delete;

    // Locks the block on first use and returns its address (null when there
    // is no memory); *size, when given, receives the block's size in bytes.
    void* lock(DWORD* size = nullptr);
    // Undoes every outstanding lock. A block the system discarded forgets its
    // handle.
    void unlock();
    // Makes the block hold at least `bytes` bytes: allocates movable memory on
    // first use and reallocates only when more is asked than it holds; it
    // never shrinks. Contents up to the old size survive a reallocation.
    bool resize(DWORD bytes);
    // Unlocks and frees the memory.
    void release();

    DWORD size() const { return size_; }
    bool allocated() const { return handle_ != nullptr; }

private:
    void* pointer_ = nullptr;
    HGLOBAL handle_ = nullptr;
    DWORD size_ = 0;
};

}  // namespace menu
