// The row store driven by random operations: loading appends (some lines in
// parts), byte inserts and deletes, row inserts and deletes, line-end flags,
// re-wrapping and page-ins, with the page file in the in-memory file system
// or the memory page pool, a small row limit, and (in one mode) page-file
// transfers that fail. After every operation: the store's own invariant
// check, the "[EOF]" mark at the end of the last row, and the document's
// bytes as the operation says they should be (a page-in or re-wrap changes
// no byte, an insert adds exactly its bytes, a delete removes what it
// covers).
#include <cstdint>
#include <string>

#include <windows.h>

#include "doc_texts.h"
#include "fuzz_support.h"
#include "row_store.h"
#include "settings.h"

namespace {

using viewer::RowStore;

struct Sink : viewer::MessageSink {
    void show(const char*) override {}
};

// Every row's text joined, a '\n' after each row that ends a line (rows
// never hold '\n': the harness keeps it out of what it inserts).
bool documentOf(RowStore& s, std::string* out) {
    out->clear();
    for (int r = 0; r <= s.lastRow(); ++r) {
        const char* t = s.text(r);
        if (!t) return false;
        out->append(t, size_t(s.textLength(r)));
        if (s.endsLine(r)) out->push_back('\n');
    }
    return true;
}

// Text to insert: no tabs or zero bytes (re-wrapping expands tabs and drops
// padding) and no '\n' (the harness's line-end marker).
std::string textFrom(FuzzedDataProvider& in, size_t max) {
    std::string t = in.ConsumeBytesAsString(in.ConsumeIntegralInRange<size_t>(0, max));
    for (char& c : t)
        if (c == '\t' || c == '\n' || c == '\0') c = 'x';
    return t;
}

void check(RowStore& s) {
    char why[256];
    if (!s.checkInvariants(why, sizeof why)) {
        std::fprintf(stderr, "invariant: %s\n", why);
        fuzz::fail("row store invariant");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    // FUZZ_TRACE=1 lists the operations (for reading a saved input).
    static const bool trace = std::getenv("FUZZ_TRACE") != nullptr;
    fakefs::enable();
    const uint8_t mode = in.ConsumeIntegral<uint8_t>();
    const bool failures = (mode & 1) != 0;
    uint32_t failSeed = in.ConsumeIntegral<uint32_t>();
    if (failures)
        fakefs::state().fail = [&failSeed](const char* op, const std::string&) {
            // One transfer in about 16 fails; memory never does.
            if (op[0] == 'V' || op[0] == 'G') return false;
            failSeed = failSeed * 1103515245u + 12345u;
            return (failSeed >> 16) % 16 == 0;
        };

    viewer::ViewerSettings settings;
    settings.fillDefaults();
    settings.memoryPages = (mode & 2) != 0;
    settings.maxRows = in.ConsumeIntegralInRange<int>(16, 600);
    settings.fileType.foldColumns = in.ConsumeIntegralInRange<int>(0, 1100);
    Sink sink;
    {
        RowStore s(settings);
        s.setMessageSink(&sink);
        if (!s.reserve()) return 0;
        check(s);
        std::string before, after;
        int steps = 0;
        while (in.remaining_bytes() > 0 && ++steps < 100) {
            const int last = s.lastRow();
            const int row = in.ConsumeIntegralInRange<int>(-1, last + 1);
            // Expected bytes are compared only while no transfer failed (a
            // failed page-in leaves the operation half done by design), and
            // on documents of a few pages: reading every row pages the whole
            // document through the window, which would make runs too slow.
            const bool clean = !s.errorReported() && last < 60;
            if (clean && !documentOf(s, &before)) fuzz::fail("row unreadable");
            bool ok = true;
            std::string expect = clean ? before : std::string();
            const int op = in.ConsumeIntegralInRange<int>(0, 8);
            if (trace) std::fprintf(stderr, "op %d row %d of %d\n", op, row, last);
            switch (op) {
            case 0:
            case 1: {
                bool continues = in.ConsumeBool();
                std::string t = textFrom(in, 3000);
                // The new rows go before the end-of-file row.
                if (clean)
                    expect.insert(before.size() - size_t(s.textLength(last)) - 1,
                                  t + (continues ? "" : "\n"));
                ok = s.appendLine(t.data(), int(t.size()), continues);
                break;
            }
            case 2: {
                int column = in.ConsumeIntegralInRange<int>(-2, 1100);
                std::string t = textFrom(in, 2500);
                if (clean && row >= 0 && row <= last && !t.empty()) {
                    size_t start = 0;
                    for (int r = 0; r < row; ++r) start += size_t(s.textLength(r)) + (s.endsLine(r) ? 1 : 0);
                    int c = column < 0 ? 0 : column > s.textLength(row) ? s.textLength(row) : column;
                    expect.insert(start + size_t(c), t);
                }
                if (trace) std::fprintf(stderr, "  insert %zu bytes at column %d\n", t.size(), column);
                ok = s.insertBytes(row, column, t.data(), int(t.size()));
                break;
            }
            case 3: {
                int column = in.ConsumeIntegralInRange<int>(-2, 1100);
                int n = in.ConsumeIntegralInRange<int>(0, 1100);
                if (clean && row >= 0 && row <= last && n > 0) {
                    size_t start = 0;
                    for (int r = 0; r < row; ++r) start += size_t(s.textLength(r)) + (s.endsLine(r) ? 1 : 0);
                    int len = s.textLength(row);
                    int c = column < 0 ? 0 : column;
                    if (c < len) expect.erase(start + size_t(c), size_t(n < len - c ? n : len - c));
                }
                if (trace) std::fprintf(stderr, "  delete %d bytes at column %d\n", n, column);
                ok = s.deleteBytes(row, column, n);
                break;
            }
            case 4: {
                int n = in.ConsumeIntegralInRange<int>(0, 40);
                ok = s.insertRows(row, n);
                expect.clear();  // rows and flags move: only the invariants are checked
                break;
            }
            case 5: {
                int n = in.ConsumeIntegralInRange<int>(0, 40);
                ok = s.deleteRows(row, n);
                expect.clear();
                break;
            }
            case 6:
                s.setEndsLine(row == last ? last - 1 : row, in.ConsumeBool());
                expect.clear();
                break;
            case 7:
                ok = s.rewrap(row);
                break;
            case 8:
                ok = s.makeResident(row);
                break;
            }
            (void)ok;
            check(s);
            const char* eof = s.text(s.lastRow());
            if (eof) FUZZ_CHECK(std::memcmp(eof + s.textLength(s.lastRow()), "[EOF]", 5) == 0);
            if (clean && !s.errorReported() && !expect.empty()) {
                if (!documentOf(s, &after)) fuzz::fail("row unreadable after the operation");
                FUZZ_CHECK(after == expect);
            }
            // The row limit stops loading: let the next operation go on.
            if (!failures || in.ConsumeBool()) s.clearError();
            s.resetRowLimit();
            s.rowLimitNoticeHandled();
        }
    }
    fakefs::enable(false);
    return 0;
}
