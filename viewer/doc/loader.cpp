#include <windows.h>
#include <cctype>
#include <cstring>
#include <new>
#include <string>
#include "loader.h"
#include "path_text.h"
#include "sjis.h"
#include "acp_conv.h"
#include "code_conv.h"
#include "detect.h"
#include "doc_texts.h"
#include "line_split.h"
#include "row_store.h"
#include "settings.h"

namespace viewer {

namespace {

constexpr DWORD kChunk = 16384;
constexpr int kShareDenyWrite = 32;

// Load-time buffers: the chunk as read and the chunk converted.
struct LoadBuffers {
    unsigned char* raw = nullptr;
    unsigned char* conv = nullptr;
    bool ok() const { return raw && conv; }
    LoadBuffers()
        : raw(new (std::nothrow) unsigned char[kChunk + kConvSlack]),
          conv(new (std::nothrow) unsigned char[2 * kChunk + kConvSlack]) {}
    ~LoadBuffers() {
        delete[] raw;
        delete[] conv;
    }
};

class StoreAppender : public LineSink {
public:
    explicit StoreAppender(RowStore& store) : store_(store) {}
    bool line(const char* bytes, int len, bool continues) override {
        return store_.appendLine(bytes, len, continues) && !store_.errorReported();
    }

private:
    RowStore& store_;
};

void fullPath(const Document& doc, char* out, size_t size) {
    const char* name = doc.fileName;
    bool absolute = (name[0] && name[1] == ':') || (name[0] == '\\' && name[1] == '\\');
    out[0] = 0;
    if (!absolute && doc.folder[0]) {
        common::copyBounded(out, doc.folder, size);
        // The last byte may be the second byte of a double-byte character.
        if (!common::endsWithSeparator(out)) common::appendBounded(out, "\\", size);
    }
    common::appendBounded(out, name, size);
}

bool isWinIni(const char* path) {
    char winIni[MAX_PATH + 16];
    UINT n = GetWindowsDirectoryA(winIni, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return false;
    if (!common::endsWithSeparator(winIni)) common::appendBounded(winIni, "\\", sizeof winIni);
    common::appendBounded(winIni, "win.ini", sizeof winIni);
    char full[MAX_PATH];
    if (!GetFullPathNameA(path, MAX_PATH, full, nullptr)) return false;
    return lstrcmpiA(full, winIni) == 0;
}

void showWithName(MessageSink& sink, const char* name, int textId) {
    char text[600];
    common::copyBounded(text, name, 260);
    common::appendBounded(text, docText(textId), sizeof text);
    sink.show(text);
}

// Index just past the next backslash from `from` (double-byte aware), or the
// length of the path when there is none; *found tells which.
size_t pastSeparator(const char* path, size_t from, bool* found = nullptr) {
    size_t i = from;
    if (found) *found = false;
    while (path[i]) {
        unsigned char c = (unsigned char)path[i];
        if (common::isPathLeadByte(c) && path[i + 1]) {
            i += 2;
            continue;
        }
        ++i;
        if (c == '\\') {
            if (found) *found = true;
            break;
        }
    }
    return i;
}

// The path with every component as found on disk (FindFirstFileA): short
// 8.3 names become long ones and each name takes its case on disk. False
// when a component cannot be found.
bool longFormOf(const char* path, char* out, size_t size) {
    char full[MAX_PATH];
    DWORD n = GetFullPathNameA(path, sizeof full, full, nullptr);
    if (n == 0 || n >= sizeof full || std::strpbrk(full, "*?")) return false;
    size_t root;
    if (full[0] && full[1] == ':' && full[2] == '\\') {
        root = 3;
    } else if (full[0] == '\\' && full[1] == '\\') {
        root = pastSeparator(full, pastSeparator(full, 2));  // \\server\share\ stays
    } else {
        return false;
    }
    std::string result(full, root);
    for (size_t at = root; full[at];) {
        bool separator = false;
        const size_t next = pastSeparator(full, at, &separator);
        const bool last = !separator;
        std::string probe = result + std::string(full + at, last ? next - at : next - at - 1);
        WIN32_FIND_DATAA fd;
        HANDLE f = FindFirstFileA(probe.c_str(), &fd);
        if (f == INVALID_HANDLE_VALUE) return false;
        FindClose(f);
        result += fd.cFileName;
        if (!last) result += '\\';
        at = next;
    }
    if (result.size() >= size) return false;
    std::memcpy(out, result.c_str(), result.size() + 1);
    return true;
}

// Replaces the components of the document's path by their long forms, so
// that a short name or a name typed in another case shows (and compares
// with other viewers) as the file is really called. A name that does not
// exist, or that names folders of its own below the document folder, is
// kept as given.
void useLongForms(Document& doc, char* path, size_t pathSize) {
    const char* name = doc.fileName;
    const bool absolute = (name[0] && name[1] == ':') || (name[0] == '\\' && name[1] == '\\');
    if (!absolute && (!doc.folder[0] || common::lastSeparator(name))) return;
    char longPath[MAX_PATH];
    if (!longFormOf(path, longPath, sizeof longPath) || std::strcmp(longPath, path) == 0) return;
    const size_t n = std::strlen(longPath);
    if (absolute) {
        if (n >= sizeof doc.fileName) return;
        common::copyBounded(doc.fileName, longPath, sizeof doc.fileName, n);
    } else {
        const char* separator = common::lastSeparator(longPath);
        if (!separator || separator[1] == 0) return;
        const int sep = static_cast<int>(separator - longPath);
        // A root keeps its backslash (C:\), any other folder drops it.
        int folderLen = (sep == 2 && longPath[1] == ':') ? 3 : sep;
        if (size_t(folderLen) >= sizeof doc.folder || std::strlen(longPath + sep + 1) >= sizeof doc.fileName)
            return;
        common::copyBounded(doc.folder, longPath, sizeof doc.folder, size_t(folderLen));
        common::copyBounded(doc.fileName, longPath + sep + 1, sizeof doc.fileName);
    }
    common::copyBounded(path, longPath, pathSize, n);
}

// After a failed load the window shows an empty, untitled document.
void makeUntitled(Document& doc) {
    doc.fileName[0] = 0;
    doc.newFile = false;
    doc.readOnly = false;
    doc.requestedCode = kCodeAuto;
    doc.loadedCode = kCodeSjis;
    doc.writeTimeLow = doc.writeTimeHigh = 0;
}

HANDLE toHandle(HFILE h) { return reinterpret_cast<HANDLE>(static_cast<INT_PTR>(h)); }

// Reads up to n bytes; -1 on a read error.
long readBytes(HANDLE h, void* buf, DWORD n) {
    DWORD got = 0;
    if (!ReadFile(h, buf, n, &got, nullptr)) return -1;
    return long(got);
}

CharCode detectFromFile(HANDLE h, unsigned char* buf) {
    CodeDetector d;
    for (;;) {
        long got = readBytes(h, buf, kChunk);
        if (got <= 0) break;
        if (d.feed(buf, size_t(got)) != kCodeAuto) break;
    }
    return d.finish();
}

}  // namespace

void closeDocumentFile(Document& doc) {
    if (doc.file) CloseHandle(static_cast<HANDLE>(doc.file));
    doc.file = nullptr;
}

OpenResult openDocument(Document& doc, RowStore& store, const ViewerSettings& s, MessageSink& sink) {
    closeDocumentFile(doc);
    doc.newFile = false;
    doc.readOnly = false;
    doc.writeTimeLow = doc.writeTimeHigh = 0;
    char path[MAX_PATH + 1];
    fullPath(doc, path, sizeof path);
    useLongForms(doc, path, sizeof path);

    int share = s.lockMode == kShareDenyWrite ? OF_SHARE_DENY_WRITE : OF_SHARE_COMPAT;
    if (isWinIni(path) || (doc.readOnlyRequest && s.lockMode == kShareDenyWrite)) share = OF_SHARE_COMPAT;

    const DWORD attrs = GetFileAttributesA(path);
    const bool attrReadOnly = attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_READONLY);
    HFILE h = HFILE_ERROR;
    if (!doc.readOnlyRequest && attrs != INVALID_FILE_ATTRIBUTES && !attrReadOnly &&
        !(attrs & FILE_ATTRIBUTE_DIRECTORY))
        h = _lopen(path, OF_READWRITE | share);
    if (h != HFILE_ERROR) {
        if (share == OF_SHARE_DENY_WRITE) {
            // Keep others from writing, but hold the file for reading only.
            _lclose(h);
            h = _lopen(path, OF_READ | share);
            if (h == HFILE_ERROR) h = _lopen(path, OF_READ | OF_SHARE_COMPAT);
        }
    } else if (!(attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_DIRECTORY))) {
        h = _lopen(path, OF_READ | share);
        if (h != HFILE_ERROR) {
            doc.readOnly = true;
            if (!doc.readOnlyRequest && !attrReadOnly) showWithName(sink, doc.fileName, kTextWriteDenied);
        }
    }
    if (h == HFILE_ERROR) {
        store.clear();
        doc.newFile = true;
        doc.loadedCode = kCodeSjis;  // nothing is loaded
        WIN32_FIND_DATAA fd;
        HANDLE f = FindFirstFileA(path, &fd);
        if (f != INVALID_HANDLE_VALUE) {
            FindClose(f);
            showWithName(sink, doc.fileName, kTextCannotOpen);
            doc.fileName[0] = 0;
            return OpenResult::Failed;
        }
        return OpenResult::NewFile;
    }
    doc.file = toHandle(h);
    FILETIME written;
    if (GetFileTime(static_cast<HANDLE>(doc.file), nullptr, nullptr, &written)) {
        doc.writeTimeLow = written.dwLowDateTime;
        doc.writeTimeHigh = written.dwHighDateTime;
    }
    return OpenResult::Opened;
}

bool loadDocument(Document& doc, RowStore& store, const ViewerSettings& s, MessageSink& sink) {
    MessageSink* previous = store.messageSink();
    if (!previous) store.setMessageSink(&sink);
    store.clearError();
    store.resetRowLimit();
    store.clear();
    HANDLE h = static_cast<HANDLE>(doc.file);
    auto fail = [&](int textId) {
        if (textId) sink.show(docText(textId));
        store.clear();
        store.clearError();
        doc.requestedCode = kCodeAuto;
        if (!previous) store.setMessageSink(nullptr);
        return false;
    };
    if (!h || !store.reserved()) return fail(0);
    LoadBuffers buf;
    if (!buf.ok()) return fail(kTextNoMemory);
    if (s.memoryPages) {
        LARGE_INTEGER size;
        if (GetFileSizeEx(h, &size)) store.setFileSizeHint(uint64_t(size.QuadPart));
    }

    // Which code.
    SetFilePointer(h, 0, nullptr, FILE_BEGIN);
    const unsigned char requested = codeOf(doc.requestedCode);
    unsigned char code = requested;
    bool afterMark = false;
    if (requested == kCodeAuto || requested == kCodeUnicode) {
        unsigned char mark[2];
        long got = readBytes(h, mark, 2);
        if (got == 2 && mark[0] == 0xFF && mark[1] == 0xFE) {
            code = kCodeUnicode;
            afterMark = true;
        }
    }
    if (!afterMark) {
        SetFilePointer(h, 0, nullptr, FILE_BEGIN);
        if (requested == kCodeAuto) {
            code = kCodeSjis;
            const char* folder = doc.folder;
            if (std::isalpha((unsigned char)folder[0]) && folder[1] == ':' &&
                std::strchr(s.eucDrives, std::toupper((unsigned char)folder[0])) && s.eucDrives[0]) {
                code = kCodeEuc;
            } else if (s.detectEucJis) {
                code = detectFromFile(h, buf.raw);
                SetFilePointer(h, 0, nullptr, FILE_BEGIN);
            }
        } else if (requested > kCodeJis) {
            code = kCodeSjis;
        }
    }

    // Convert and split, chunk by chunk.
    StoreAppender appender(store);
    const FileTypeOptions& ft = s.fileType;
    LineSplitter splitter(appender, ft.tabWidth, !ft.proportionalFont, ft.ctrlZAsText);
    EucDecoder euc;
    JisDecoder jis;
    Utf16Chunker utf16;
    static AcpEncoder acp;
    for (;;) {
        long got = readBytes(h, buf.raw, kChunk);
        if (got < 0) return fail(kTextReadFailed);
        if (got == 0) break;
        const unsigned char* text = buf.raw;
        size_t n = size_t(got);
        switch (code) {
        case kCodeUnicode: {
            // The odd byte of a unit cut by the chunk end waits for the next chunk.
            alignas(4) unsigned char units[kChunk + 2];
            size_t bytes = utf16.take(buf.raw, n, units);
            n = acp.convert(reinterpret_cast<const uint16_t*>(units), bytes / 2, buf.conv);
            text = buf.conv;
            break;
        }
        case kCodeEuc:
            n = euc.convert(buf.raw, n, buf.conv);
            text = buf.conv;
            break;
        case kCodeJis:
            n = jis.convert(buf.raw, n, buf.conv);
            text = buf.conv;
            break;
        default:
            break;
        }
        if (!splitter.feed(text, n)) {
            if (splitter.stopped()) break;  // 0x1A ends the file
            return fail(0);                 // the store has said why
        }
        if (store.errorReported()) return fail(0);
    }
    splitter.finish();

    // A final line without a line end goes in front of "[EOF]".
    if (splitter.pendingLength() > 0 || splitter.continuedLine()) {
        if (!store.insertBytes(store.lastRow(), 0, splitter.pending(), splitter.pendingLength()) ||
            !store.rewrap(store.lastRow()) || store.errorReported())
            return fail(0);
    }

    unsigned char bits = splitter.lineEndBits();
    if (code == kCodeJis && !splitter.sawCr() && !splitter.sawLf()) bits = kLineEndLfOnly;
    doc.loadedCode = (code == kCodeAuto ? kCodeSjis : code) | bits;
    doc.requestedCode = kCodeAuto;
    store.currentRow = 0;
    store.currentColumn = 0;
    if (!previous) store.setMessageSink(nullptr);
    return true;
}

bool openAndLoad(Document& doc, RowStore& store, const ViewerSettings& s, MessageSink& sink) {
    switch (openDocument(doc, store, s, sink)) {
    case OpenResult::NewFile:
        doc.requestedCode = kCodeAuto;
        return true;
    case OpenResult::Failed:
        return false;
    case OpenResult::Opened:
        break;
    }
    bool ok = loadDocument(doc, store, s, sink);
    if (!ok || s.lockMode == 0) closeDocumentFile(doc);
    if (!ok) makeUntitled(doc);
    return ok;
}

bool reloadDocument(Document& doc, RowStore& store, const ViewerSettings& s, MessageSink& sink) {
    if (!doc.hasFile()) {
        MessageBeep(0);
        return false;
    }
    const int row = store.currentRow, column = store.currentColumn;
    doc.requestedCode = doc.loadedCode;
    if (!openAndLoad(doc, store, s, sink)) return false;
    if (row <= store.lastRow()) {
        // A row that became shorter keeps the caret at its end.
        const int end = store.textLength(row);
        store.currentRow = row;
        store.currentColumn = column < 0 ? 0 : column > end ? end : column;
    } else {
        store.currentRow = store.lastRow();
        store.currentColumn = store.textLength(store.lastRow());
    }
    return true;
}

}  // namespace viewer
