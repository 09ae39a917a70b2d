// Searching a loaded document for a string, as the viewer's next-match
// command does: the file is loaded into the row store (page file or memory
// pages, as VIEWER_BENCH_POOL says), then a downward search runs from the
// top, once ignoring case and once case-sensitive. Runs under Wine.
//
// usage: search_bench FILE KEY
// Prints key=value pairs: the times, where the match was found, the size.
#include <windows.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include "doc_texts.h"
#include "loader.h"
#include "row_store.h"
#include "settings.h"
#include "store_rows.h"
#include "text_search.h"

namespace viewer {
// The benchmark links the row store and the searcher without the window's
// marks: no row is marked.
bool rowMarked(int) { return false; }
}  // namespace viewer

namespace {

class PrintSink : public viewer::MessageSink {
public:
    void show(const char* text) override { std::printf("message: %s\n", text); }
};

double now() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s FILE KEY\n", argv[0]);
        return 2;
    }
    viewer::ViewerSettings& s = viewer::settings();
    s.fillDefaults();
    const char* pool = std::getenv("VIEWER_BENCH_POOL");
    s.memoryPages = pool && *pool == '1';
    PrintSink sink;
    viewer::RowStore store(s);
    store.setMessageSink(&sink);
    if (!store.reserve()) return 1;
    viewer::Document doc;
    std::strncpy(doc.fileName, argv[1], sizeof doc.fileName - 1);
    doc.requestedCode = 1;
    s.applyFileTypeOptions();
    double t0 = now();
    bool ok = viewer::openAndLoad(doc, store, s, sink);
    double load = now() - t0;
    if (!ok) return 1;

    viewer::StoreRows rows(&store);
    viewer::TextSearcher searcher(&rows);
    viewer::TextPosition found;
    const char* names[2] = {"fold", "exact"};
    for (int exact = 0; exact < 2; ++exact) {
        viewer::SearchKey key = viewer::makeSearchKey(argv[2], exact == 1, false);
        const unsigned long long reads = store.pages().reads(), runs = store.pages().runReads();
        double t1 = now();
        bool hit = searcher.findDown(key, viewer::TextPosition{0, 0}, true, &found);
        double t = now() - t1;
        std::printf("%s_s=%.4f %s_row=%d %s_col=%d %s_page_reads=%llu %s_run_reads=%llu ", names[exact], t,
                    names[exact], hit ? found.row : -1, names[exact], hit ? found.column : -1, names[exact],
                    (unsigned long long)store.pages().reads() - reads, names[exact],
                    (unsigned long long)store.pages().runReads() - runs);
    }
    WIN32_FILE_ATTRIBUTE_DATA d;
    unsigned long long size = 0;
    if (GetFileAttributesExA(argv[1], GetFileExInfoStandard, &d))
        size = (unsigned long long)d.nFileSizeHigh << 32 | d.nFileSizeLow;
    std::printf("load_s=%.3f bytes=%llu rows=%d eof_row=%d\n", load, size, store.rowCount(),
                store.rowCount() - 1);
    store.release();
    return 0;
}
