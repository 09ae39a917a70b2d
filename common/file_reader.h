// A path plus an open file handle, for reading sounds, images and documents.
#pragma once
#include "path_name.h"

namespace common {

class FileReader : public PathName {
public:
    FileReader() = default;
    explicit FileReader(const char* path) : PathName(path) {}
    ~FileReader() override;
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;

    // Opens for sequential shared reading, only when isFile holds and no
    // handle is open yet. True when a handle is open afterwards.
    bool open();
    // Reads up to count bytes (opening when needed); 0 on failure or at end.
    DWORD read(void* buffer, DWORD count);
    void close();
    bool isOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE handle() const { return handle_; }

    // Reads the whole file into global memory one byte longer than the file;
    // that extra byte (and anything the read could not fill) is zero, so the
    // contents can be used as a string. Movable memory (GMEM_MOVEABLE,
    // zero-filled) when movable is set, fixed memory otherwise. With `locked`
    // given, *locked receives the locked pointer of movable memory (the
    // caller unlocks it) or the address of fixed memory. Returns null, having
    // opened nothing, when the file is not there; null also when memory is
    // short or the file cannot be opened.
    HGLOBAL readAll(bool movable, void** locked = nullptr, DWORD* size = nullptr);

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

}  // namespace common
