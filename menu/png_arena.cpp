#include "png_arena.h"

#include <cstdint>
#include <cstdlib>

namespace menu {

namespace {
const size_t kAlign = 16;
size_t roundUp(size_t n) { return (n + kAlign - 1) & ~(kAlign - 1); }
// The block header is padded so that the data after it stays aligned.
const size_t kHeader = 32;
}  // namespace

PngArena::Block* PngArena::newBlock(size_t capacity) {
    // malloc guarantees only 8 bytes of alignment here: ask for slack and
    // align the start by hand.
    void* raw = std::malloc(kHeader + capacity + 2 * kAlign);
    if (!raw) return nullptr;
    uintptr_t base = (reinterpret_cast<uintptr_t>(raw) + sizeof(void*) + kAlign - 1) & ~(kAlign - 1);
    reinterpret_cast<void**>(base)[-1] = raw;
    Block* b = reinterpret_cast<Block*>(base);
    b->next = nullptr;
    b->capacity = capacity;
    b->used = 0;
    b->own = capacity > kBlockBytes;
    if (last_)
        last_->next = b;
    else
        first_ = b;
    last_ = b;
    return b;
}

bool PngArena::init() {
    releaseAll();
    return newBlock(kBlockBytes) != nullptr;
}

void* PngArena::allocate(size_t bytes) {
    if (bytes == 0) bytes = 1;
    if (bytes > static_cast<size_t>(-1) / 2) return nullptr;
    size_t need = roundUp(bytes);
    Block* b = nullptr;
    if (need <= kBlockBytes) {
        for (Block* p = first_; p; p = p->next)
            if (p->capacity - p->used >= need) {
                b = p;
                break;
            }
        if (!b) b = newBlock(kBlockBytes);
    } else {
        b = newBlock(need);
    }
    if (!b) return nullptr;
    char* data = reinterpret_cast<char*>(b) + kHeader + b->used;
    b->used += need;
    return data;
}

void PngArena::release(void* memory) {
    if (!memory) return;
    Block* previous = nullptr;
    for (Block* b = first_; b; previous = b, b = b->next) {
        if (!b->own || reinterpret_cast<char*>(b) + kHeader != memory) continue;
        if (previous)
            previous->next = b->next;
        else
            first_ = b->next;
        if (last_ == b) last_ = previous;
        std::free(reinterpret_cast<void**>(b)[-1]);
        return;
    }
}

void PngArena::releaseAll() {
    Block* b = first_;
    while (b) {
        Block* next = b->next;
        std::free(reinterpret_cast<void**>(b)[-1]);
        b = next;
    }
    first_ = last_ = nullptr;
}

size_t PngArena::blockCount() const {
    size_t n = 0;
    for (Block* b = first_; b; b = b->next) ++n;
    return n;
}

}  // namespace menu
