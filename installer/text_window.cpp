#include "text_window.h"
#include "resource.h"
#include "sjis.h"
#include "texts.h"
#include <richedit.h>
#include <shellapi.h>

namespace installer {

namespace {

const char kRichEditLibrary[] = "riched32.dll";
const int kMargin = 3;
const int kButtonStrip = 35;

struct StreamSource {
    const std::string* data;
    size_t at;
};

DWORD CALLBACK streamIn(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
    StreamSource* s = reinterpret_cast<StreamSource*>(cookie);
    size_t left = s->data->size() - s->at;
    size_t take = left < (size_t)size ? left : (size_t)size;
    memcpy(buffer, s->data->data() + s->at, take);
    s->at += take;
    *done = (LONG)take;
    return 0;
}

}  // namespace

bool isRtfText(const std::string& data) { return common::startsWithNoCase(data.c_str(), "{\\rtf1"); }

bool TextWindow::show(HINSTANCE instance, HWND owner) {
    // The library stays loaded while the window is up only.
    HMODULE richEdit = LoadLibraryA(kRichEditLibrary);
    if (!richEdit) return false;
    INT_PTR r = runModal(instance, IDD_TEXTWINDOW, owner);
    FreeLibrary(richEdit);
    return r != -1;
}

BOOL TextWindow::onInit() {
    HINSTANCE instance = (HINSTANCE)GetWindowLongPtrA(hwnd_, GWLP_HINSTANCE);
    HICON icon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_TEXTWINDOW));
    SendMessageA(hwnd_, WM_SETICON, ICON_BIG, (LPARAM)icon);
    SendMessageA(hwnd_, WM_SETICON, ICON_SMALL, (LPARAM)icon);
    SetWindowTextA(hwnd_, title_.c_str());
    edit_ = CreateWindowExA(WS_EX_CLIENTEDGE, "RICHEDIT", "",
                            WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_READONLY |
                                ES_AUTOVSCROLL | ES_AUTOHSCROLL,
                            0, 0, 10, 10, hwnd_, (HMENU)(INT_PTR)IDC_TEXT_EDIT, instance, nullptr);
    if (!edit_) {
        EndDialog(hwnd_, -1);
        return TRUE;
    }
    CHARFORMATA format = {};
    format.cbSize = sizeof format;
    format.dwMask = CFM_FACE | CFM_CHARSET;
    format.bCharSet = SHIFTJIS_CHARSET;
    common::copyBounded(format.szFaceName, texts::kTextWindowFont, sizeof format.szFaceName);
    SendMessageA(edit_, EM_SETCHARFORMAT, SCF_ALL, (LPARAM)&format);
    SendMessageA(edit_, EM_EXLIMITTEXT, 0, (LPARAM)(data_.size() * 2 + 0x10000));
    SendMessageA(edit_, EM_AUTOURLDETECT, TRUE, 0);
    SendMessageA(edit_, EM_SETEVENTMASK, 0, ENM_LINK);

    // An end-of-file byte (0x1A) left by old editors is not part of the text.
    if (!data_.empty() && data_.back() == '\x1a') data_.pop_back();
    StreamSource source = {&data_, 0};
    EDITSTREAM stream = {};
    stream.dwCookie = (DWORD_PTR)&source;
    stream.pfnCallback = streamIn;
    SendMessageA(edit_, EM_STREAMIN, isRtfText(data_) ? SF_RTF : SF_TEXT, (LPARAM)&stream);
    CHARRANGE start = {0, 0};
    SendMessageA(edit_, EM_EXSETSEL, 0, (LPARAM)&start);

    RECT rc;
    GetClientRect(hwnd_, &rc);
    layout(rc.right, rc.bottom);
    SetForegroundWindow(hwnd_);
    SetFocus(edit_);
    return FALSE;
}

void TextWindow::layout(int width, int height) {
    int editHeight = height - kButtonStrip - kMargin;
    if (edit_)
        MoveWindow(edit_, kMargin, kMargin, width > 2 * kMargin ? width - 2 * kMargin : 0,
                   editHeight > 0 ? editHeight : 0, TRUE);
    HWND close = item(IDCANCEL);
    RECT r;
    GetWindowRect(close, &r);
    int w = r.right - r.left, h = r.bottom - r.top;
    MoveWindow(close, width - kMargin - w, height - (kButtonStrip + h) / 2, w, h, TRUE);
}

void TextWindow::openLink(LONG start, LONG end) {
    if (end <= start) return;
    std::string text((size_t)(end - start) * 2 + 2, '\0');
    TEXTRANGEA range = {};
    range.chrg.cpMin = start;
    range.chrg.cpMax = end;
    range.lpstrText = &text[0];
    SendMessageA(edit_, EM_GETTEXTRANGE, 0, (LPARAM)&range);
    text.resize(strlen(text.c_str()));
    // Only web and mail addresses are opened: a "file:" link in a document
    // from a disc must not start a program.
    bool web = false;
    for (const char* scheme : {"http://", "https://", "ftp://", "mailto:"})
        web = web || common::startsWithNoCase(text.c_str(), scheme);
    if (web) ShellExecuteA(hwnd_, nullptr, text.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void TextWindow::onCommand(int id, int, HWND) {
    if (id == IDCANCEL || id == IDOK) EndDialog(hwnd_, IDCANCEL);
}

INT_PTR TextWindow::onMessage(UINT message, WPARAM, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        layout(LOWORD(lParam), HIWORD(lParam));
        return TRUE;
    case WM_GETMINMAXINFO: {
        MINMAXINFO* mm = reinterpret_cast<MINMAXINFO*>(lParam);
        mm->ptMinTrackSize.x = 200;
        mm->ptMinTrackSize.y = 120;
        return TRUE;
    }
    case WM_NOTIFY: {
        NMHDR* n = reinterpret_cast<NMHDR*>(lParam);
        if (n->idFrom == IDC_TEXT_EDIT && n->code == EN_LINK) {
            ENLINK* link = reinterpret_cast<ENLINK*>(lParam);
            if (link->msg == WM_LBUTTONDOWN) openLink(link->chrg.cpMin, link->chrg.cpMax);
        }
        return TRUE;
    }
    }
    return FALSE;
}

}  // namespace installer
