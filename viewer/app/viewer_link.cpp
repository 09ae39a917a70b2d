#include "viewer_link.h"
#include "path_text.h"
#include "sjis.h"
#include "../../resources/viewer/resource.h"
#include <cstring>

namespace viewer {
namespace link {
namespace {

const char kViewerClass[] = "Kelview32Class";

struct Collect {
    HWND self;
    bool visibleOnly;
    std::vector<HWND>* out;
};

BOOL CALLBACK collectViewer(HWND w, LPARAM lp) {
    Collect* c = reinterpret_cast<Collect*>(lp);
    if (w == c->self || !isViewerFrame(w)) return TRUE;
    if (c->visibleOnly && (!IsWindowVisible(w) || IsIconic(w))) return TRUE;
    c->out->push_back(w);
    return TRUE;
}

// A pagefile-backed mapping whose first bytes read as "no answer" until
// the receiver writes over them.
class AnswerMapping {
public:
    AnswerMapping()
        : h_(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                static_cast<DWORD>(kAnswerBytes), nullptr)) {}
    ~AnswerMapping() {
        if (h_) CloseHandle(h_);
    }
    AnswerMapping(const AnswerMapping&) = delete;
    AnswerMapping& operator=(const AnswerMapping&) = delete;
    HANDLE handle() const { return h_; }
    void writeNoAnswer() {
        if (char* p = view()) {
            p[0] = static_cast<char>(0xFF);
            p[1] = 0;
            UnmapViewOfFile(p);
        }
    }
    // Never reads past the mapping, even when the other side wrote no
    // terminator.
    std::string read() {
        std::string s;
        if (char* p = view()) {
            s.assign(p, strnlen(p, kAnswerBytes - 1));
            UnmapViewOfFile(p);
        }
        return s;
    }

private:
    char* view() {
        return h_ ? static_cast<char*>(MapViewOfFile(h_, FILE_MAP_ALL_ACCESS, 0, 0, kAnswerBytes)) : nullptr;
    }
    HANDLE h_;
};

}  // namespace

bool isViewerFrame(HWND w) {
    char cls[32];
    return w && GetClassNameA(w, cls, sizeof cls) && std::strcmp(cls, kViewerClass) == 0;
}

std::vector<HWND> otherViewers(HWND self, bool visibleOnly) {
    std::vector<HWND> found;
    Collect c = {self, visibleOnly, &found};
    EnumWindows(collectViewer, reinterpret_cast<LPARAM>(&c));  // top of the z-order first
    return found;
}

bool sendToViewer(HWND target, UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
    DWORD_PTR r = 0;
    if (!SendMessageTimeoutA(target, msg, wp, lp, SMTO_BLOCK | SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &r))
        return false;
    if (result) *result = static_cast<LRESULT>(r);
    return true;
}

bool requestString(HWND target, UINT msg, std::string* out) {
    AnswerMapping mapping;
    bool answered = false;
    DWORD pid = 0;
    GetWindowThreadProcessId(target, &pid);
    HANDLE process = pid ? OpenProcess(PROCESS_DUP_HANDLE, FALSE, pid) : nullptr;
    HANDLE theirs = nullptr;
    if (mapping.handle() && process &&
        DuplicateHandle(GetCurrentProcess(), mapping.handle(), process, &theirs, 0, FALSE,
                        DUPLICATE_SAME_ACCESS)) {
        // Until the receiver writes, the mapping holds zeros: mark it as
        // unanswered so that a receiver that returns without writing reads
        // as no answer, not as an empty path.
        mapping.writeNoAnswer();
        LRESULT r = 0;
        answered = sendToViewer(target, msg, reinterpret_cast<WPARAM>(theirs), 0, &r);
    }
    if (process) CloseHandle(process);
    if (!answered) mapping.writeNoAnswer();
    *out = mapping.read();
    return answered && *out != "\xFF";
}

bool answerString(WPARAM mappingHandle, const std::string& text) {
    HANDLE h = reinterpret_cast<HANDLE>(mappingHandle);
    if (!h) return false;
    char* p = static_cast<char*>(MapViewOfFile(h, FILE_MAP_ALL_ACCESS, 0, 0, kAnswerBytes));
    // The handle is only closed when it is the mapping asked for: a stray
    // value in wParam must not close one of this process's own handles.
    if (!p) return false;
    common::copyBounded(p, text.c_str(), kAnswerBytes);
    UnmapViewOfFile(p);
    CloseHandle(h);
    return true;
}

bool viewerDocument(HWND target, std::string* path) {
    std::string folder, name;
    // A viewer that does not answer the first request is not asked the
    // second: a hung window costs one time-out, not two.
    if (!requestString(target, WMU_GET_FOLDER, &folder)) return false;
    if (!requestString(target, WMU_GET_FILE_NAME, &name) || name.empty()) return false;
    *path = folder.empty() ? name : common::joinPath(folder, name);
    return true;
}

HWND findViewerShowing(HWND self, const std::string& path) {
    if (path.empty()) return nullptr;
    for (HWND w : otherViewers(self)) {
        std::string theirs;
        if (viewerDocument(w, &theirs) && common::equalsNoCase(theirs.c_str(), path.c_str())) return w;
    }
    return nullptr;
}

bool postGoToLine(HWND target, int line, int column) {
    return PostMessageA(target, WMU_GO_TO_LINE, static_cast<WPARAM>(column), static_cast<LPARAM>(line)) != 0;
}

bool postGoToRow(HWND target, int row, int column) {
    return PostMessageA(target, WMU_GO_TO_ROW, static_cast<WPARAM>(column), static_cast<LPARAM>(row)) != 0;
}

bool sendReloadWithCode(HWND target, unsigned char code) {
    return sendToViewer(target, WM_COMMAND, IDM_RELOAD_WITH_CODE, code);
}

}  // namespace link
}  // namespace viewer
