#include "global_block.h"

namespace menu {

void* GlobalBlock::lock(DWORD* size) {
    if (!pointer_ && handle_) pointer_ = GlobalLock(handle_);
    if (size) *size = pointer_ ? size_ : 0;
    return pointer_;
}

void GlobalBlock::unlock() {
    if (handle_) {
        // GlobalLock counts (up to 255): unlock until the count reaches zero.
        for (int i = 0; i < 256 && (GlobalFlags(handle_) & GMEM_LOCKCOUNT); ++i) {
            if (!GlobalUnlock(handle_)) break;
        }
        if (GlobalFlags(handle_) & GMEM_DISCARDED) {
            handle_ = nullptr;
            size_ = 0;
        }
    }
    pointer_ = nullptr;
}

bool GlobalBlock::resize(DWORD bytes) {
    if (bytes == 0) bytes = 1;
    if (handle_ && bytes <= size_) return true;
    unlock();
    if (!handle_) {
        handle_ = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
        if (!handle_) return false;
    } else {
        HGLOBAL grown = GlobalReAlloc(handle_, bytes, GMEM_MOVEABLE | GMEM_ZEROINIT);
        if (!grown) return false;  // the old block stays valid and keeps its size
        handle_ = grown;
    }
    size_ = bytes;
    return true;
}

void GlobalBlock::release() {
    unlock();
    if (handle_) GlobalFree(handle_);
    handle_ = nullptr;
    size_ = 0;
}

}  // namespace menu
