#include "open_dialog.h"
#include "app.h"
#include "file_system.h"
#include "message_box.h"
#include "open_request.h"
#include "path_text.h"
#include "settings.h"
#include "sjis.h"
#include "../../resources/viewer/resource.h"
#include <commdlg.h>
#include <cderr.h>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace viewer {
namespace {

// The dialog's size, kept from one use to the next for the life of the process.
SIZE gRememberedSize = {0, 0};

struct HookState {
    unsigned char code = 0;
    bool cancelled = false;  // "No" to creating a new file
};

void fillCodeCombo(HWND combo) {
    const int first = settings().detectEucJis ? IDS_CODE_AUTO : IDS_CODE_AUTO_SJIS_UNICODE;
    const int ids[] = {first, IDS_CODE_SJIS, IDS_CODE_UNICODE, IDS_CODE_EUC, IDS_CODE_JIS};
    for (int id : ids) SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(loadText(id).c_str()));
    SendMessageA(combo, CB_SETCURSEL, 0, 0);
}

void restoreSize(HWND dialog) {
    if (gRememberedSize.cx <= 0 || gRememberedSize.cy <= 0) return;
    RECT r;
    GetWindowRect(dialog, &r);
    int w = std::min<int>(gRememberedSize.cx, GetSystemMetrics(SM_CXSCREEN));
    int h = std::min<int>(gRememberedSize.cy, GetSystemMetrics(SM_CYSCREEN));
    int x = std::max<int>(0, std::min<int>(r.left, GetSystemMetrics(SM_CXSCREEN) - w));
    int y = std::max<int>(0, std::min<int>(r.top, GetSystemMetrics(SM_CYSCREEN) - h));
    SetWindowPos(dialog, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Refuses the OK press: the dialog stays open.
UINT_PTR refuse(HWND hook) {
    SetWindowLongPtrA(hook, DWLP_MSGRESULT, 1);
    return 1;
}

UINT_PTR onFileOk(HWND hook, HookState* state) {
    HWND dialog = GetParent(hook);
    state->code = static_cast<unsigned char>(
        std::max<LRESULT>(0, SendDlgItemMessageA(hook, IDC_OPEN_CODE, CB_GETCURSEL, 0, 0)));
    char path[MAX_PATH] = {};
    if (SendMessageA(dialog, CDM_GETFILEPATH, sizeof path, reinterpret_cast<LPARAM>(path)) <= 0) return 0;
    if (common::isExistingFile(path) || common::isExistingFolder(path)) return 0;
    const char* name = common::fileNamePart(path);
    std::string text = std::string(name) + loadText(IDS_CREATE_NEW);
    switch (common::showMessageBox(dialog, text.c_str(), name, MB_ICONQUESTION | MB_YESNOCANCEL)) {
    case IDYES:
        return 0;
    case IDNO:
        // No closes the dialog as a cancel would.
        state->cancelled = true;
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        return refuse(hook);
    default:
        return refuse(hook);
    }
}

UINT_PTR CALLBACK openHook(HWND hook, UINT msg, WPARAM, LPARAM lp) {
    try {
        switch (msg) {
        case WM_INITDIALOG: {
            const OPENFILENAMEA* ofn = reinterpret_cast<const OPENFILENAMEA*>(lp);
            SetWindowLongPtrA(hook, GWLP_USERDATA, static_cast<LONG_PTR>(ofn->lCustData));
            fillCodeCombo(GetDlgItem(hook, IDC_OPEN_CODE));
            return 1;
        }
        case WM_NOTIFY: {
            HookState* state = reinterpret_cast<HookState*>(GetWindowLongPtrA(hook, GWLP_USERDATA));
            const OFNOTIFYA* n = reinterpret_cast<const OFNOTIFYA*>(lp);
            if (n->hdr.code == CDN_INITDONE) restoreSize(GetParent(hook));
            if (n->hdr.code == CDN_FILEOK && state) return onFileOk(hook, state);
            return 0;
        }
        case WM_DESTROY: {
            RECT r;
            if (GetWindowRect(GetParent(hook), &r)) gRememberedSize = {r.right - r.left, r.bottom - r.top};
            return 0;
        }
        default:
            return 0;
        }
    } catch (...) {
        return 0;
    }
}

void reportFailure(HWND owner, DWORD error) {
    if (error == FNERR_INVALIDFILENAME) {
        errorBox(loadText(IDS_BAD_FILE_NAME));
    } else if (error == FNERR_BUFFERTOOSMALL) {
        errorBox(loadText(IDS_BUFFER_OVERFLOW));
    } else if (error != 0) {
        char text[64];
        std::snprintf(text, sizeof text, "CommDlgExtendedError 0x%lx", static_cast<unsigned long>(error));
        common::showMessageBox(owner, text, "", MB_OK);
    }
}

}  // namespace

bool runOpenDialog(HWND owner, unsigned command, const std::string& folder, OpenChoice* choice) {
    const ViewerSettings& s = settings();
    std::vector<std::pair<std::string, std::string>> fixed = {
        {loadText(IDS_FILTER_ALL), "*.*"},
        {loadText(IDS_FILTER_TEXT), "*.txt"},
        {loadText(IDS_FILTER_C), "*.c;*.cpp;*.h"},
        {loadText(IDS_FILTER_ASM), "*.asm;*.inc"},
        {loadText(IDS_FILTER_HTML), "*.htm;*.html"},
        {loadText(IDS_FILTER_JAVA), "*.java;*.h"},
        {loadText(IDS_FILTER_MACRO), "*.mac;*.hsc;*.scr;*.hilight"},
    };
    std::string pattern = s.fileFilter;
    std::string filters = filterList(fixed, loadText(IDS_FILTER_USER), pattern);
    // A pattern with a folder sends the dialog to that folder at once.
    std::string start = folder;
    if (common::lastSeparator(pattern.c_str())) {
        start = common::parentFolder(pattern);
        pattern = common::fileNamePart(pattern.c_str());
    }
    char file[MAX_PATH] = {};
    common::copyBounded(file, pattern.c_str(), sizeof file);
    std::string title = command == IDM_CLOSE_AND_OPEN ? loadText(IDS_CLOSE_AND_OPEN_TITLE) : std::string();

    HookState state;
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.hInstance = app().instance;
    ofn.lpstrFilter = filters.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(fixed.size() + 1);
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrInitialDir = start.empty() ? nullptr : start.c_str();
    ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_ENABLEHOOK | OFN_ENABLETEMPLATE | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY |
                OFN_ENABLESIZING;
    ofn.lCustData = reinterpret_cast<LPARAM>(&state);
    ofn.lpfnHook = openHook;
    ofn.lpTemplateName = MAKEINTRESOURCEA(IDD_OPEN_TEMPLATE);
    if (!GetOpenFileNameA(&ofn)) {
        reportFailure(owner, CommDlgExtendedError());
        return false;
    }
    if (state.cancelled) return false;
    choice->path = file;
    choice->code = state.code;
    return true;
}

}  // namespace viewer
