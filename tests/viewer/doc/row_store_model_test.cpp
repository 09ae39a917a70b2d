// Random edits on the row store checked after every step against a plain
// in-memory model of the rows.
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>
#include "doc_test_support.h"
#include "row_store.h"
#include "settings.h"
#include "wrap.h"

using namespace viewer;
using namespace kvtest;

namespace {

struct MRow {
    std::string text;  // without "[EOF]"
    bool ends;
};

// The model: rows with texts and flags, edited by simple string operations.
class Model {
public:
    explicit Model(int width) : w_(width) { rows.push_back({"", true}); }
    std::vector<MRow> rows;
    bool continuing = false;

    int last() const { return int(rows.size()) - 1; }

    std::vector<std::string> cut(const std::string& t) const {
        std::vector<std::string> out;
        size_t pos = 0;
        for (;;) {
            size_t rem = t.size() - pos;
            if (rem < size_t(w_)) {
                out.push_back(t.substr(pos));
                break;
            }
            // Is the w-th byte a lead byte? Walk characters from the row start.
            size_t i = 0;
            while (i < size_t(w_) - 1) i += common::isCp932LeadByte((unsigned char)t[pos + i]) ? 2 : 1;
            size_t n = (i == size_t(w_) - 1 && common::isCp932LeadByte((unsigned char)t[pos + w_ - 1]))
                           ? w_ - 1
                           : w_;
            out.push_back(t.substr(pos, n));
            pos += n;
        }
        return out;
    }

    void append(const std::string& t, bool continues) {
        bool was = continuing;
        int firstNew = last();
        auto pieces = cut(t);
        for (size_t i = 0; i < pieces.size(); ++i)
            rows.insert(rows.begin() + last(), {pieces[i], i + 1 == pieces.size() && !continues});
        continuing = continues;
        if (was && !continues) rewrap(firstNew > 0 ? firstNew - 1 : 0);
    }

    int firstOfLine(int r) const {
        while (r > 0 && !rows[size_t(r - 1)].ends) --r;
        return r;
    }
    int lastOfLine(int r) const {
        while (r < last() && !rows[size_t(r)].ends) ++r;
        return r;
    }

    void rewrap(int row) {
        int cur = firstOfLine(row), lineLast = lastOfLine(row);
        while (cur <= lineLast) {
            std::string seg;
            int r = cur;
            while (r <= lineLast) {
                const std::string& t = rows[size_t(r)].text;
                if (r > cur && seg.size() + t.size() > 8186) break;
                seg += t;
                ++r;
            }
            int segLast = r - 1;
            bool ends = segLast == lineLast && rows[size_t(lineLast)].ends;
            auto pieces = cut(seg);
            // Replace rows [cur, segLast] by the pieces.
            rows.erase(rows.begin() + cur, rows.begin() + segLast + 1);
            for (size_t i = 0; i < pieces.size(); ++i)
                rows.insert(rows.begin() + cur + int(i), {pieces[i], i + 1 == pieces.size() ? ends : false});
            lineLast += int(pieces.size()) - (segLast - cur + 1);
            cur += int(pieces.size());
        }
    }

    void insertBytes(int row, int col, const std::string& b) {
        MRow& m = rows[size_t(row)];
        bool eof = row == last();
        std::string all = m.text.substr(0, size_t(col)) + b + m.text.substr(size_t(col));
        int limit = kMaxRowBytes - (eof ? kEofMarkLen : 0);
        if (int(all.size()) <= limit) {
            m.text = all;
            return;
        }
        bool ends = m.ends;
        std::vector<std::string> pieces;
        size_t at = 0;
        while (int(all.size() - at) > limit) {
            pieces.push_back(all.substr(at, kMaxRowBytes));
            at += kMaxRowBytes;
        }
        pieces.push_back(all.substr(at));
        rows.erase(rows.begin() + row);
        for (size_t i = 0; i < pieces.size(); ++i)
            rows.insert(rows.begin() + row + int(i), {pieces[i], i + 1 == pieces.size() ? ends : false});
    }

    void deleteRows(int index, int n) {
        if (index + n > last()) n = last() - index;
        if (n <= 0) return;
        bool first = rows[size_t(index)].ends;
        rows.erase(rows.begin() + index, rows.begin() + index + n);
        if (first && index > 0) rows[size_t(index - 1)].ends = true;
    }

    void insertRows(int index, int n) { rows.insert(rows.begin() + index, size_t(n), MRow{"", true}); }

private:
    int w_;
};

class ModelRun {
public:
    ModelRun(unsigned seed, int width, bool pool = false) : rng_(seed), model_(width) {
        s_.fillDefaults();
        s_.fileType.foldColumns = width;
        s_.memoryPages = pool;
        store_.setMessageSink(&sink_);
    }

    std::string randomText(int maxLen) {
        std::string t;
        int len = int(rng_() % unsigned(maxLen + 1));
        while (int(t.size()) < len) {
            unsigned k = rng_() % 10;
            if (k < 6)
                t += char('a' + rng_() % 26);
            else if (k < 9) {
                t += char(0x82 + rng_() % 2);
                t += char(0x40 + rng_() % 0xBC);
            }  // double-byte
            else
                t += char(0xA1 + rng_() % 0x3F);  // half-width katakana
        }
        return t;
    }

    void compareAll(int step) {
        ASSERT_EQ(store_.rowCount(), int(model_.rows.size())) << "step " << step;
        for (int r = 0; r <= store_.lastRow(); ++r) {
            ASSERT_EQ(store_.endsLine(r), model_.rows[size_t(r)].ends) << "row " << r << " step " << step;
            ASSERT_EQ(store_.textLength(r), int(model_.rows[size_t(r)].text.size()))
                << "row " << r << " step " << step;
        }
    }

    void compareText(int r, int step) {
        const char* t = store_.text(r);
        ASSERT_NE(t, nullptr) << "row " << r << " step " << step;
        ASSERT_EQ(std::string(t, size_t(store_.textLength(r))), model_.rows[size_t(r)].text)
            << "row " << r << " step " << step;
        if (r == store_.lastRow()) {
            ASSERT_EQ(std::string(t + store_.textLength(r), 5), "[EOF]");
        }
    }

    void run(int steps, int targetRows) {
        ASSERT_TRUE(store_.reserve());
        for (int step = 0; step < steps; ++step) {
            const int rows = store_.rowCount();
            unsigned op = rng_() % 100;
            bool growing = rows < targetRows;
            if (op < (growing ? 45u : 20u)) {
                // Loading-style append, sometimes a line in parts.
                bool cont = rng_() % 8 == 0;
                std::string t = randomText(rng_() % 5 == 0 ? 600 : 160);
                if (cont) {
                    t += std::string(size_t(rng_() % 3000), 'L');
                }
                ASSERT_TRUE(store_.appendLine(t.data(), int(t.size()), cont)) << step;
                model_.append(t, cont);
            } else if (op < 60) {
                int r = int(rng_() % unsigned(rows));
                int len = int(model_.rows[size_t(r)].text.size());
                int col = len ? int(rng_() % unsigned(len + 1)) : 0;
                // Keep double-byte characters whole: insert at a character start.
                int c = 0;
                while (c < col)
                    c += common::isCp932LeadByte((unsigned char)model_.rows[size_t(r)].text[size_t(c)]) ? 2
                                                                                                        : 1;
                if (c > len) c = len;
                std::string b = randomText(rng_() % 4 == 0 ? 1200 : 30);
                ASSERT_TRUE(store_.insertBytes(r, c, b.data(), int(b.size()))) << step;
                model_.insertBytes(r, c, b);
            } else if (op < 70) {
                int r = int(rng_() % unsigned(rows));
                int len = int(model_.rows[size_t(r)].text.size());
                if (len > 0) {
                    int col = int(rng_() % unsigned(len));
                    int n = 1 + int(rng_() % unsigned(len - col));
                    ASSERT_TRUE(store_.deleteBytes(r, col, n)) << step;
                    model_.rows[size_t(r)].text.erase(size_t(col), size_t(n));
                }
            } else if (op < 80) {
                int r = int(rng_() % unsigned(rows));
                int n = 1 + int(rng_() % (growing ? 5u : 60u));
                ASSERT_TRUE(store_.deleteRows(r, n)) << step;
                model_.deleteRows(r, n);
            } else if (op < 85) {
                int r = int(rng_() % unsigned(rows));
                int n = 1 + int(rng_() % 4);
                ASSERT_TRUE(store_.insertRows(r, n)) << step;
                model_.insertRows(r, n);
            } else if (op < 92) {
                int r = int(rng_() % unsigned(rows));
                ASSERT_TRUE(store_.rewrap(r)) << step;
                model_.rewrap(r);
            } else {
                // Make resident from either end or anywhere.
                unsigned where = rng_() % 3;
                int r = where == 0 ? 0 : where == 1 ? store_.lastRow() : int(rng_() % unsigned(rows));
                ASSERT_TRUE(store_.makeResident(r)) << step;
            }
            ASSERT_EQ(checkStore(store_), "") << "step " << step;
            ASSERT_NO_FATAL_FAILURE(compareAll(step));
            for (int k = 0; k < 3; ++k)
                ASSERT_NO_FATAL_FAILURE(compareText(int(rng_() % unsigned(store_.rowCount())), step));
            if (step % 50 == 0) {
                for (int r = 0; r <= store_.lastRow(); ++r) ASSERT_NO_FATAL_FAILURE(compareText(r, step));
                ASSERT_EQ(checkStore(store_), "") << "step " << step;
            }
            maxBytes_ = std::max(maxBytes_, totalBytes());
        }
        EXPECT_TRUE(sink_.messages.empty());
    }

    size_t totalBytes() const {
        size_t n = 0;
        for (auto& r : model_.rows) n += r.text.size();
        return n;
    }
    size_t maxBytes() const { return maxBytes_; }
    const RowStore& store() const { return store_; }

private:
    std::mt19937 rng_;
    ViewerSettings s_;
    CollectSink sink_;
    RowStore store_{s_};
    Model model_;
    size_t maxBytes_ = 0;
};

}  // namespace

TEST(RowStoreModel, RandomEditsAtWidth80) {
    ModelRun run(20261208u, 80);
    run.run(6000, 6000);
    // The document grew far beyond the text window.
    EXPECT_GT(run.maxBytes(), size_t(8 * kTextWindowSize));
    EXPECT_GT(run.store().pages().reads(), 100u);
}

TEST(RowStoreModel, RandomEditsAtWidth20) {
    ModelRun run(77u, 20);
    run.run(2000, 8000);
    EXPECT_GT(run.maxBytes(), size_t(3 * kTextWindowSize));
}

TEST(RowStoreModel, RandomEditsWithTheMemoryPool) {
    ModelRun run(5u, 80, true);
    run.run(1500, 3000);
    EXPECT_EQ(run.store().pages().fileEnd(), 0u);
}
