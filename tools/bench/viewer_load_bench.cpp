// Whole loads into the row store, page file included, and the process's
// memory afterwards. Runs under Wine.
//
// usage: viewer_loadbench TINY_FILE FILE CODE   (CODE: 0 auto, 1 sjis, 2 utf16, 3 euc, 4 jis)
// Loads the tiny file, then FILE, and prints both times and the memory.
//        viewer_loadbench --pages COUNT
// Times the page file's transfers alone, in microseconds per page: COUNT
// new pages written one transfer each (the file opened and closed every
// time), then the same pages written again and read one transfer each, and
// written again through one handle held open.
#include <windows.h>
#include <psapi.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>
#include "doc_texts.h"
#include "loader.h"
#include "page_file.h"
#include "row_store.h"
#include "settings.h"

namespace {

class PrintSink : public viewer::MessageSink {
public:
    void show(const char* text) override { std::printf("message: %s\n", text); }
};

double loadSeconds(const char* path, unsigned char code, viewer::RowStore& store, viewer::ViewerSettings& s,
                   viewer::MessageSink& sink, bool* ok) {
    viewer::Document doc;
    std::strncpy(doc.fileName, path, sizeof doc.fileName - 1);
    doc.requestedCode = code;
    auto t0 = std::chrono::steady_clock::now();
    s.applyFileTypeOptions();
    *ok = viewer::openAndLoad(doc, store, s, sink);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

// Committed private memory of the process, summed over its address space
// (the counters of GetProcessMemoryInfo read 0 under Wine).
void memory(SIZE_T* priv, SIZE_T* working) {
    SIZE_T total = 0;
    MEMORY_BASIC_INFORMATION mbi;
    for (char* p = nullptr; VirtualQuery(p, &mbi, sizeof mbi) == sizeof mbi;) {
        if (mbi.State == MEM_COMMIT && mbi.Type == MEM_PRIVATE) total += mbi.RegionSize;
        char* next = static_cast<char*>(mbi.BaseAddress) + mbi.RegionSize;
        if (next <= p) break;
        p = next;
    }
    *priv = total;
    PROCESS_MEMORY_COUNTERS pmc = {};
    pmc.cb = sizeof pmc;
    GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc);
    *working = pmc.WorkingSetSize;
}

double seconds(std::chrono::steady_clock::time_point t0) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

int pageCosts(int count) {
    PrintSink sink;
    viewer::PageStore pages;
    pages.setMessageSink(&sink);
    std::vector<char> data(viewer::kPageSize, 'x');
    std::vector<unsigned> numbers;
    for (int i = 0; i < count; ++i) numbers.push_back(pages.allocate());
    if (numbers.empty() || numbers.back() == viewer::kNoPage) return 1;
    // New pages at the file's end, one transfer each, as a load wrote them.
    auto t0 = std::chrono::steady_clock::now();
    for (unsigned n : numbers)
        if (!pages.write(n, data.data())) return 1;
    const double extend1 = seconds(t0);
    // Pages already in the file, one transfer each.
    t0 = std::chrono::steady_clock::now();
    for (unsigned n : numbers)
        if (!pages.write(n, data.data())) return 1;
    const double write1 = seconds(t0);
    t0 = std::chrono::steady_clock::now();
    for (unsigned n : numbers)
        if (!pages.read(n, data.data())) return 1;
    const double read1 = seconds(t0);
    // The same page writes through one handle kept open.
    HANDLE h = CreateFileA(pages.fileName(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return 1;
    t0 = std::chrono::steady_clock::now();
    for (unsigned n : numbers) {
        DWORD done = 0;
        SetFilePointer(h, LONG(n * unsigned(viewer::kPageSize)), nullptr, FILE_BEGIN);
        if (!WriteFile(h, data.data(), viewer::kPageSize, &done, nullptr)) return 1;
    }
    const double held = seconds(t0);
    CloseHandle(h);
    pages.release();
    std::printf("pages=%d new_us=%.1f write_us=%.1f read_us=%.1f held_write_us=%.1f\n", count,
                extend1 * 1e6 / count, write1 * 1e6 / count, read1 * 1e6 / count,
                held * 1e6 / count);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--pages") == 0) return pageCosts(std::atoi(argv[2]));
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s TINY FILE CODE\n", argv[0]);
        return 2;
    }
    viewer::ViewerSettings& s = viewer::settings();
    s.fillDefaults();
    // VIEWER_BENCH_POOL=1 keeps the pages in memory instead of the page file.
    const char* pool = std::getenv("VIEWER_BENCH_POOL");
    s.memoryPages = pool && *pool == '1';
    PrintSink sink;
    viewer::RowStore store(s);
    store.setMessageSink(&sink);
    if (!store.reserve()) return 1;
    const unsigned char code = (unsigned char)std::atoi(argv[3]);
    SIZE_T priv0, ws0, priv1, ws1;
    bool ok1, ok2;
    double tiny = loadSeconds(argv[1], code, store, s, sink, &ok1);
    memory(&priv0, &ws0);
    double big = loadSeconds(argv[2], code, store, s, sink, &ok2);
    memory(&priv1, &ws1);
    WIN32_FILE_ATTRIBUTE_DATA d;
    unsigned long long size = 0;
    if (GetFileAttributesExA(argv[2], GetFileExInfoStandard, &d))
        size = (unsigned long long)d.nFileSizeHigh << 32 | d.nFileSizeLow;
    std::printf("ok=%d tiny_s=%.4f load_s=%.3f net_s=%.3f bytes=%llu MBps=%.1f rows=%d window=%d "
                "pagefile=%u private_before=%lu private_after=%lu working_after=%lu\n",
                ok1 && ok2, tiny, big, big - tiny, size, double(size) / 1048576.0 / (big - tiny),
                store.rowCount(), store.windowUsed(), store.pages().fileEnd(), (unsigned long)priv0,
                (unsigned long)priv1, (unsigned long)ws1);
    store.release();
    return ok1 && ok2 ? 0 : 1;
}
