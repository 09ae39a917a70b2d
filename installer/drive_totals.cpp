#include "drive_totals.h"
#include "size_text.h"
#include <windows.h>
#include <cctype>

namespace installer {

namespace {

struct DriveRecord {
    bool used = false;
    char root[4] = "";
    unsigned long long bytes = 0;
    unsigned long long freeBytes = 0;
    bool freeRead = false;
};

int driveIndex(common::PathName& path) {
    const char* d = path.drive();
    if (!d[0]) {
        char cwd[MAX_PATH] = "";
        GetCurrentDirectoryA(sizeof cwd, cwd);
        if (cwd[1] != ':') return -1;
        return toupper((unsigned char)cwd[0]) - 'A';
    }
    int c = toupper((unsigned char)d[0]);
    return (c >= 'A' && c <= 'Z') ? c - 'A' : -1;
}

}  // namespace

unsigned long long freeBytes(const char* root) {
    typedef BOOL(WINAPI * FreeEx)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);
    HMODULE kernel = GetModuleHandleA("KERNEL32.DLL");
    FreeEx freeEx = kernel ? (FreeEx)GetProcAddress(kernel, "GetDiskFreeSpaceExA") : nullptr;
    if (freeEx) {
        ULARGE_INTEGER avail, total, totalFree;
        if (freeEx(root, &avail, &total, &totalFree)) return avail.QuadPart;
        return 0;
    }
    DWORD spc = 0, bps = 0, freeClusters = 0, clusters = 0;
    if (!GetDiskFreeSpaceA(root, &spc, &bps, &freeClusters, &clusters)) return 0;
    return (unsigned long long)spc * bps * freeClusters;
}

DriveTotals computeDriveTotals(const CopyList& files, const CopyList* archives,
                               bool (*archiveBytes)(const CopyEntry& archive, unsigned long long* bytes)) {
    DriveRecord records[26];
    auto add = [&](common::PathName& dest, unsigned long long bytes) {
        int i = driveIndex(dest);
        if (i < 0) return;
        DriveRecord& r = records[i];
        if (!r.used) {
            r.used = true;
            wsprintfA(r.root, "%c:\\", 'A' + i);
        }
        r.bytes += bytes;
    };
    for (const auto& e : files) {
        if (e->source.isFile()) add(e->destination, e->source.findData().nFileSizeLow);
    }
    if (archives && archiveBytes) {
        for (const auto& a : *archives) {
            unsigned long long bytes = 0;
            if (!archiveBytes(*a, &bytes)) break;  // its error was shown; the rest are not counted
            add(a->destination, bytes);
        }
    }
    DriveTotals t;
    for (int i = 0; i < 26; i++) {
        DriveRecord& r = records[i];
        if (!r.used) continue;
        if (!r.freeRead) {
            r.freeBytes = freeBytes(r.root);
            r.freeRead = true;
        }
        char buf[64];
        wsprintfA(buf, "%c:", 'A' + i);
        formatSize(r.bytes, buf + 2, sizeof buf - 2);
        t.required += buf;
        wsprintfA(buf, "%c:", 'A' + i);
        formatSize(r.freeBytes, buf + 2, sizeof buf - 2);
        t.free += buf;
    }
    return t;
}

}  // namespace installer
