// The viewer's file-name resolver over a small in-memory disc: folders
// whose names end in a character with second byte 0x5C, files with and
// without extensions, a second drive. Properties: the current folder is an
// existing folder afterwards; a name handed back holds no separator and its
// extension is "." or the name's own extension upper-cased (a UNC name
// comes back whole); a resolved
// document's folder exists; and a plain absolute name of an existing file
// comes back as that very file (folder and name, the separator kept).
#include <windows.h>

#include <string>

#include "file_names.h"
#include "file_system.h"
#include "fuzz_support.h"
#include "path_text.h"

namespace {

void makeDisc() {
    fakefs::enable();
    fakefs::addFile("C:\\DOCS\\readme.txt", "a");
    fakefs::addFile("C:\\DOCS\\\x90\xAC\x90\xD1\x95\x5C\\2024\\a.txt", "b");  // 成績表
    fakefs::addFile("C:\\DOCS\\\x90\xAC\x90\xD1\x95\x5C\\noext", "c");
    fakefs::addFile("C:\\DOCS\\long name.text.LOG", "d");
    fakefs::addFile("D:\\\x83\x5C\x83\x74\x83\x67\\\x95\x5C.TXT", "e");  // ソフト\表.TXT
    fakefs::addFile("D:\\TEXT\\b.TXT", "f");
    fakefs::state().nodes["C:\\EMPTY"] = fakefs::Node{true, 0x10, std::string()};
    SetCurrentDirectoryA("C:\\DOCS");
}

bool sameNoCase(const std::string& a, const std::string& b) {
    return !fakefs::NoCaseLess()(a, b) && !fakefs::NoCaseLess()(b, a);
}

// An absolute drive path of whole characters without patterns, doubled
// separators, "." or ".." levels or a trailing separator: the resolver must
// give such a name back unchanged.
bool plainAbsolute(const std::string& n) {
    if (n.size() < 4 || n[1] != ':' || n[2] != '\\' || n.back() == '\\') return false;
    if (!fuzz::wellFormed(n.c_str())) return false;
    bool afterSep = false;
    for (size_t i = 0; i < n.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(n[i]);
        if (fuzz::lead(c)) {
            ++i;
            afterSep = false;
            continue;
        }
        if (c == '*' || c == '?' || c == '/' || c < 0x20) return false;
        if (c == '\\' && afterSep) return false;
        if (c == '.' && afterSep) return false;
        afterSep = c == '\\';
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    makeDisc();
    const std::string name = fuzz::text(in, 400);
    bool notFound = false;
    viewer::ResolvedName r = viewer::resolveDocumentName(name, [&](const std::string& folder) {
        notFound = true;
        FUZZ_CHECK(!folder.empty());
    });

    char cur[MAX_PATH];
    FUZZ_CHECK(GetCurrentDirectoryA(MAX_PATH, cur) < MAX_PATH);
    FUZZ_CHECK(common::isExistingFolder(cur));

    if (!r.fileName.empty()) {
        // A UNC name comes back whole, with no folder to enter.
        if (!r.folder.empty()) FUZZ_CHECK(common::lastSeparator(r.fileName.c_str()) == nullptr);
        const char* dot = nullptr;
        for (const char* p = common::fileNamePart(r.fileName.c_str()); *p; ++p) {
            // Path names follow common/'s lead-byte rule.
            if (fuzz::commonLead(static_cast<unsigned char>(*p)) && p[1]) {
                ++p;
                continue;
            }
            if (*p == '.') dot = p;
        }
        std::string ext = dot ? std::string(dot) : std::string(".");
        CharUpperBuffA(&ext[0], DWORD(ext.size()));
        FUZZ_CHECK(r.extension == ext);
        if (!r.folder.empty()) FUZZ_CHECK(common::isExistingFolder(r.folder));
    }
    if (plainAbsolute(name) && common::isExistingFile(name)) {
        FUZZ_CHECK(!notFound);
        FUZZ_CHECK(sameNoCase(common::joinPath(r.folder, r.fileName), name));
    }
    fakefs::enable(false);
    fakeCurrentFolder().clear();
    return 0;
}
