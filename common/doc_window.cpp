#include "doc_window.h"
#include "dialog_base.h"
#include "doc_window_res.h"
#include "file_reader.h"
#include "sjis.h"
#include "message_box.h"
#include <richedit.h>
#include <shellapi.h>
#include <cstring>
#include <string>
#include <vector>

namespace common {

namespace {

const char kRichEditLibrary[] = "riched32.dll";
const char kDocumentFace[] = "ＭＳ ゴシック";
// Rich edit 1.0 stops at 32 K characters unless told otherwise; documents on
// the disc are often longer.
const LONG kMinimumTextLimit = 64 * 1024;
// Links longer than this are not opened (no address on a disc is that long).
const LONG kMaximumLinkCharacters = 2048;

HMODULE richEditLibrary = nullptr;

struct StreamSource {
    const char* bytes;
    LONG remaining;
};

DWORD CALLBACK streamFromMemory(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given) {
    StreamSource* source = reinterpret_cast<StreamSource*>(cookie);
    LONG n = wanted < source->remaining ? wanted : source->remaining;
    if (n > 0) std::memcpy(buffer, source->bytes, n);
    source->bytes += n;
    source->remaining -= n;
    *given = n;
    return 0;
}

void streamText(HWND richEdit, const char* bytes, LONG length, UINT format) {
    StreamSource source = {bytes, length};
    EDITSTREAM stream = {};
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(&source);
    stream.pfnCallback = streamFromMemory;
    SendMessageA(richEdit, EM_STREAMIN, format, reinterpret_cast<LPARAM>(&stream));
}

std::string loadText(UINT id) {
    char buffer[128];
    int n = LoadStringA(GetModuleHandleA(nullptr), id, buffer, sizeof buffer);
    return std::string(buffer, n > 0 ? n : 0);
}

class DocumentWindow : public DialogBase {
public:
    HWND parent = nullptr;
    // First-opening placement of the current request.
    RECT requested = {};
    bool hasSize = false;
    // Placement kept for the rest of the run once the window was shown.
    RECT remembered = {};
    bool placed = false;

    void showLink(const DocumentRequest& request);
    void showText(const char* bytes, LONG length, bool rtf);

protected:
    BOOL onInit() override;
    void onCommand(int id, int code, HWND control) override;
    INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void placeFirstTime();
    void layout(int cx, int cy);
    void openLinkAt(const CHARRANGE& range);
    void openLinkField();
};

DocumentWindow window;

BOOL DocumentWindow::onInit() {
    HWND richEdit = item(IDC_DOCUMENT_TEXT);
    SendMessageA(richEdit, EM_AUTOURLDETECT, TRUE, 0);
    SendMessageA(richEdit, EM_SETEVENTMASK, 0, ENM_LINK);
    if (placed) {
        MoveWindow(hwnd_, remembered.left, remembered.top, remembered.right - remembered.left,
                   remembered.bottom - remembered.top, FALSE);
    } else {
        placeFirstTime();
    }
    RECT client;
    GetClientRect(hwnd_, &client);
    layout(client.right, client.bottom);
    return TRUE;
}

void DocumentWindow::placeFirstTime() {
    RECT own;
    GetWindowRect(hwnd_, &own);
    POINT origin = {requested.left, requested.top};
    ClientToScreen(parent, &origin);
    int width = requested.right > 0 ? requested.right : own.right - own.left;
    int height = requested.bottom > 0 ? requested.bottom : own.bottom - own.top;
    int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    if (origin.x + width > screenWidth) origin.x = screenWidth - width;
    if (origin.x < 0) origin.x = 0;  // wider than the screen: keep the caption reachable
    MoveWindow(hwnd_, origin.x, origin.y, width, height, FALSE);
    GetWindowRect(hwnd_, &remembered);
    placed = true;
}

void DocumentWindow::layout(int cx, int cy) {
    HWND richEdit = item(IDC_DOCUMENT_TEXT);
    HWND close = item(IDCANCEL);
    HWND link = item(IDC_DOCUMENT_LINK);
    HWND open = item(IDC_DOCUMENT_OPEN_LINK);
    RECT r;
    GetWindowRect(close, &r);
    int closeWidth = r.right - r.left, closeHeight = r.bottom - r.top;
    GetWindowRect(open, &r);
    int openWidth = r.right - r.left, openHeight = r.bottom - r.top;
    GetWindowRect(link, &r);
    int linkHeight = r.bottom - r.top;
    int textHeight = cy - closeHeight - 4;
    MoveWindow(richEdit, 0, 0, cx, textHeight > 0 ? textHeight : 0, TRUE);
    MoveWindow(close, 4, cy - closeHeight - 2, closeWidth, closeHeight, TRUE);
    MoveWindow(open, cx - openWidth - 4, cy - openHeight - 2, openWidth, openHeight, TRUE);
    int linkWidth = cx - openWidth - closeWidth - 16;
    MoveWindow(link, 4 + closeWidth + 8, cy - linkHeight - 2, linkWidth > 0 ? linkWidth : 0, linkHeight,
               TRUE);
}

void DocumentWindow::showLink(const DocumentRequest& request) {
    HWND link = item(IDC_DOCUMENT_LINK);
    HWND open = item(IDC_DOCUMENT_OPEN_LINK);
    if (request.link[0] == '\0') {
        ShowWindow(link, SW_HIDE);
        ShowWindow(open, SW_HIDE);
        return;
    }
    char text[sizeof request.link];
    copyBounded(text, request.link, sizeof text);
    SetWindowTextA(link, text);
    // The caption follows the kind of link of every document, so a folder
    // link after a web address gets the folder caption back.
    std::string caption =
        loadText(request.linkIsWebAddress ? IDS_DOCUMENT_OPEN_WEB : IDS_DOCUMENT_OPEN_FOLDER);
    if (!caption.empty()) SetWindowTextA(open, caption.c_str());
    ShowWindow(link, SW_SHOW);
    ShowWindow(open, SW_SHOW);
}

void DocumentWindow::showText(const char* bytes, LONG length, bool rtf) {
    HWND richEdit = item(IDC_DOCUMENT_TEXT);
    CHARFORMATA format = {};
    format.cbSize = sizeof format;
    format.dwMask = CFM_FACE;
    copyBounded(format.szFaceName, kDocumentFace, sizeof format.szFaceName);
    SendMessageA(richEdit, EM_SETCHARFORMAT, 0, reinterpret_cast<LPARAM>(&format));
    LONG limit = length + 1 > kMinimumTextLimit ? length + 1 : kMinimumTextLimit;
    SendMessageA(richEdit, EM_EXLIMITTEXT, 0, limit);
    streamText(richEdit, "", 0, SF_TEXT);
    streamText(richEdit, bytes, length, rtf ? SF_RTF : SF_TEXT);
    CHARRANGE start = {0, 0};
    SendMessageA(richEdit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&start));
}

void DocumentWindow::onCommand(int id, int code, HWND control) {
    (void)code;
    (void)control;
    switch (id) {
    case IDCANCEL:
        DestroyWindow(hwnd_);
        break;
    case IDC_DOCUMENT_OPEN_LINK:
        openLinkField();
        break;
    }
}

void DocumentWindow::openLinkField() {
    char link[260];
    if (GetDlgItemTextA(hwnd_, IDC_DOCUMENT_LINK, link, sizeof link) > 0 && link[0])
        ShellExecuteA(hwnd_, "open", link, nullptr, nullptr, SW_SHOWNORMAL);
}

void DocumentWindow::openLinkAt(const CHARRANGE& range) {
    HWND richEdit = item(IDC_DOCUMENT_TEXT);
    LONG characters = range.cpMax - range.cpMin;
    if (characters <= 0 || characters > kMaximumLinkCharacters) return;
    SendMessageA(richEdit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    // A character may take two bytes; the buffer is sized for that, so a long
    // selection can never run past it.
    std::vector<char> text(characters * 2 + 1, '\0');
    TEXTRANGEA textRange;
    textRange.chrg = range;
    textRange.lpstrText = text.data();
    SendMessageA(richEdit, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&textRange));
    text.back() = '\0';
    if (text[0]) ShellExecuteA(hwnd_, nullptr, text.data(), nullptr, nullptr, SW_SHOWNORMAL);
}

INT_PTR DocumentWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        layout(LOWORD(lParam), HIWORD(lParam));
        return TRUE;
    case WM_NOTIFY: {
        const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom == IDC_DOCUMENT_TEXT && header->code == EN_LINK) {
            const ENLINK* link = reinterpret_cast<const ENLINK*>(lParam);
            if (link->msg == WM_LBUTTONDOWN) {
                openLinkAt(link->chrg);
                SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, 1);
                return TRUE;
            }
        }
        return FALSE;
    }
    case WM_EXITSIZEMOVE:
        GetWindowRect(hwnd_, &remembered);
        return TRUE;
    case WM_DESTROY:
        if (parent) PostMessageA(parent, WM_DOCUMENT_CLOSED, 0, 0);
        return TRUE;
    }
    return FALSE;
}

void showCreateError() {
    DWORD error = GetLastError();
    char* text = nullptr;
    FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        error, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<LPSTR>(&text), 0, nullptr);
    showMessageBox(nullptr, text ? text : "", nullptr, MB_OK | MB_ICONERROR);
    if (text) LocalFree(text);
}

}  // namespace

void DocumentRequest::setLink(const char* text) { copyBounded(link, text, sizeof link); }

void DocumentRequest::setTextFile(const char* path) { copyBounded(textFile, path, sizeof textFile); }

HWND openDocument(HWND parent, const DocumentRequest& request) {
    FileReader reader(request.textFile);
    void* locked = nullptr;
    HGLOBAL memory = reader.readAll(true, &locked);
    if (!memory) return window.handle();
    const char* bytes = static_cast<const char*>(locked);
    LONG length = static_cast<LONG>(std::strlen(bytes));
    if (length > 0 && bytes[length - 1] == '\x1A') --length;
    bool rtf = startsWithNoCase(bytes, "{\\rtf1");

    if (!richEditLibrary) richEditLibrary = LoadLibraryA(kRichEditLibrary);
    if (richEditLibrary) {
        if (!window.handle()) {
            window.parent = parent;
            window.requested = {request.x, request.y, request.width, request.height};
            if (window.createModeless(GetModuleHandleA(nullptr), IDD_DOCUMENT, parent))
                ShowWindow(window.handle(), SW_SHOWNORMAL);
            else
                showCreateError();
        }
        if (window.handle()) {
            window.showLink(request);
            window.showText(bytes, length, rtf);
        }
    }
    GlobalUnlock(memory);
    GlobalFree(memory);
    return window.handle();
}

HWND documentWindow() { return window.handle(); }

void closeDocument() {
    if (window.handle()) DestroyWindow(window.handle());
}

void resetDocumentPlacement() { window.placed = false; }

void releaseDocumentLibrary() {
    closeDocument();
    if (richEditLibrary) {
        FreeLibrary(richEditLibrary);
        richEditLibrary = nullptr;
    }
}

}  // namespace common
