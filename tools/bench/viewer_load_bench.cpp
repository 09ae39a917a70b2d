// Whole loads into the row store, page file included, and the process's
// memory afterwards. Runs under Wine.
//
// usage: viewer_loadbench TINY_FILE FILE CODE   (CODE: 0 auto, 1 sjis, 2 utf16, 3 euc, 4 jis)
// Loads the tiny file, then FILE, and prints both times and the memory.
#include <windows.h>
#include <psapi.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include "doc_texts.h"
#include "loader.h"
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

}  // namespace

int main(int argc, char** argv) {
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
