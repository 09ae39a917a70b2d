#include "file_reader.h"
#include <cstring>

namespace common {

FileReader::~FileReader() { close(); }

bool FileReader::open() {
    if (isOpen()) return true;
    if (!isFile()) return false;
    handle_ = CreateFileA(full_, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_FLAG_SEQUENTIAL_SCAN | FILE_ATTRIBUTE_NORMAL, nullptr);
    return isOpen();
}

DWORD FileReader::read(void* buffer, DWORD count) {
    if (!buffer || count == 0) return 0;
    if (!isOpen() && !open()) return 0;
    DWORD got = 0;
    if (!ReadFile(handle_, buffer, count, &got, nullptr)) return 0;
    return got;
}

void FileReader::close() {
    if (isOpen()) {
        CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }
}

HGLOBAL FileReader::readAll(bool movable, void** locked, DWORD* size) {
    if (locked) *locked = nullptr;
    if (size) *size = 0;
    if (!isFile()) return nullptr;
    DWORD fileSize = foundSize();
    if (fileSize >= MAXDWORD - 1) return nullptr;
    HGLOBAL memory = GlobalAlloc(movable ? (GMEM_MOVEABLE | GMEM_ZEROINIT) : GMEM_FIXED, fileSize + 1);
    if (!memory) return nullptr;
    char* bytes = static_cast<char*>(GlobalLock(memory));
    if (!bytes || !open()) {
        if (bytes) GlobalUnlock(memory);
        GlobalFree(memory);
        return nullptr;
    }
    // The file may be shorter now than when it was found: read what is there
    // and zero the rest, so the block always ends in a terminator.
    DWORD total = 0;
    while (total < fileSize) {
        DWORD got = read(bytes + total, fileSize - total);
        if (got == 0) break;
        total += got;
    }
    close();
    std::memset(bytes + total, 0, fileSize + 1 - total);
    if (size) *size = total;
    if (locked)
        *locked = bytes;
    else
        GlobalUnlock(memory);
    return memory;
}

}  // namespace common
