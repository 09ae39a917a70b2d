// Reading and setting the common controls of another process. List boxes and
// combo boxes have their texts carried across by the system; list views and
// tab controls take structures with pointers, which must then point into the
// control's own process, so those are built in memory allocated there.
#include "driver.h"
#include <commctrl.h>
#include <cstring>

namespace e2e {
namespace {

const UINT kTimeoutMs = 3000;

LRESULT sendTo(HWND w, UINT msg, WPARAM wp, LPARAM lp, bool* ok = nullptr) {
    DWORD_PTR result = 0;
    bool sent = SendMessageTimeoutA(w, msg, wp, lp, SMTO_ABORTIFHUNG, kTimeoutMs, &result) != 0;
    if (ok) *ok = sent;
    return sent ? static_cast<LRESULT>(result) : 0;
}

// A block of memory in the process that owns a window.
class RemoteBlock {
public:
    RemoteBlock(HWND w, SIZE_T size) : size_(size) {
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (process_)
            base_ = static_cast<BYTE*>(VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE));
    }
    ~RemoteBlock() {
        if (base_) VirtualFreeEx(process_, base_, 0, MEM_RELEASE);
        if (process_) CloseHandle(process_);
    }
    RemoteBlock(const RemoteBlock&) = delete;
    RemoteBlock& operator=(const RemoteBlock&) = delete;

    bool valid() const { return base_ != nullptr; }
    BYTE* at(SIZE_T offset) const { return base_ + offset; }
    bool write(SIZE_T offset, const void* data, SIZE_T n) {
        SIZE_T done = 0;
        return offset + n <= size_ && WriteProcessMemory(process_, base_ + offset, data, n, &done) &&
               done == n;
    }
    bool read(SIZE_T offset, void* data, SIZE_T n) const {
        SIZE_T done = 0;
        return offset + n <= size_ && ReadProcessMemory(process_, base_ + offset, data, n, &done) &&
               done == n;
    }

private:
    HANDLE process_ = nullptr;
    BYTE* base_ = nullptr;
    SIZE_T size_;
};

const SIZE_T kTextRoom = 1024;

std::string readRemoteText(RemoteBlock& block, SIZE_T offset) {
    char buf[kTextRoom];
    if (!block.read(offset, buf, sizeof buf)) return std::string();
    buf[sizeof buf - 1] = '\0';
    return buf;
}

std::vector<std::string> listViewTexts(HWND w, int column) {
    std::vector<std::string> out;
    const int count = static_cast<int>(sendTo(w, LVM_GETITEMCOUNT, 0, 0));
    RemoteBlock block(w, sizeof(LVITEMA) + kTextRoom);
    if (!block.valid()) return out;
    for (int i = 0; i < count; ++i) {
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.iSubItem = column;
        item.pszText = reinterpret_cast<LPSTR>(block.at(sizeof item));
        item.cchTextMax = kTextRoom;
        const char empty = '\0';
        if (!block.write(0, &item, sizeof item) || !block.write(sizeof item, &empty, 1)) break;
        sendTo(w, LVM_GETITEMTEXTA, i, reinterpret_cast<LPARAM>(block.at(0)));
        out.push_back(readRemoteText(block, sizeof item));
    }
    return out;
}

std::vector<std::string> tabTexts(HWND w) {
    std::vector<std::string> out;
    const int count = static_cast<int>(sendTo(w, TCM_GETITEMCOUNT, 0, 0));
    RemoteBlock block(w, sizeof(TCITEMA) + kTextRoom);
    if (!block.valid()) return out;
    for (int i = 0; i < count; ++i) {
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = reinterpret_cast<LPSTR>(block.at(sizeof item));
        item.cchTextMax = kTextRoom;
        const char empty = '\0';
        if (!block.write(0, &item, sizeof item) || !block.write(sizeof item, &empty, 1)) break;
        sendTo(w, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(block.at(0)));
        out.push_back(readRemoteText(block, sizeof item));
    }
    return out;
}

// Wine hands the ANSI forms of these item texts across processes as UTF-16,
// so they are asked for as UTF-16 and converted here.
std::vector<std::string> stringItems(HWND w, UINT countMsg, UINT lengthMsg, UINT textMsg) {
    std::vector<std::string> out;
    const int count = static_cast<int>(sendTo(w, countMsg, 0, 0));
    for (int i = 0; i < count; ++i) {
        DWORD_PTR len = 0;
        if (!SendMessageTimeoutW(w, lengthMsg, i, 0, SMTO_ABORTIFHUNG, kTimeoutMs, &len) ||
            static_cast<LRESULT>(len) < 0)
            len = 0;
        std::wstring wide(len + 1, L'\0');
        DWORD_PTR got = 0;
        SendMessageTimeoutW(w, textMsg, i, reinterpret_cast<LPARAM>(&wide[0]), SMTO_ABORTIFHUNG, kTimeoutMs,
                            &got);
        wide.resize(lstrlenW(wide.c_str()));
        std::string bytes(wide.size() * 2, '\0');
        int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), &bytes[0],
                                    static_cast<int>(bytes.size()), nullptr, nullptr);
        bytes.resize(n > 0 ? n : 0);
        out.push_back(bytes);
    }
    return out;
}

}  // namespace

std::vector<std::string> itemTexts(HWND control, int column) {
    const std::string cls = className(control);
    if (lstrcmpiA(cls.c_str(), "ListBox") == 0)
        return stringItems(control, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT);
    if (lstrcmpiA(cls.c_str(), "ComboBox") == 0)
        return stringItems(control, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
    if (lstrcmpiA(cls.c_str(), WC_LISTVIEWA) == 0) return listViewTexts(control, column);
    if (lstrcmpiA(cls.c_str(), WC_TABCONTROLA) == 0) return tabTexts(control);
    return std::vector<std::string>();
}

int checkState(HWND button) { return static_cast<int>(sendTo(button, BM_GETCHECK, 0, 0)); }

bool setText(HWND w, const std::string& text) {
    bool ok = false;
    LRESULT r = sendTo(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), &ok);
    return ok && r != 0;
}

bool command(HWND w, WORD id) { return IsWindow(w) && PostMessageA(w, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

std::string clipboardText() {
    std::string out;
    // Another process may hold the clipboard for a moment.
    bool open = false;
    for (int attempt = 0; attempt < 100 && !(open = OpenClipboard(nullptr)); ++attempt) Sleep(10);
    if (!open) return out;
    if (HANDLE h = GetClipboardData(CF_TEXT)) {
        if (const char* p = static_cast<const char*>(GlobalLock(h))) {
            out.assign(p, strnlen(p, GlobalSize(h)));
            GlobalUnlock(h);
        }
    }
    CloseClipboard();
    return out;
}

}  // namespace e2e
