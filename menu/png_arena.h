// The PNG decoder's memory: a chain of 64 KiB blocks filled front to back,
// first fit over the chain; a request larger than a block gets a block of its
// own at the end of the chain. Small pieces stay until the whole arena goes
// when a decode ends; a block of its own is given back as soon as its piece
// is released, so large chunk buffers freed by the library do not pile up.
#pragma once
#include <cstddef>

namespace menu {

class PngArena {
public:
    static const size_t kBlockBytes = 65536;

    PngArena() = default;
    ~PngArena() { releaseAll(); }
    PngArena(const PngArena&) = delete;
    PngArena& operator=(const PngArena&) = delete;

    // Makes the first block; false when there is no memory for it.
    bool init();
    // 16-byte aligned memory, or null when the system has none left.
    void* allocate(size_t bytes);
    // Gives back the block of a large request; small pieces wait for releaseAll.
    void release(void* memory);
    void releaseAll();

    size_t blockCount() const;

private:
    struct Block {
        Block* next;
        size_t capacity;
        size_t used;
        bool own;  // holds one large request
    };
    Block* newBlock(size_t capacity);

    Block* first_ = nullptr;
    Block* last_ = nullptr;
};

}  // namespace menu
