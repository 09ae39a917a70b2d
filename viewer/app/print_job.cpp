#include "print_job.h"
#include <commdlg.h>
#include <imm.h>
#include <algorithm>
#include <cstring>
#include <vector>
#include "abort_dialog.h"
#include "app.h"
#include "sjis.h"
#include "gdi_handles.h"
#include "message_box.h"
#include "print_dialog.h"
#include "print_layout.h"
#include "row_store.h"
#include "settings.h"
#include "text_view.h"
#include "../../resources/viewer/resource.h"

namespace viewer {

PrintOptions& printOptions() {
    static PrintOptions options;
    return options;
}

void Printer::measure() {
    horzRes = GetDeviceCaps(dc, HORZRES);
    vertRes = GetDeviceCaps(dc, VERTRES);
    horzSize = GetDeviceCaps(dc, HORZSIZE);
    vertSize = GetDeviceCaps(dc, VERTSIZE);
    offsetX = GetDeviceCaps(dc, PHYSICALOFFSETX);
    offsetY = GetDeviceCaps(dc, PHYSICALOFFSETY);
    physicalHeight = GetDeviceCaps(dc, PHYSICALHEIGHT);
    UnprintableMargins m =
        unprintableMargins(offsetX, offsetY, physicalHeight, horzRes, vertRes, horzSize, vertSize);
    unprintTop = m.top;
    unprintLeft = m.left;
    unprintBottom = m.bottom;
}

void Printer::release() {
    if (dc) DeleteDC(dc);
    dc = nullptr;
}

bool choosePrinter(HWND owner, Printer& printer) {
    PrintOptions& o = printOptions();
    PRINTDLGA pd = {};
    pd.lStructSize = sizeof pd;
    pd.hwndOwner = owner;
    pd.hDevMode = o.devMode;
    pd.hDevNames = o.devNames;
    pd.Flags = PD_PRINTSETUP | PD_RETURNDC;
    BOOL ok = PrintDlgA(&pd);
    o.devMode = pd.hDevMode;
    o.devNames = pd.hDevNames;
    if (!ok || !pd.hDC) return false;
    printer.release();
    printer.dc = pd.hDC;
    printer.measure();
    if (o.devNames) {
        if (const DEVNAMES* names = static_cast<const DEVNAMES*>(GlobalLock(o.devNames))) {
            common::copyBounded(o.printerName, reinterpret_cast<const char*>(names) + names->wDeviceOffset,
                                sizeof o.printerName);
            GlobalUnlock(o.devNames);
        }
    }
    return true;
}

namespace {

// The default printer from win.ini's "device" value: "name,driver,port".
bool defaultPrinter(std::string* name, std::string* driver) {
    char device[512] = {};
    GetProfileStringA("windows", "device", "", device, sizeof device);
    const char* comma = common::findChar(device, ',');
    *name = comma ? std::string(device, size_t(comma - device)) : std::string(device);
    driver->clear();
    if (comma) {
        const char* p = comma + 1;
        while (*p == ' ') ++p;
        const char* end = common::findChar(p, ',');
        *driver = end ? std::string(p, size_t(end - p)) : std::string(p);
    }
    return !name->empty();
}

// The remembered printer, else the default one; the printer-setup dialog
// when there is none.
bool openPrinter(Printer& printer) {
    App& a = app();
    PrintOptions& o = printOptions();
    std::string name, driver;
    if (!defaultPrinter(&name, &driver)) {
        errorBox(loadText(IDS_NO_DEFAULT_PRINTER));
        return choosePrinter(a.frame, printer);
    }
    // Newer systems find the driver from the printer name themselves.
    const char* drv = a.newShell ? nullptr : driver.c_str();
    DEVMODEA* mode = o.devMode ? static_cast<DEVMODEA*>(GlobalLock(o.devMode)) : nullptr;
    if (o.printerName[0]) printer.dc = CreateDCA(drv, o.printerName, nullptr, mode);
    if (mode) GlobalUnlock(o.devMode);
    if (!printer.dc) {
        common::copyBounded(o.printerName, name.c_str(), sizeof o.printerName);
        printer.dc = CreateDCA(drv, o.printerName, nullptr, nullptr);
    }
    if (!printer.dc) {
        errorBox(loadText(IDS_PRINTER_OPEN_FAILED));
        return choosePrinter(a.frame, printer);
    }
    printer.measure();
    return true;
}

// The window shows a picture of itself while the document is re-wrapped and
// printed: a child static holding a copy of the client area.
class FrozenPicture {
public:
    explicit FrozenPicture(HWND client) : client_(client) {
        if (!client) return;
        RECT r;
        GetClientRect(client, &r);
        common::WindowDC dc(client);
        common::MemoryDC mem(dc.get());
        picture_.reset(CreateCompatibleBitmap(dc.get(), r.right, r.bottom));
        if (!picture_ || !mem.get()) return;
        {
            common::Selected s(mem.get(), picture_.get());
            BitBlt(mem.get(), 0, 0, r.right, r.bottom, dc.get(), 0, 0, SRCCOPY);
        }
        style_ = GetWindowLongPtrA(client, GWL_STYLE);
        SetWindowLongPtrA(client, GWL_STYLE, style_ | WS_CLIPCHILDREN);
        overlay_ = CreateWindowExA(0, "STATIC", nullptr, WS_CHILD | SS_BITMAP, 0, 0, r.right, r.bottom,
                                   client, nullptr, app().instance, nullptr);
        if (overlay_) {
            SendMessageA(overlay_, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture_.get()));
            SetWindowPos(overlay_, HWND_TOP, 0, 0, r.right, r.bottom, SWP_SHOWWINDOW);
        }
    }
    ~FrozenPicture() {
        if (overlay_) {
            DestroyWindow(overlay_);
            SetWindowLongPtrA(client_, GWL_STYLE, style_);
        }
        if (client_) {
            InvalidateRect(client_, nullptr, TRUE);
            UpdateWindow(client_);
        }
    }
    FrozenPicture(const FrozenPicture&) = delete;
    FrozenPicture& operator=(const FrozenPicture&) = delete;

private:
    HWND client_;
    HWND overlay_ = nullptr;
    LONG_PTR style_ = 0;
    common::GdiObject<HBITMAP> picture_;
};

// Re-wraps every logical line at the current fold width and padding.
bool rewrapAll(RowStore& store) {
    int row = 0;
    while (row <= store.lastRow()) {
        if (!store.rewrap(row)) return false;
        row = store.lastRowOfLine(row) + 1;
    }
    return true;
}

// A place in the text that survives re-wrapping: the logical line and the
// byte offset in it, tab padding not counted (its amount depends on the font).
struct TextPlace {
    int line = 1, offset = 0;
};

TextPlace textPlace(RowStore& store, int row, int column) {
    TextPlace p;
    p.line = store.lineNumberOfRow(row);
    for (int r = store.firstRowOfLine(row); r <= row; ++r) {
        const char* t = store.text(r);
        if (!t) break;
        int n = r == row ? std::min(column, store.textLength(r)) : store.textLength(r);
        for (int i = 0; i < n; ++i)
            if (t[i] != 0) ++p.offset;
    }
    return p;
}

void placeToRow(RowStore& store, const TextPlace& p, int* row, int* column) {
    int r = store.rowOfLineNumber(p.line);
    int last = store.lastRowOfLine(r);
    int left = p.offset;
    for (;; ++r) {
        const char* t = store.text(r);
        int n = t ? store.textLength(r) : 0;
        int i = 0;
        while (i < n && (left > 0 || t[i] == 0)) {
            if (t[i] != 0) --left;
            ++i;
        }
        // A place at a row's end is the start of the next row of the line.
        if (left == 0 && (i < n || r == last)) {
            *row = r;
            *column = i;
            return;
        }
        if (r == last) {
            *row = r;
            *column = n;
            return;
        }
    }
}

// Draws the pages on the printer.
class PrinterPages : public PageSink {
public:
    PrinterPages(HDC dc, HFONT font, int x, int top, int lineHeight, int charWidth, bool proportional)
        : dc_(dc), font_(font), x_(x), top_(top), lineH_(lineHeight), charW_(charWidth),
          proportional_(proportional) {}

    bool failed = false;

    void startPage(int page) override {
        if (stopped()) return;
        if (StartPage(dc_) <= 0) {
            failed = true;
            return;
        }
        // Some drivers reset the DC at each page: the font goes in again.
        SelectObject(dc_, font_);
        SetBkMode(dc_, TRANSPARENT);
        y0_ = top_;
        if (fileName || pageNumber) {
            draw(headerLine(page), top_);
            y0_ = top_ + 2 * lineH_;
        }
    }
    void line(int index, const std::string& text) override {
        printAbortProc(dc_, 0);
        if (stopped()) return;
        draw(text, y0_ + index * lineH_);
    }
    void endPage(int) override {
        if (stopped()) return;
        if (EndPage(dc_) <= 0) failed = true;
    }
    bool stopped() const { return failed || printAborted(); }

    bool fileName = false, pageNumber = false;
    std::string documentName;
    std::string pageFormat_ = loadText(IDS_PRINT_PAGE);

private:
    std::string headerLine(int page) const {
        return headerText(documentName, fileName, pageNumber, page, pageFormat_);
    }
    void draw(const std::string& text, int y) {
        if (text.empty()) return;
        if (proportional_) {
            INT stop = 8 * charW_;
            TabbedTextOutA(dc_, x_, y, text.data(), int(text.size()), 1, &stop, x_);
        } else {
            // Every byte one average width: the page keeps its columns.
            dx_.assign(text.size(), charW_);
            ExtTextOutA(dc_, x_, y, 0, nullptr, text.data(), UINT(text.size()), dx_.data());
        }
    }

    HDC dc_;
    HFONT font_;
    int x_, top_, lineH_, charW_;
    bool proportional_;
    int y0_ = 0;
    std::vector<INT> dx_;
};

// The input method is closed while the print dialog is up.
class InputMethodClosed {
public:
    explicit InputMethodClosed(HWND w) : w_(w), imc_(ImmGetContext(w)) {
        if (imc_) {
            open_ = ImmGetOpenStatus(imc_) != FALSE;
            if (open_) ImmSetOpenStatus(imc_, FALSE);
        }
    }
    ~InputMethodClosed() {
        if (imc_) {
            if (open_) ImmSetOpenStatus(imc_, TRUE);
            ImmReleaseContext(w_, imc_);
        }
    }
    InputMethodClosed(const InputMethodClosed&) = delete;
    InputMethodClosed& operator=(const InputMethodClosed&) = delete;

private:
    HWND w_;
    HIMC imc_;
    bool open_ = false;
};

// The print procedure; returns whether the document's rows were re-wrapped.
bool runPrint() {
    App& a = app();
    RowStore& store = *a.store;
    ViewerSettings& s = settings();
    PrintOptions& o = printOptions();
    bool rewrapped = false;

    // Declared before the printer: the font is deleted after the printer's
    // device context that still holds it selected.
    common::GdiObject<HFONT> font;
    Printer printer;
    struct Release {
        Printer& p;
        ~Release() { p.release(); }
    } releasePrinter{printer};
    if (!openPrinter(printer)) return false;

    const Selection& sel = a.view->model().selection();
    bool hasSelection = sel.exists;
    int selStartRow = sel.startRow(), selStartCol = sel.startCol();
    int selEndRow = sel.lastRow(), selEndCol = sel.lastCol();

    TEXTMETRICA tm = {};
    bool proportional = false;
    for (;;) {
        PrintChoice choice;
        {
            InputMethodClosed ime(a.frame);
            choice = runPrintDialog(a.frame, printer, o, hasSelection);
        }
        if (choice != PrintChoice::Print) return rewrapped;

        // The printer font.
        LOGFONTA lf = {};
        if (!printerFaceFont(printer.dc, o.faceName, &lf)) {
            lf.lfCharSet = SHIFTJIS_CHARSET;
            lf.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
            common::copyBounded(lf.lfFaceName, o.faceName[0] ? o.faceName : s.fontFace, LF_FACESIZE);
        }
        const int printerDpi = GetDeviceCaps(printer.dc, LOGPIXELSY);
        if (o.sizeTenths > 0) {
            lf.lfHeight = -MulDiv(o.sizeTenths, printerDpi, 720);
        } else {
            // No size: the screen font's cell height, taken to the printer's
            // resolution so that the print looks as large as the screen.
            common::WindowDC screen(nullptr);
            int screenDpi = GetDeviceCaps(screen.get(), LOGPIXELSY);
            lf.lfHeight = MulDiv(a.view->rowHeight(), printerDpi, screenDpi > 0 ? screenDpi : 96);
        }
        lf.lfWidth = 0;
        lf.lfEscapement = lf.lfOrientation = 0;
        lf.lfWeight = FW_NORMAL;
        lf.lfItalic = lf.lfUnderline = lf.lfStrikeOut = 0;
        font.reset(CreateFontIndirectA(&lf));
        if (!font)
            font.reset(CreateFontA(lf.lfHeight, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0,
                                   FIXED_PITCH | FF_MODERN, s.fontFace));
        {
            common::Selected sf(printer.dc, font.get());
            GetTextMetricsA(printer.dc, &tm);
        }
        // TMPF_FIXED_PITCH set means a variable-pitch font.
        proportional = (tm.tmPitchAndFamily & TMPF_FIXED_PITCH) != 0;

        // Re-wrap for the printer font; the selection is carried over as text places.
        const bool selectionOnly = o.selectionOnly && hasSelection;
        if (proportional != s.fileType.proportionalFont) {
            TextPlace from, to;
            if (selectionOnly) {
                from = textPlace(store, selStartRow, selStartCol);
                to = textPlace(store, selEndRow, selEndCol);
            }
            s.fileType.proportionalFont = proportional;
            rewrapAll(store);
            rewrapped = true;
            if (selectionOnly) {
                placeToRow(store, from, &selStartRow, &selStartCol);
                placeToRow(store, to, &selEndRow, &selEndCol);
            }
        }

        const int lineH = printLineHeight(tm.tmHeight, tm.tmExternalLeading, o.widerSpacing);
        const int charW = std::max<int>(1, tm.tmAveCharWidth);
        const int topPx = marginPixels(o.topMargin, printer.unprintTop, printer.vertRes, printer.vertSize);
        const int bottomPx =
            marginPixels(o.bottomMargin, printer.unprintBottom, printer.vertRes, printer.vertSize);
        const int leftPx = marginPixels(o.leftMargin, printer.unprintLeft, printer.horzRes, printer.horzSize);
        const PrintRange range =
            printRange(store.lastRow(), selectionOnly, selStartRow, selEndRow, selEndCol);

        // Width check: at the fold width first, then at the longest row.
        const int fold = s.fileType.foldColumns;
        int over = overflowColumns(charW, fold, o.lineNumbers, leftPx, printer.horzRes);
        if (over > 0 && !proportional) {
            int longest = 0;
            for (int r = range.first; r <= range.last && longest < fold; ++r)
                longest = std::max(longest, store.textLength(r));
            over = overflowColumns(charW, longest, o.lineNumbers, leftPx, printer.horzRes);
        }
        if (over > 0) {
            std::string question;
            if (proportional) {
                question = loadText(IDS_PRINT_MAY_OVERFLOW);
            } else {
                question = loadText(IDS_PRINT_OVERFLOW_BEFORE) + std::to_string(over) +
                           loadText(IDS_PRINT_OVERFLOW_AFTER);
            }
            int answer =
                common::showMessageBox(a.frame, question.c_str(), "", MB_ICONQUESTION | MB_YESNOCANCEL);
            if (answer == IDCANCEL) continue;
            if (answer == IDYES) {
                a.view->model().cancelSelection();
                s.fileType.foldColumns = narrowedFold(fold, over);
                rewrapAll(store);
                rewrapped = true;
                if (hasSelection) return rewrapped;
            }
        }

        // Printing.
        if (selectionOnly) a.view->model().cancelSelection();
        const std::string docName = a.doc.fileName[0] ? std::string(a.doc.fileName) : loadText(IDS_UNTITLED);
        AbortDialog* box = showAbortDialog(a.frame, docName);
        EnableWindow(a.frame, FALSE);
        SetAbortProc(printer.dc, printAbortProc);
        DOCINFOA doc = {};
        doc.cbSize = sizeof doc;
        doc.lpszDocName = docName.c_str();
        auto finishUi = [&]() {
            EnableWindow(a.frame, TRUE);
            destroyAbortDialog(box);
            if (GetForegroundWindow() == a.frame) SetFocus(a.frame);
        };
        if (StartDocA(printer.dc, &doc) <= 0) {
            finishUi();
            errorBox(loadText(IDS_PRINT_FAILED));
            return rewrapped;
        }
        const bool header = o.fileName || o.pageNumber;
        PrinterPages sink(printer.dc, font.get(), leftPx, topPx, lineH, charW, proportional);
        sink.fileName = o.fileName;
        sink.pageNumber = o.pageNumber;
        sink.documentName = docName;
        PagePrinter pages(sink, rowsPerPage(printer.vertRes, topPx, bottomPx, lineH, header), o.lineNumbers,
                          proportional, range.number);
        for (int r = range.first; r <= range.last && !sink.stopped(); ++r) {
            const char* t = store.text(r);
            if (!t) {
                sink.failed = true;
                break;
            }
            int n = store.textLength(r);
            if (store.isEofRow(r) && n == 0) break;
            pages.addRow(reinterpret_cast<const unsigned char*>(t), n);
        }
        if (!sink.stopped()) pages.finish();
        if (sink.stopped()) {
            // The job is dropped: nothing of it reaches the printer.
            AbortDoc(printer.dc);
        } else if (EndDoc(printer.dc) <= 0) {
            sink.failed = true;
        }
        finishUi();
        if (sink.failed && !printAborted()) errorBox(loadText(IDS_PRINT_FAILED));
        return rewrapped;
    }
}

}  // namespace

void printDocument() {
    App& a = app();
    if (!a.store || !a.view || !a.frame) return;
    ViewerSettings& s = settings();
    const bool proportional = s.fileType.proportionalFont;
    const int caretRow = a.view->model().caretRow(), caretCol = a.view->model().caretColumn();
    // Printing is modal: shut-down requests wait until it is over.
    HMENU sys = GetSystemMenu(a.frame, FALSE);
    if (sys) EnableMenuItem(sys, SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    bool rewrapped = false;
    {
        FrozenPicture frozen(a.client);
        rewrapped = runPrint();
        if (s.fileType.proportionalFont != proportional) {
            s.fileType.proportionalFont = proportional;
            rewrapAll(*a.store);
            rewrapped = true;
        }
        if (rewrapped) {
            a.view->setRows(&a.rows);
            a.view->relayout();
            a.view->goTo(std::min(caretRow, a.store->lastRow()), caretCol);
        }
    }
    PrintOptions& o = printOptions();
    if (o.devMode) GlobalFree(o.devMode);
    if (o.devNames) GlobalFree(o.devNames);
    o.devMode = o.devNames = nullptr;
    if (sys && a.frame) EnableMenuItem(sys, SC_CLOSE, MF_BYCOMMAND | MF_ENABLED);
}

}  // namespace viewer
