// The row store seen as the text window's rows.
#pragma once
#include "marks.h"
#include "row_store.h"
#include "text_rows.h"

namespace viewer {

class StoreRows : public TextRows {
public:
    explicit StoreRows(RowStore* store = nullptr) : store_(store) {}
    void setStore(RowStore* store) { store_ = store; }
    int rowCount() const override { return store_ ? store_->rowCount() : 1; }
    const unsigned char* rowText(int row, int* length) override {
        static const unsigned char eofOnly[] = "[EOF]";
        if (!store_) {
            *length = 5;
            return eofOnly;
        }
        const char* t = store_->text(row);
        if (!t) {
            // A page that cannot be read shows as an empty row (the store has reported it).
            static const unsigned char empty[] = "";
            *length = 0;
            return empty;
        }
        *length = store_->length(row);
        return reinterpret_cast<const unsigned char*>(t);
    }
    const unsigned char* scanRowText(int row, int* length) override {
        if (store_) {
            if (const char* t = store_->scanText(row, length))
                return reinterpret_cast<const unsigned char*>(t);
        }
        return rowText(row, length);
    }
    int scanBlock(int row, const unsigned char** bytes, std::vector<int>* ends) override {
        int n = 0;
        const char* t = store_ ? store_->scanPage(row, &n) : nullptr;
        return t ? block(t, row, n, bytes, ends) : 0;
    }
    int scanBlockEndingAt(int row, const unsigned char** bytes, std::vector<int>* ends) override {
        int n = 0;
        const char* t = store_ ? store_->scanPageUpTo(row, &n) : nullptr;
        return t ? block(t, row - n + 1, n, bytes, ends) : 0;
    }
    void endScan() override {
        if (store_) store_->endScan();
    }
    bool endsLine(int row) const override { return store_ ? store_->endsLine(row) : true; }
    bool isMarked(int row) const override { return rowMarked(row); }

private:
    int block(const char* text, int first, int n, const unsigned char** bytes, std::vector<int>* ends) {
        ends->resize(static_cast<size_t>(n));
        int end = 0;
        for (int i = 0; i < n; ++i) (*ends)[static_cast<size_t>(i)] = end += store_->length(first + i);
        *bytes = reinterpret_cast<const unsigned char*>(text);
        return n;
    }

    RowStore* store_;
};

}  // namespace viewer
