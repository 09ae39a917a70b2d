#include "destination_dialog.h"
#include "archive_steps.h"
#include "drive_totals.h"
#include "file_list.h"
#include "resource.h"
#include "system_folders.h"
#include "texts.h"
#include "window_position.h"
#include "sjis.h"
#include <shellapi.h>
#include <shlobj.h>
#include <objbase.h>

namespace installer {

namespace {

struct BrowseState {
    HWND owner;
    std::string start;
};

// Nearest existing folder of a path: climbs until one exists.
std::string nearestFolder(std::string path) {
    while (!path.empty()) {
        DWORD a = GetFileAttributesA(path.c_str());
        if (a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY)) return path;
        const char* slash = common::findLastChar(path.c_str(), '\\');
        if (!slash) return "";
        path.resize(slash - path.c_str());
        if (path.size() == 2 && path[1] == ':') return path + "\\";
    }
    return path;
}

int CALLBACK browseCallback(HWND browser, UINT message, LPARAM lParam, LPARAM data) {
    BrowseState* state = reinterpret_cast<BrowseState*>(data);
    switch (message) {
    case BFFM_INITIALIZED: {
        // Over the dialog, kept on the screen.
        RECT o, b;
        GetWindowRect(state->owner, &o);
        GetWindowRect(browser, &b);
        int w = b.right - b.left, h = b.bottom - b.top;
        int x = o.left, y = o.top;
        int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
        if (x + w > sw) x = sw - w;
        if (y + h > sh) y = sh - h;
        SetWindowPos(browser, nullptr, x < 0 ? 0 : x, y < 0 ? 0 : y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        if (!state->start.empty())
            SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, (LPARAM)state->start.c_str());
        break;
    }
    case BFFM_SELCHANGED: {
        char path[MAX_PATH] = "";
        if (SHGetPathFromIDListA((LPITEMIDLIST)lParam, path) && path[0])
            SendMessageA(browser, BFFM_SETSTATUSTEXTA, 0, (LPARAM)path);
        else
            SendMessageA(browser, BFFM_SETSTATUSTEXTA, 0, (LPARAM)texts::kBrowseNoFolder);
        break;
    }
    }
    return 0;
}

bool browseFolder(HWND owner, int rootCsidl, const char* title, const std::string& start, std::string* out) {
    LPITEMIDLIST root = nullptr;
    if (rootCsidl >= 0) SHGetSpecialFolderLocation(owner, rootCsidl, &root);
    BrowseState state = {owner, nearestFolder(start)};
    char display[MAX_PATH] = "";
    BROWSEINFOA bi = {};
    bi.hwndOwner = owner;
    bi.pidlRoot = root;
    bi.pszDisplayName = display;
    bi.lpszTitle = title;
    bi.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT;
    bi.lpfn = browseCallback;
    bi.lParam = (LPARAM)&state;
    // COM only for the browser's lifetime: the shortcut step insists on
    // initialising it itself later.
    HRESULT com = CoInitialize(nullptr);
    LPITEMIDLIST chosen = SHBrowseForFolderA(&bi);
    bool ok = false;
    if (chosen) {
        char path[MAX_PATH] = "";
        if (SHGetPathFromIDListA(chosen, path) && path[0]) {
            *out = path;
            ok = true;
        }
        CoTaskMemFree(chosen);
    }
    if (root) CoTaskMemFree(root);
    if (SUCCEEDED(com)) CoUninitialize();
    return ok;
}

}  // namespace

std::string DestinationDialog::lastComponent(const std::string& folder) {
    const char* slash = common::findLastChar(folder.c_str(), '\\');
    if (!slash) return "";
    if (slash > folder.c_str() && slash[-1] == ':') return "";
    return slash;  // with its backslash
}

std::string DestinationDialog::withLastComponent(const std::string& chosen, const std::string& component) {
    if (component.empty()) return chosen;
    if (chosen.size() >= component.size() &&
        common::equalsNoCase(chosen.c_str() + chosen.size() - component.size(), component.c_str()))
        return chosen;
    std::string base = chosen;
    if (!base.empty() && common::findLastChar(base.c_str(), '\\') == base.c_str() + base.size() - 1)
        base.pop_back();
    return base + component;
}

bool DestinationDialog::run(HINSTANCE instance) {
    return runModal(instance, IDD_DESTINATION, nullptr) == IDOK;
}

std::string DestinationDialog::editText() const {
    char buf[260] = "";
    GetDlgItemTextA(hwnd_, IDC_DEST_EDIT, buf, sizeof buf);
    return buf;
}

BOOL DestinationDialog::onInit() {
    HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_TALINST));
    SendMessageA(hwnd_, WM_SETICON, ICON_BIG, (LPARAM)icon);
    if (options_.hasHeading) {
        HWND heading = item(IDC_DEST_HEADING);
        SetWindowLongA(heading, GWL_STYLE, GetWindowLongA(heading, GWL_STYLE) & ~SS_CENTERIMAGE);
        SetWindowTextA(heading, options_.heading.c_str());
    }
    SendDlgItemMessageA(hwnd_, IDC_DEST_EDIT, EM_LIMITTEXT, 259, 0);
    SetDlgItemTextA(hwnd_, IDC_DEST_EDIT, options_.folder.c_str());
    component_ = lastComponent(options_.folder);
    if (options_.offerGroup) {
        EnableWindow(item(IDC_DEST_GROUP), TRUE);
        CheckDlgButton(hwnd_, IDC_DEST_GROUP, BST_CHECKED);
        EnableWindow(item(IDC_DEST_GROUP_BROWSE), TRUE);
        if (options_.offerDesktop) {
            EnableWindow(item(IDC_DEST_DESKTOP), TRUE);
            CheckDlgButton(hwnd_, IDC_DEST_DESKTOP, BST_CHECKED);
        }
    }
    placeWindow(hwnd_);
    SetForegroundWindow(hwnd_);
    return TRUE;
}

void DestinationDialog::onCommand(int id, int code, HWND) {
    switch (id) {
    case IDOK: {
        std::string f = editText();
        if (f.size() < 2 || f[1] != ':') return;
        folder_ = f;
        group_ = IsDlgButtonChecked(hwnd_, IDC_DEST_GROUP) == BST_CHECKED;
        desktop_ = IsDlgButtonChecked(hwnd_, IDC_DEST_DESKTOP) == BST_CHECKED;
        recordWindowPosition(hwnd_);
        EndDialog(hwnd_, IDOK);
        break;
    }
    case IDCANCEL:
        recordWindowPosition(hwnd_);
        EndDialog(hwnd_, IDCANCEL);
        break;
    case IDC_DEST_BROWSE:
        browse();
        break;
    case IDC_DEST_GROUP:
        if (code == BN_CLICKED)
            EnableWindow(item(IDC_DEST_GROUP_BROWSE),
                         IsDlgButtonChecked(hwnd_, IDC_DEST_GROUP) == BST_CHECKED);
        break;
    case IDC_DEST_GROUP_BROWSE:
        browseGroup();
        break;
    case IDC_DEST_CHECK:
        checkSizes();
        break;
    }
}

INT_PTR DestinationDialog::onMessage(UINT message, WPARAM wParam, LPARAM) {
    if (message != WM_DROPFILES) return FALSE;
    HDROP drop = (HDROP)wParam;
    char path[MAX_PATH] = "";
    if (DragQueryFileA(drop, 0, path, sizeof path)) {
        std::string chosen = path;
        DWORD a = GetFileAttributesA(path);
        if (a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY)) {
            // A dropped file stands for its folder.
            const char* slash = common::findLastChar(path, '\\');
            if (slash) chosen.resize(slash - path);
            if (chosen.size() == 2 && chosen[1] == ':') chosen += '\\';
        }
        SetDlgItemTextA(hwnd_, IDC_DEST_EDIT, withLastComponent(chosen, component_).c_str());
    }
    DragFinish(drop);
    return TRUE;
}

void DestinationDialog::browse() {
    std::string chosen;
    if (browseFolder(hwnd_, -1, texts::kBrowseDestination, editText(), &chosen))
        SetDlgItemTextA(hwnd_, IDC_DEST_EDIT, withLastComponent(chosen, component_).c_str());
}

void DestinationDialog::browseGroup() {
    std::string chosen;
    std::string start = groupPlace_.empty() ? specialFolder(CSIDL_PROGRAMS) : groupPlace_;
    if (browseFolder(hwnd_, CSIDL_PROGRAMS, texts::kBrowseGroup, start, &chosen)) groupPlace_ = chosen;
}

void DestinationDialog::checkSizes() {
    std::string folder = editText();
    CopyList empty;
    CopyList& files = options_.files ? *options_.files : empty;
    for (auto& e : files) {
        e->savedDestination = e->destination;
        e->saved = true;
    }
    resolveDestinations(files, folder.c_str());
    if (options_.archives)
        for (auto& a : *options_.archives) {
            a->savedDestination = a->destination;
            a->saved = true;
            if (a->destination.empty()) a->destination.setPath(folder.c_str());
        }
    DriveTotals t = computeDriveTotals(files, options_.archives, archiveUnpackedBytes);
    SetDlgItemTextA(hwnd_, IDC_DEST_REQUIRED, t.required.c_str());
    SetDlgItemTextA(hwnd_, IDC_DEST_FREE, t.free.c_str());
    for (auto& e : files) {
        e->destination = e->savedDestination;
        e->saved = false;
    }
    if (options_.archives)
        for (auto& a : *options_.archives) {
            a->destination = a->savedDestination;
            a->saved = false;
        }
}

}  // namespace installer
