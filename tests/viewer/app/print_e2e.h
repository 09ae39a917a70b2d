// Printing from the end-to-end tests: a file printer in the test prefix
// (Wine's PostScript driver on the FILE: port), answering the viewer's
// dialogs and Wine's output-file box, and reading the printed text back.
#pragma once
#include <windows.h>
#include <winspool.h>
#include <string>
#include <vector>
#include "kelview_e2e.h"

namespace kvtest {

constexpr char kTestPrinter[] = "Disc Test Printer";

// Ghostscript's PDF-writer description serves as the printer's PPD; its
// folder carries Ghostscript's version.
inline std::string ghostscriptPpd() {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA("Z:\\usr\\share\\ghostscript\\*", &fd);
    std::string found;
    if (h == INVALID_HANDLE_VALUE) return found;
    do {
        if (fd.cFileName[0] == '.') continue;
        std::string ppd = std::string("Z:\\usr\\share\\ghostscript\\") + fd.cFileName + "\\lib\\ghostpdf.ppd";
        if (GetFileAttributesA(ppd.c_str()) != INVALID_FILE_ATTRIBUTES) found = ppd;
    } while (found.empty() && FindNextFileA(h, &fd));
    FindClose(h);
    return found;
}

// Installs the file printer once per prefix and makes it the default.
inline bool installFilePrinter() {
    HANDLE h = nullptr;
    PRINTER_DEFAULTSA access = {};
    access.DesiredAccess = PRINTER_ALL_ACCESS;
    if (!OpenPrinterA(const_cast<char*>(kTestPrinter), &h, &access)) {
        std::string ppd = ghostscriptPpd();
        if (ppd.empty()) return false;
        DRIVER_INFO_3A di = {};
        di.cVersion = 3;
        di.pName = const_cast<char*>("Wine PostScript Driver");
        di.pDriverPath = const_cast<char*>("wineps.drv");
        di.pConfigFile = const_cast<char*>("wineps.drv");
        di.pDataFile = const_cast<char*>(ppd.c_str());
        AddPrinterDriverExA(nullptr, 3, reinterpret_cast<BYTE*>(&di),
                            APD_COPY_NEW_FILES | APD_COPY_FROM_DIRECTORY);
        PRINTER_INFO_2A pi = {};
        pi.pPrinterName = const_cast<char*>(kTestPrinter);
        pi.pPortName = const_cast<char*>("FILE:");
        pi.pDriverName = const_cast<char*>("Wine PostScript Driver");
        pi.pPrintProcessor = const_cast<char*>("WinPrint");
        pi.pDatatype = const_cast<char*>("RAW");
        pi.Attributes = PRINTER_ATTRIBUTE_LOCAL;
        h = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&pi));
        if (!h) return false;
    }
    ClosePrinter(h);
    return SetDefaultPrinterA(kTestPrinter) != FALSE;
}

// The default printer's entry of win.ini, which the viewer reads.
constexpr char kWindowsKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";

inline std::string defaultPrinterEntry() {
    char v[512] = {};
    GetProfileStringA("windows", "device", "", v, sizeof v);
    return v;
}

// Clears the default-printer entry for one test and puts it back after.
class NoDefaultPrinter {
public:
    NoDefaultPrinter() : saved_(defaultPrinterEntry()) { WriteProfileStringA("windows", "device", nullptr); }
    ~NoDefaultPrinter() {
        if (!saved_.empty()) WriteProfileStringA("windows", "device", saved_.c_str());
    }
    NoDefaultPrinter(const NoDefaultPrinter&) = delete;
    NoDefaultPrinter& operator=(const NoDefaultPrinter&) = delete;

private:
    std::string saved_;
};

// Wine's own box for the output file of a FILE: port: the name goes into
// its edit field, then OK.
inline bool answerOutputFile(e2e::Driver& d, const e2e::Process& p, const std::string& path) {
    HWND box = d.waitWindowTitled(p, "ファイルに出力", 20000);
    if (!box) return false;
    HWND edit = e2e::findChild(box, "Edit");
    if (!edit || !e2e::setText(edit, path)) return false;
    return e2e::pressButton(box, IDOK);
}

// "Z:\\a\\b" -> "/a/b": programs of the Linux side take Unix paths.
inline std::string unixPath(const std::string& winPath) {
    std::string out;
    for (size_t i = winPath.rfind("Z:", 0) == 0 ? 2 : 0; i < winPath.size(); ++i)
        out += winPath[i] == '\\' ? '/' : winPath[i];
    return out;
}

// Starts a program of the Linux side (Wine runs Unix executables). Wine does
// not wait for them, so the caller waits for the file the program writes.
inline bool startUnix(const std::string& commandLine) {
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    std::string cmd = commandLine;
    if (!CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return false;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return true;
}

// Runs the program and waits for `result` to appear (written whole: the
// programs write elsewhere and rename).
inline bool runUnixFor(const std::string& commandLine, const std::string& result, DWORD timeoutMs = 60000) {
    DeleteFileA(result.c_str());
    return startUnix(commandLine) && e2e::waitForFile(result, timeoutMs);
}

// The text of every page of a PostScript file as Shift-JIS lines; pages
// are separated by a line holding only a form feed.
inline std::vector<std::vector<std::string>> printedPages(const std::string& psFile) {
    std::vector<std::vector<std::string>> pages;
    std::string txt = psFile + ".txt";
    std::string script = e2e::source("tools/ps_text.py");
    if (!runUnixFor("/usr/bin/python3 \"" + unixPath(script) + "\" \"" + unixPath(psFile) + "\" \"" +
                        unixPath(txt) + "\"",
                    txt))
        return pages;
    std::string bytes;
    if (!e2e::readFile(txt, &bytes)) return pages;
    pages.emplace_back();
    size_t pos = 0;
    while (pos < bytes.size()) {
        size_t nl = bytes.find('\n', pos);
        std::string line = bytes.substr(pos, nl == std::string::npos ? std::string::npos : nl - pos);
        pos = nl == std::string::npos ? bytes.size() : nl + 1;
        if (line == "\f")
            pages.emplace_back();
        else
            pages.back().push_back(line);
    }
    return pages;
}

// Renders the first page to a PNG for people to look at.
inline bool renderPage(const std::string& psFile, const std::string& pngName) {
    const std::string png = std::string(SCREENSHOT_DIR) + "/" + pngName;
    CreateDirectoryA(e2e::winPath(SCREENSHOT_DIR).c_str(), nullptr);
    return runUnixFor(
        "/usr/bin/gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=png16m -r100 -dFirstPage=1 -dLastPage=1 "
        "-sOutputFile=\"" +
            png + "\" \"" + unixPath(psFile) + "\"",
        e2e::winPath(png));
}

}  // namespace kvtest
