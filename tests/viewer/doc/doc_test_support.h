// Shared helpers of the viewer engine tests: a message collector, row
// snapshots and work files reachable from inside Wine.
#pragma once
#include <windows.h>
#include <string>
#include <vector>
#include <fstream>
#include "doc_texts.h"
#include "row_store.h"
#include "settings.h"

namespace kvtest {

class CollectSink : public viewer::MessageSink {
public:
    void show(const char* text) override { messages.emplace_back(text); }
    std::vector<std::string> messages;
    int countContaining(const char* part) const {
        int n = 0;
        for (auto& m : messages)
            if (m.find(part) != std::string::npos) ++n;
        return n;
    }
};

struct Row {
    std::string text;  // "[EOF]" left out on the last row
    bool endsLine;
    bool operator==(const Row& o) const { return text == o.text && endsLine == o.endsLine; }
};

inline std::vector<Row> snapshot(viewer::RowStore& store) {
    std::vector<Row> rows;
    for (int r = 0; r <= store.lastRow(); ++r) {
        const char* t = store.text(r);
        if (!t) return {};
        rows.push_back({std::string(t, size_t(store.textLength(r))), store.endsLine(r)});
    }
    return rows;
}

inline std::vector<std::string> texts(viewer::RowStore& store) {
    std::vector<std::string> out;
    for (auto& r : snapshot(store)) out.push_back(r.text);
    return out;
}

// The logical lines of the store (rows joined, tab padding kept).
inline std::vector<std::string> logicalLines(viewer::RowStore& store) {
    std::vector<std::string> lines(1);
    for (auto& r : snapshot(store)) {
        lines.back() += r.text;
        if (r.endsLine) lines.emplace_back();
    }
    lines.pop_back();
    return lines;
}

// A folder for this test's files, as a Windows path under Z:.
inline std::string workDir(const std::string& sub) {
    std::string unixPath = std::string(TEST_WORK_DIR) + "/" + sub;
    std::string win = "Z:" + unixPath;
    for (auto& c : win)
        if (c == '/') c = '\\';
    // Create each component.
    for (size_t i = 3; i <= win.size(); ++i)
        if (i == win.size() || win[i] == '\\') CreateDirectoryA(win.substr(0, i).c_str(), nullptr);
    return win;
}

inline void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(bytes.data(), std::streamsize(bytes.size()));
}

inline std::string checkStore(const viewer::RowStore& store) {
    char why[256];
    return store.checkInvariants(why, sizeof why) ? std::string() : std::string(why);
}

// Points the temporary folder (TMP and TEMP) somewhere else for a while.
class TempFolder {
public:
    explicit TempFolder(const std::string& folder) {
        hadTmp_ = GetEnvironmentVariableA("TMP", tmp_, sizeof tmp_) > 0;
        hadTemp_ = GetEnvironmentVariableA("TEMP", temp_, sizeof temp_) > 0;
        SetEnvironmentVariableA("TMP", folder.c_str());
        SetEnvironmentVariableA("TEMP", folder.c_str());
    }
    ~TempFolder() {
        SetEnvironmentVariableA("TMP", hadTmp_ ? tmp_ : nullptr);
        SetEnvironmentVariableA("TEMP", hadTemp_ ? temp_ : nullptr);
    }

private:
    char tmp_[MAX_PATH] = {}, temp_[MAX_PATH] = {};
    bool hadTmp_ = false, hadTemp_ = false;
};

}  // namespace kvtest
