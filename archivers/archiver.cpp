// One archiver library over libarchive. The same source is built three times
// with ARC_PREFIX (the export prefix, such as Unlha) and ARC_FORMAT_KIND (1 LZH,
// 2 ZIP, 3 CAB); every entry point is exported as prefix + suffix.
//
// Entries are written by this code, not by libarchive's disk writer, so that
// every name goes through safeEntryPath first and every path is created with
// Shift-JIS aware separator handling.
#include <windows.h>
#include <archive.h>
#include <archive_entry.h>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <new>
#include <set>
#include <string>
#include <vector>
#include "arc_command.h"
#include "arc_extract_info.h"
#include "arc_texts.h"
#include "entry_name.h"
#include "sjis.h"

using common::appendBounded;
using common::copyBounded;
using common::findChar;
using common::findLastChar;

#define ARC_CAT2(a, b) a##b
#define ARC_CAT(a, b) ARC_CAT2(a, b)
#define ARC_NAME(suffix) ARC_CAT(ARC_PREFIX, suffix)
#define ARC_API extern "C" __declspec(dllexport)

namespace {

const ArcFormat kFormat = static_cast<ArcFormat>(ARC_FORMAT_KIND);
const size_t kBlockSize = 64 * 1024;

HWND g_owner = nullptr;
ArcNotifyProc g_notifyProc = nullptr;
bool g_running = false;
UINT g_message = 0;

UINT extractMessage() {
    if (!g_message) g_message = RegisterWindowMessageA(ARC_EXTRACT_MESSAGE_NAME);
    return g_message;
}

// libarchive converts entry names through the C library's locale: without
// the system's code page (932) CP932 names in LZH come back empty and CAB
// names with a 0x5C second byte are cut. The caller's locale is put back
// afterwards.
class LocaleScope {
public:
    LocaleScope() {
        const char* old = std::setlocale(LC_ALL, nullptr);
        if (old) saved_ = old;
        std::setlocale(LC_ALL, "");
    }
    ~LocaleScope() {
        if (!saved_.empty()) std::setlocale(LC_ALL, saved_.c_str());
    }

private:
    std::string saved_;
};

// Marks the library busy for one call; a call made from inside a
// notification is refused instead of starting a second pass over shared state.
class RunningScope {
public:
    RunningScope() : entered_(!g_running) { g_running = true; }
    ~RunningScope() {
        if (entered_) g_running = false;
    }
    bool entered() const { return entered_; }

private:
    bool entered_;
};

// An entry as the callers see it.
struct EntryInfo {
    std::string name;  // Shift-JIS, as stored (separators as stored)
    unsigned long long size = 0;
    bool sizeKnown = false;
    bool isDirectory = false;
    bool isFile = false;
    time_t mtime = 0;
};

// libarchive reading an archive file opened with CreateFileA, so that
// Shift-JIS paths reach the system unchanged.
class Reader {
public:
    ~Reader() { close(); }

    int open(const char* path) {
        close();
        file_ = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        if (file_ == INVALID_HANDLE_VALUE) return ARC_ERROR_ARCHIVE_MISSING;
        buffer_.resize(kBlockSize);
        a_ = archive_read_new();
        if (!a_) return ARC_ERROR_NO_MEMORY;
        switch (kFormat) {
        case ArcFormat::Lzh:
            archive_read_support_format_lha(a_);
            break;
        case ArcFormat::Zip:
            // The seekable reader finds the archive through its central
            // directory, so a self-extracting program in front does not matter.
            archive_read_support_format_zip_seekable(a_);
            break;
        case ArcFormat::Cab:
            archive_read_support_format_cab(a_);
            break;
        }
        // Names without a UTF-8 flag are Shift-JIS on this disc.
        archive_read_set_options(a_, "hdrcharset=CP932");
        archive_read_set_callback_data(a_, this);
        archive_read_set_read_callback(a_, &Reader::readCallback);
        archive_read_set_seek_callback(a_, &Reader::seekCallback);
        archive_read_set_skip_callback(a_, &Reader::skipCallback);
        if (archive_read_open1(a_) != ARCHIVE_OK) return ARC_ERROR_NOT_ARCHIVE;
        return ARC_OK;
    }

    void close() {
        if (a_) archive_read_free(a_);
        a_ = nullptr;
        if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
        file_ = INVALID_HANDLE_VALUE;
        first_ = true;
    }

    // ARC_OK with the next entry, ARC_END_OF_ITEMS at the end, an error
    // otherwise (ARC_ERROR_NOT_ARCHIVE when the first header is unreadable).
    int next(EntryInfo& info) {
        archive_entry* entry = nullptr;
        int r = archive_read_next_header(a_, &entry);
        bool wasFirst = first_;
        first_ = false;
        if (r == ARCHIVE_EOF) return ARC_END_OF_ITEMS;
        if (r < ARCHIVE_WARN || !entry) return wasFirst ? ARC_ERROR_NOT_ARCHIVE : ARC_ERROR_BROKEN_ARCHIVE;
        info = EntryInfo();
        const char* name = archive_entry_pathname(entry);
        if (name) {
            info.name = name;
        } else if (const wchar_t* wide = archive_entry_pathname_w(entry)) {
            int n = WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
            if (n > 0) {
                std::vector<char> text(n);
                WideCharToMultiByte(CP_ACP, 0, wide, -1, text.data(), n, nullptr, nullptr);
                info.name = text.data();
            }
        }
        mode_t type = archive_entry_filetype(entry);
        info.isDirectory = type == AE_IFDIR;
        info.isFile = type == AE_IFREG;
        info.sizeKnown = archive_entry_size_is_set(entry) != 0;
        info.size = info.sizeKnown ? static_cast<unsigned long long>(archive_entry_size(entry)) : 0;
        info.mtime = archive_entry_mtime_is_set(entry) ? archive_entry_mtime(entry) : 0;
        return ARC_OK;
    }

    // Next block of the current entry's data: ARCHIVE_OK, ARCHIVE_EOF or an error.
    int block(const void** data, size_t* size) {
        la_int64_t offset = 0;
        return archive_read_data_block(a_, data, size, &offset);
    }

private:
    static la_ssize_t readCallback(archive*, void* self, const void** data) {
        Reader* r = static_cast<Reader*>(self);
        DWORD got = 0;
        if (!ReadFile(r->file_, r->buffer_.data(), static_cast<DWORD>(r->buffer_.size()), &got, nullptr))
            return -1;
        *data = r->buffer_.data();
        return static_cast<la_ssize_t>(got);
    }
    static la_int64_t seekCallback(archive*, void* self, la_int64_t offset, int whence) {
        Reader* r = static_cast<Reader*>(self);
        LARGE_INTEGER to, now;
        to.QuadPart = offset;
        DWORD method = whence == SEEK_SET ? FILE_BEGIN : whence == SEEK_CUR ? FILE_CURRENT : FILE_END;
        if (!SetFilePointerEx(r->file_, to, &now, method)) return ARCHIVE_FATAL;
        return now.QuadPart;
    }
    static la_int64_t skipCallback(archive* a, void* self, la_int64_t request) {
        Reader* r = static_cast<Reader*>(self);
        LARGE_INTEGER size, now, zero;
        zero.QuadPart = 0;
        if (!GetFileSizeEx(r->file_, &size) || !SetFilePointerEx(r->file_, zero, &now, FILE_CURRENT))
            return 0;
        la_int64_t left = size.QuadPart - now.QuadPart;
        if (request > left) request = left;
        if (request <= 0) return 0;
        return seekCallback(a, self, request, SEEK_CUR) < 0 ? 0 : request;
    }

    archive* a_ = nullptr;
    HANDLE file_ = INVALID_HANDLE_VALUE;
    std::vector<char> buffer_;
    bool first_ = true;
};

bool fileExists(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

DWORD clampSize(unsigned long long size) {
    return size > 0xFFFFFFFFull ? 0xFFFFFFFFu : static_cast<DWORD>(size);
}

FILETIME toFileTime(time_t t) {
    ULARGE_INTEGER v;
    v.QuadPart = (static_cast<unsigned long long>(t) + 11644473600ull) * 10000000ull;
    FILETIME ft;
    ft.dwLowDateTime = v.LowPart;
    ft.dwHighDateTime = v.HighPart;
    return ft;
}

// Appends one formatted line to the caller's output buffer, bounded by its size.
class Output {
public:
    Output(LPSTR buffer, DWORD size) : buffer_(buffer), size_(buffer ? size : 0) {
        if (size_) buffer_[0] = '\0';
    }
    void line(const char* format, const std::string& what) {
        if (!size_) return;
        std::vector<char> text(std::strlen(format) + what.size() + 1);
        std::snprintf(text.data(), text.size(), format, what.c_str());
        appendBounded(buffer_, text.data(), size_);
    }

private:
    LPSTR buffer_;
    DWORD size_;
};

// Sends one notification; true when the owner asks to stop.
bool notify(UINT type, ArcExtractInfo& info) {
    if (g_notifyProc) return g_notifyProc(g_owner, extractMessage(), type, &info) != FALSE;
    if (g_owner && IsWindow(g_owner))
        return SendMessageA(g_owner, extractMessage(), type, reinterpret_cast<LPARAM>(&info)) == 1;
    return false;
}

// Creates every folder of a path up to its last separator (or the whole
// path when folderToo), stepping over 0x5C second bytes.
bool createFolders(const std::string& path, bool folderToo) {
    std::vector<char> text(path.begin(), path.end());
    text.push_back('\0');
    char* start = text.data();
    // Skip the drive or the \\server\share part: those are never created.
    char* p = start;
    if (p[0] && p[1] == ':') p += 2;
    if (p[0] == '\\' && p[1] == '\\') {
        p = findChar(p + 2, '\\');
        if (p) p = findChar(p + 1, '\\');
        if (!p) return true;
    }
    for (char* sep = findChar(p + (*p == '\\' ? 1 : 0), '\\'); sep; sep = findChar(sep + 1, '\\')) {
        *sep = '\0';
        CreateDirectoryA(start, nullptr);
        *sep = '\\';
    }
    if (folderToo) CreateDirectoryA(start, nullptr);
    DWORD attributes = GetFileAttributesA(start);
    if (folderToo) return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    return true;
}

// The destination folder with one final separator, or empty for the current folder.
std::string folderPrefix(const std::string& folder) {
    if (folder.empty()) return std::string();
    std::vector<char> text(folder.begin(), folder.end());
    text.push_back('\0');
    const char* last = findLastChar(text.data(), '\\');
    const char* slash = findLastChar(text.data(), '/');
    size_t end = folder.size();
    bool endsWithSeparator = (last && static_cast<size_t>(last - text.data()) == end - 1) ||
                             (slash && static_cast<size_t>(slash - text.data()) == end - 1);
    std::string prefix = folder;
    if (endsWithSeparator) prefix.pop_back();
    for (char* s = findChar(&prefix[0], '/'); s; s = findChar(s + 1, '/')) *s = '\\';
    return prefix + "\\";
}

bool selected(const ArcCommand& cmd, const std::string& path) {
    if (!cmd.base.empty() && !isBelow(path, cmd.base)) return false;
    if (cmd.patterns.empty()) return true;
    // CAB names are matched whole, so "base\*" takes everything below base;
    // ZIP and LZH keep '*' inside one folder level and use "**" for more.
    bool crosses = kFormat == ArcFormat::Cab;
    for (const std::string& p : cmd.patterns)
        if (matchName(p, path, crosses, true)) return true;
    return false;
}

// Writes one file entry; ARC_OK, ARC_ERROR_USER_CANCEL, ARC_ERROR_BROKEN_ARCHIVE
// or ARC_ERROR_CANNOT_WRITE. A file left incomplete is removed.
int writeEntry(Reader& reader, const EntryInfo& entry, const std::string& dest, ArcExtractInfo& info) {
    info.fileSize = clampSize(entry.size);
    info.bytesWritten = 0;
    copyBounded(info.storedName, entry.name.c_str(), sizeof info.storedName);
    copyBounded(info.destName, dest.c_str(), sizeof info.destName);
    if (notify(ARC_NOTIFY_BEGIN, info)) return ARC_ERROR_USER_CANCEL;
    if (!createFolders(dest, false)) return ARC_ERROR_CANNOT_WRITE;
    DWORD attributes = GetFileAttributesA(dest.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesA(dest.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    HANDLE out =
        CreateFileA(dest.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) return ARC_ERROR_CANNOT_WRITE;
    int result = ARC_OK;
    unsigned long long written = 0;
    for (;;) {
        const void* data = nullptr;
        size_t size = 0;
        int r = reader.block(&data, &size);
        if (r == ARCHIVE_EOF) break;
        if (r < ARCHIVE_WARN) {
            result = ARC_ERROR_BROKEN_ARCHIVE;
            break;
        }
        DWORD done = 0;
        if (size && (!WriteFile(out, data, static_cast<DWORD>(size), &done, nullptr) || done != size)) {
            result = ARC_ERROR_CANNOT_WRITE;
            break;
        }
        written += size;
        info.bytesWritten = clampSize(written);
        if (size && notify(ARC_NOTIFY_PROGRESS, info)) {
            result = ARC_ERROR_USER_CANCEL;
            break;
        }
    }
    if (result == ARC_OK && entry.mtime) {
        FILETIME ft = toFileTime(entry.mtime);
        SetFileTime(out, nullptr, nullptr, &ft);
    }
    CloseHandle(out);
    if (result != ARC_OK) {
        // A partial file would look like a complete one to whoever finds it.
        DeleteFileA(dest.c_str());
        return result;
    }
    return notify(ARC_NOTIFY_END, info) ? ARC_ERROR_USER_CANCEL : ARC_OK;
}

// The extraction behind the command function.
int extract(const ArcCommand& cmd, Output& output) {
    Reader reader;
    int r = reader.open(cmd.archive.c_str());
    if (r != ARC_OK) return r;
    std::string prefix = folderPrefix(cmd.folder);
    if (!prefix.empty() && !createFolders(prefix, false)) {
        output.line(arc_texts::kCannotWrite, cmd.folder);
        return ARC_ERROR_CANNOT_WRITE;
    }
    ArcExtractInfo info = {};
    copyBounded(info.archiveName, cmd.archive.c_str(), sizeof info.archiveName);
    if (notify(ARC_NOTIFY_ARCHIVE, info)) return ARC_ERROR_USER_CANCEL;

    int refused = 0, unwritable = 0, matched = 0;
    for (;;) {
        EntryInfo entry;
        r = reader.next(entry);
        if (r == ARC_END_OF_ITEMS) break;
        if (r != ARC_OK) return r;
        if (!entry.isFile && !entry.isDirectory) continue;  // links and devices are never made
        std::string path;
        if (!safeEntryPath(entry.name, path)) {
            ++refused;
            output.line(arc_texts::kRefused, entry.name);
            continue;
        }
        if (!selected(cmd, path)) continue;
        ++matched;
        if (!cmd.keepFolders) {
            if (entry.isDirectory) continue;
            path = lastStep(path);
        }
        std::string dest = prefix + path;
        if (dest.size() >= MAX_PATH) {
            ++unwritable;
            output.line(arc_texts::kCannotWrite, dest);
            continue;
        }
        if (entry.isDirectory) {
            if (!createFolders(dest, true)) {
                ++unwritable;
                output.line(arc_texts::kCannotWrite, dest);
            }
            continue;
        }
        r = writeEntry(reader, entry, dest, info);
        if (r == ARC_ERROR_CANNOT_WRITE) {
            ++unwritable;
            output.line(arc_texts::kCannotWrite, dest);
            continue;
        }
        if (r != ARC_OK) return r;
    }
    if (refused) return ARC_ERROR_UNSAFE_NAME;
    if (unwritable) return ARC_ERROR_CANNOT_WRITE;
    if (!matched && (!cmd.patterns.empty() || !cmd.base.empty())) return ARC_ERROR_NOT_FOUND;
    return ARC_OK;
}

// An archive opened with OpenArchive: FindFirst reads it again from the start.
struct OpenedArchive {
    std::string path;
    DWORD mode = 0;
    Reader reader;
    std::string pattern;
    EntryInfo current;
    bool haveCurrent = false;
};

std::set<OpenedArchive*> g_opened;

OpenedArchive* opened(HARCHIVE handle) {
    OpenedArchive* a = static_cast<OpenedArchive*>(handle);
    return g_opened.count(a) ? a : nullptr;
}

void fillItem(const EntryInfo& entry, ArcItemInfo* info) {
    std::memset(info, 0, sizeof *info);
    info->originalSize = clampSize(entry.size);
    info->compressedSize = 0xFFFFFFFFu;  // libarchive does not report it for every format
    info->attributes = entry.isDirectory ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
    if (entry.mtime) {
        FILETIME ft = toFileTime(entry.mtime), local;
        FileTimeToLocalFileTime(&ft, &local);
        FileTimeToDosDateTime(&local, &info->date, &info->time);
    }
    copyBounded(info->fileName, entry.name.c_str(), sizeof info->fileName);
    for (char* s = findChar(info->fileName, '/'); s; s = findChar(s + 1, '/')) *s = '\\';
    const char* kinds[] = {"", "LZH", "ZIP", "CAB"};
    copyBounded(info->method, kinds[ARC_FORMAT_KIND], sizeof info->method);
}

bool matchesFind(const std::string& pattern, const EntryInfo& entry) {
    if (pattern.empty() || pattern == "*" || pattern == "*.*") return true;
    return matchName(pattern, entry.name, true, true);
}

int findFrom(OpenedArchive* a, ArcItemInfo* info) {
    for (;;) {
        EntryInfo entry;
        int r = a->reader.next(entry);
        if (r != ARC_OK) {
            a->haveCurrent = false;
            return r == ARC_ERROR_NOT_ARCHIVE ? ARC_ERROR_BROKEN_ARCHIVE : r;
        }
        if (!matchesFind(a->pattern, entry)) continue;
        a->current = entry;
        a->haveCurrent = true;
        if (info) fillItem(entry, info);
        return ARC_OK;
    }
}

}  // namespace

ARC_API int WINAPI ARC_NAME()(HWND owner, LPCSTR commandLine, LPSTR output, DWORD outputSize) {
    (void)owner;  // notifications follow SetOwnerWindow
    RunningScope running;
    if (!running.entered()) return ARC_ERROR_BUSY;
    try {
        Output out(output, outputSize);
        ArcCommand cmd;
        int r = parseCommand(commandLine, kFormat, false, cmd, fileExists);
        if (r != ARC_OK) return r;
        LocaleScope locale;
        return extract(cmd, out);
    } catch (const std::bad_alloc&) {
        return ARC_ERROR_NO_MEMORY;
    } catch (...) {
        return ARC_ERROR_BROKEN_ARCHIVE;
    }
}

ARC_API BOOL WINAPI ARC_NAME(CheckArchive)(LPCSTR archive, int mode) {
    if (!archive) return FALSE;
    RunningScope running;
    if (!running.entered()) return FALSE;
    try {
        LocaleScope locale;
        Reader reader;
        if (reader.open(archive) != ARC_OK) return FALSE;
        EntryInfo entry;
        int r = reader.next(entry);
        // An empty archive of the right kind is still one.
        if (r == ARC_END_OF_ITEMS) return TRUE;
        if (r != ARC_OK) return FALSE;
        if (mode != ARC_CHECK_FULL) return TRUE;
        // The full check reads every entry's data, so checksums are verified.
        for (;;) {
            const void* data;
            size_t size;
            int b;
            while ((b = reader.block(&data, &size)) == ARCHIVE_OK || b == ARCHIVE_WARN) {}
            if (b != ARCHIVE_EOF) return FALSE;
            r = reader.next(entry);
            if (r == ARC_END_OF_ITEMS) return TRUE;
            if (r != ARC_OK) return FALSE;
        }
    } catch (...) {
        return FALSE;
    }
}

ARC_API int WINAPI ARC_NAME(ExtractMem)(HWND owner, LPCSTR commandLine, LPBYTE buffer, DWORD bufferSize,
                                        time_t* time, LPWORD attributes, LPDWORD written) {
    (void)owner;
    if (written) *written = 0;
#ifdef ARC_WITHOUT_MEMORY_EXTRACTION
    // A build for the callers' tests: a library that cannot extract to
    // memory, so that their way round through a file is taken.
    (void)commandLine, (void)buffer, (void)bufferSize, (void)time, (void)attributes;
    return ARC_ERROR_UNKNOWN_COMMAND;
#endif
    if (!buffer && bufferSize) return ARC_ERROR_BAD_ARGUMENT;
    RunningScope running;
    if (!running.entered()) return ARC_ERROR_BUSY;
    try {
        ArcCommand cmd;
        int r = parseCommand(commandLine, kFormat, true, cmd);
        if (r != ARC_OK) return r;
        LocaleScope locale;
        Reader reader;
        r = reader.open(cmd.archive.c_str());
        if (r != ARC_OK) return r;
        for (;;) {
            EntryInfo entry;
            r = reader.next(entry);
            if (r == ARC_END_OF_ITEMS) return ARC_ERROR_NOT_FOUND;
            if (r != ARC_OK) return r;
            if (!entry.isFile) continue;
            // Nothing reaches the disk here, so any stored name may be read.
            if (!cmd.patterns.empty()) {
                bool hit = false;
                for (const std::string& p : cmd.patterns) hit = hit || matchName(p, entry.name, true, true);
                if (!hit) continue;
            }
            // The buffer takes what fits; the written size tells how much.
            DWORD filled = 0;
            for (;;) {
                const void* data = nullptr;
                size_t size = 0;
                int b = reader.block(&data, &size);
                if (b == ARCHIVE_EOF) break;
                if (b < ARCHIVE_WARN) return ARC_ERROR_BROKEN_ARCHIVE;
                size_t room = bufferSize - filled;
                size_t take = size < room ? size : room;
                if (take) std::memcpy(buffer + filled, data, take);
                filled += static_cast<DWORD>(take);
                if (filled == bufferSize) break;
            }
            if (written) *written = filled;
            if (time) *time = entry.mtime;
            if (attributes) *attributes = FILE_ATTRIBUTE_ARCHIVE;
            return ARC_OK;
        }
    } catch (const std::bad_alloc&) {
        return ARC_ERROR_NO_MEMORY;
    } catch (...) {
        return ARC_ERROR_BROKEN_ARCHIVE;
    }
}

ARC_API HARCHIVE WINAPI ARC_NAME(OpenArchive)(HWND owner, LPCSTR archive, DWORD mode) {
    (void)owner;
    if (!archive) return nullptr;
    try {
        LocaleScope locale;
        OpenedArchive* a = new OpenedArchive;
        a->path = archive;
        a->mode = mode;
        // The archive must be readable as this kind now, not only at FindFirst.
        EntryInfo entry;
        int r = a->reader.open(archive);
        if (r == ARC_OK) r = a->reader.next(entry);
        if (r != ARC_OK && r != ARC_END_OF_ITEMS) {
            delete a;
            return nullptr;
        }
        a->reader.close();
        g_opened.insert(a);
        return a;
    } catch (...) {
        return nullptr;
    }
}

ARC_API int WINAPI ARC_NAME(CloseArchive)(HARCHIVE handle) {
    OpenedArchive* a = opened(handle);
    if (!a) return ARC_ERROR_BAD_HANDLE;
    g_opened.erase(a);
    delete a;
    return ARC_OK;
}

ARC_API int WINAPI ARC_NAME(FindFirst)(HARCHIVE handle, LPCSTR pattern, ArcItemInfo* info) {
    OpenedArchive* a = opened(handle);
    if (!a) return ARC_ERROR_BAD_HANDLE;
    try {
        LocaleScope locale;
        // A pattern may come in double quotes (names with blanks).
        std::vector<std::string> tokens = splitCommandLine(pattern);
        a->pattern = tokens.empty() ? std::string() : tokens[0];
        if (tokens.size() > 1 && pattern && !findChar(pattern, '"')) a->pattern = pattern;
        int r = a->reader.open(a->path.c_str());
        if (r != ARC_OK) return r;
        return findFrom(a, info);
    } catch (...) {
        return ARC_ERROR_NO_MEMORY;
    }
}

ARC_API int WINAPI ARC_NAME(FindNext)(HARCHIVE handle, ArcItemInfo* info) {
    OpenedArchive* a = opened(handle);
    if (!a) return ARC_ERROR_BAD_HANDLE;
    if (!a->haveCurrent) return ARC_END_OF_ITEMS;
    try {
        LocaleScope locale;
        return findFrom(a, info);
    } catch (...) {
        return ARC_ERROR_NO_MEMORY;
    }
}

ARC_API int WINAPI ARC_NAME(GetOriginalSize)(HARCHIVE handle) {
    OpenedArchive* a = opened(handle);
    if (!a || !a->haveCurrent) return -1;
    return a->current.size > 0x7FFFFFFFull ? -1 : static_cast<int>(a->current.size);
}

ARC_API int WINAPI ARC_NAME(GetCompressedSize)(HARCHIVE handle) {
    // Not known for every format; -1 as for "no item".
    (void)handle;
    return -1;
}

ARC_API BOOL WINAPI ARC_NAME(SetOwnerWindow)(HWND owner) {
    if (!owner || !IsWindow(owner)) return FALSE;
    g_owner = owner;
    g_notifyProc = nullptr;
    extractMessage();
    return TRUE;
}

ARC_API BOOL WINAPI ARC_NAME(ClearOwnerWindow)(void) {
    g_owner = nullptr;
    g_notifyProc = nullptr;
    return TRUE;
}

ARC_API BOOL WINAPI ARC_NAME(SetOwnerWindowEx)(HWND owner, ArcNotifyProc proc) {
    g_owner = owner;
    g_notifyProc = proc;
    extractMessage();
    return TRUE;
}

ARC_API BOOL WINAPI ARC_NAME(KillOwnerWindowEx)(HWND owner) {
    if (owner != g_owner) return FALSE;
    g_owner = nullptr;
    g_notifyProc = nullptr;
    return TRUE;
}

ARC_API BOOL WINAPI ARC_NAME(GetRunning)(void) { return g_running ? TRUE : FALSE; }

// No cursor or background work of its own: accepted and ignored.
ARC_API BOOL WINAPI ARC_NAME(SetCursorMode)(BOOL mode) {
    (void)mode;
    return TRUE;
}

ARC_API BOOL WINAPI ARC_NAME(SetBackGroundMode)(BOOL mode) {
    (void)mode;
    return TRUE;
}
