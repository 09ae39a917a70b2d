#include "print_dialog.h"
#include <commctrl.h>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>
#include "app.h"
#include "sjis.h"
#include "dialog_base.h"
#include "../../resources/viewer/resource.h"

namespace viewer {
namespace {

constexpr int kMaxFaces = 256;
constexpr int kMaxBitmapSizes = 32;
constexpr int kMaxMargin = 999;
const int kScalableSizes[] = {80,  90,  95,  100, 105, 110, 120, 140, 160,
                              180, 200, 220, 240, 260, 280, 360, 480, 720};

struct FaceList {
    std::vector<std::string> names;
};

int CALLBACK collectFace(const LOGFONTA* lf, const TEXTMETRICA*, DWORD, LPARAM lp) {
    FaceList* list = reinterpret_cast<FaceList*>(lp);
    // Vertical-writing faces ("@...") are left out; the platform lists a
    // face once per character set, so neighbours repeat.
    if (lf->lfFaceName[0] == '@') return 1;
    if (!list->names.empty() && list->names.back() == lf->lfFaceName) return 1;
    list->names.push_back(lf->lfFaceName);
    return int(list->names.size()) < kMaxFaces;
}

struct FaceFont {
    LOGFONTA lf = {};
    bool found = false;
    bool scalable = false;
};

int CALLBACK findFace(const LOGFONTA* lf, const TEXTMETRICA*, DWORD type, LPARAM lp) {
    FaceFont* f = reinterpret_cast<FaceFont*>(lp);
    if (!f->found) {
        f->lf = *lf;
        f->found = true;
        f->scalable = (type & (TRUETYPE_FONTTYPE | DEVICE_FONTTYPE)) != 0 && !(type & RASTER_FONTTYPE);
    }
    return 0;
}

struct SizeList {
    int screenDpi = 96;
    std::vector<int> tenths;
};

int CALLBACK collectSize(const LOGFONTA*, const TEXTMETRICA* tm, DWORD, LPARAM lp) {
    SizeList* s = reinterpret_cast<SizeList*>(lp);
    int tenths = (tm->tmHeight - tm->tmInternalLeading) * 720 / (s->screenDpi > 0 ? s->screenDpi : 96);
    for (int t : s->tenths)
        if (t == tenths) return 1;
    s->tenths.push_back(tenths);
    return int(s->tenths.size()) < kMaxBitmapSizes;
}

std::string sizeText(int tenths) {
    char buf[16];
    if (tenths % 10)
        std::snprintf(buf, sizeof buf, "%u.%u", unsigned(tenths / 10), unsigned(tenths % 10));
    else
        std::snprintf(buf, sizeof buf, "%u", unsigned(tenths / 10));
    return buf;
}

// "10.5" -> 105; digits after the first decimal are dropped.
int parseSize(const char* text) {
    unsigned whole = 0, tenth = 0;
    const char* p = text;
    while (*p == ' ') ++p;
    while (*p >= '0' && *p <= '9' && whole < 10000) whole = whole * 10 + unsigned(*p++ - '0');
    if (*p == '.' && p[1] >= '0' && p[1] <= '9') tenth = unsigned(p[1] - '0');
    return int(whole * 10 + tenth);
}

class PrintDialog : public common::DialogBase {
public:
    PrintDialog(Printer& printer, PrintOptions& options, bool selection)
        : printer_(printer), options_(options), selection_(selection) {}

protected:
    BOOL onInit() override {
        showMargins();
        CheckDlgButton(hwnd_, IDC_PRINT_FILE_NAME, options_.fileName ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(hwnd_, IDC_PRINT_PAGE_NUMBER, options_.pageNumber ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(hwnd_, IDC_PRINT_LINE_NUMBERS, options_.lineNumbers ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(hwnd_, IDC_PRINT_WIDE_SPACING, options_.widerSpacing ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(hwnd_, IDC_PRINT_SELECTION, selection_ ? BST_CHECKED : BST_UNCHECKED);
        EnableWindow(item(IDC_PRINT_SELECTION), selection_);
        fillFaces();
        SetDlgItemTextA(hwnd_, IDC_PRINT_SIZE, sizeText(options_.sizeTenths).c_str());
        fillSizes();
        SetDlgItemTextA(hwnd_, IDC_PRINT_PRINTER, options_.printerName);
        return TRUE;
    }

    void onCommand(int id, int code, HWND) override {
        switch (id) {
        case IDOK:
            readValues();
            EndDialog(hwnd_, IDOK);
            break;
        case IDC_PRINT_CLOSE:
            readValues();
            EndDialog(hwnd_, IDC_PRINT_CLOSE);
            break;
        case IDCANCEL:
            EndDialog(hwnd_, IDCANCEL);
            break;
        case IDC_PRINT_SETUP:
            if (choosePrinter(hwnd_, printer_)) {
                SetDlgItemTextA(hwnd_, IDC_PRINT_PRINTER, options_.printerName);
                showMargins();
                fillFaces();
                fillSizes();
            }
            break;
        case IDC_PRINT_FACE:
            if (code == CBN_SELCHANGE) fillSizes();
            break;
        default:
            break;
        }
    }

private:
    void showMargins() {
        const struct {
            int edit, spin, label;
            int* margin;
            int minimum;
        } rows[] = {
            {IDC_PRINT_TOP, IDC_PRINT_TOP_SPIN, IDC_PRINT_TOP_MIN, &options_.topMargin, printer_.unprintTop},
            {IDC_PRINT_BOTTOM, IDC_PRINT_BOTTOM_SPIN, IDC_PRINT_BOTTOM_MIN, &options_.bottomMargin,
             printer_.unprintBottom},
            {IDC_PRINT_LEFT, IDC_PRINT_LEFT_SPIN, IDC_PRINT_LEFT_MIN, &options_.leftMargin,
             printer_.unprintLeft},
        };
        const std::string suffix = loadText(IDS_PRINT_MARGIN_SUFFIX);
        for (const auto& r : rows) {
            if (*r.margin < r.minimum) *r.margin = r.minimum;
            SendDlgItemMessageA(hwnd_, r.spin, UDM_SETRANGE32, WPARAM(r.minimum), LPARAM(kMaxMargin));
            SendDlgItemMessageA(hwnd_, r.spin, UDM_SETPOS32, 0, LPARAM(*r.margin));
            char label[32];
            std::snprintf(label, sizeof label, "(%d", r.minimum);
            SetDlgItemTextA(hwnd_, r.label, (label + suffix).c_str());
            SetDlgItemInt(hwnd_, r.edit, UINT(*r.margin), FALSE);
        }
    }

    void fillFaces() {
        HWND list = item(IDC_PRINT_FACE);
        SendMessageA(list, CB_RESETCONTENT, 0, 0);
        FaceList faces;
        LOGFONTA lf = {};
        lf.lfCharSet = DEFAULT_CHARSET;
        if (printer_.dc)
            EnumFontFamiliesExA(printer_.dc, &lf, collectFace, reinterpret_cast<LPARAM>(&faces), 0);
        int pick = 0;
        for (size_t i = 0; i < faces.names.size(); ++i) {
            SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(faces.names[i].c_str()));
            if (faces.names[i] == options_.faceName) pick = int(i);
        }
        SendMessageA(list, CB_SETCURSEL, WPARAM(pick), 0);
    }

    std::string chosenFace() {
        HWND list = item(IDC_PRINT_FACE);
        LRESULT sel = SendMessageA(list, CB_GETCURSEL, 0, 0);
        char face[LF_FACESIZE] = {};
        if (sel != CB_ERR && SendMessageA(list, CB_GETLBTEXTLEN, WPARAM(sel), 0) < LF_FACESIZE)
            SendMessageA(list, CB_GETLBTEXT, WPARAM(sel), reinterpret_cast<LPARAM>(face));
        return face;
    }

    void fillSizes() {
        HWND combo = item(IDC_PRINT_SIZE);
        char current[16] = {};
        GetWindowTextA(combo, current, sizeof current);
        SendMessageA(combo, CB_RESETCONTENT, 0, 0);
        std::string face = chosenFace();
        FaceFont font;
        LOGFONTA lf = {};
        lf.lfCharSet = DEFAULT_CHARSET;
        common::copyBounded(lf.lfFaceName, face.c_str(), LF_FACESIZE);
        if (printer_.dc && !face.empty())
            EnumFontFamiliesExA(printer_.dc, &lf, findFace, reinterpret_cast<LPARAM>(&font), 0);
        std::vector<int> sizes;
        if (!font.found || font.scalable) {
            sizes.assign(std::begin(kScalableSizes), std::end(kScalableSizes));
        } else {
            SizeList list;
            HDC screen = GetDC(nullptr);
            list.screenDpi = GetDeviceCaps(screen, LOGPIXELSY);
            ReleaseDC(nullptr, screen);
            lf.lfCharSet = font.lf.lfCharSet;
            EnumFontFamiliesExA(printer_.dc, &lf, collectSize, reinterpret_cast<LPARAM>(&list), 0);
            sizes = list.tenths;
        }
        const int want = parseSize(current);
        for (int t : sizes) {
            LRESULT at = SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(sizeText(t).c_str()));
            if (t == want && at >= 0) SendMessageA(combo, CB_SETCURSEL, WPARAM(at), 0);
        }
        SetWindowTextA(combo, current);
    }

    void readValues() {
        const struct {
            int edit;
            int* margin;
            int minimum;
        } rows[] = {{IDC_PRINT_TOP, &options_.topMargin, printer_.unprintTop},
                    {IDC_PRINT_BOTTOM, &options_.bottomMargin, printer_.unprintBottom},
                    {IDC_PRINT_LEFT, &options_.leftMargin, printer_.unprintLeft}};
        for (const auto& r : rows) {
            int v = int(GetDlgItemInt(hwnd_, r.edit, nullptr, FALSE));
            if (v > kMaxMargin) v = kMaxMargin;
            *r.margin = v < r.minimum ? r.minimum : v;
        }
        options_.fileName = IsDlgButtonChecked(hwnd_, IDC_PRINT_FILE_NAME) == BST_CHECKED;
        options_.pageNumber = IsDlgButtonChecked(hwnd_, IDC_PRINT_PAGE_NUMBER) == BST_CHECKED;
        options_.lineNumbers = IsDlgButtonChecked(hwnd_, IDC_PRINT_LINE_NUMBERS) == BST_CHECKED;
        options_.widerSpacing = IsDlgButtonChecked(hwnd_, IDC_PRINT_WIDE_SPACING) == BST_CHECKED;
        options_.selectionOnly = selection_ && IsDlgButtonChecked(hwnd_, IDC_PRINT_SELECTION) == BST_CHECKED;
        common::copyBounded(options_.faceName, chosenFace().c_str(), LF_FACESIZE);
        char size[16] = {};
        GetDlgItemTextA(hwnd_, IDC_PRINT_SIZE, size, sizeof size);
        options_.sizeTenths = parseSize(size);
    }

    Printer& printer_;
    PrintOptions& options_;
    bool selection_;
};

}  // namespace

bool printerFaceFont(HDC dc, const char* face, LOGFONTA* lf) {
    if (!dc || !face || !face[0]) return false;
    FaceFont font;
    LOGFONTA want = {};
    want.lfCharSet = DEFAULT_CHARSET;
    common::copyBounded(want.lfFaceName, face, LF_FACESIZE);
    EnumFontFamiliesExA(dc, &want, findFace, reinterpret_cast<LPARAM>(&font), 0);
    if (!font.found) return false;
    *lf = font.lf;
    return true;
}

PrintChoice runPrintDialog(HWND owner, Printer& printer, PrintOptions& options, bool selection) {
    // The dialog works on a copy: Cancel leaves the options as they were,
    // except the printer, which the setup button has already replaced.
    PrintOptions work = options;
    PrintDialog dialog(printer, work, selection);
    INT_PTR r = dialog.runModal(app().instance, IDD_PRINT, owner);
    if (r == IDOK || r == IDC_PRINT_CLOSE) {
        options = work;
        return r == IDOK ? PrintChoice::Print : PrintChoice::Close;
    }
    common::copyBounded(options.printerName, work.printerName, sizeof options.printerName);
    options.devMode = work.devMode;
    options.devNames = work.devNames;
    return PrintChoice::Cancel;
}

}  // namespace viewer
