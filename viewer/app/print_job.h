// Printing the document (command 199): the print options kept for the
// process, the printer's device context and the print procedure.
#pragma once
#include <windows.h>
#include <string>

namespace viewer {

// Chosen in the print dialog; kept for the process, never stored.
struct PrintOptions {
    int topMargin = 0, bottomMargin = 0, leftMargin = 0;  // millimetres
    bool fileName = false, pageNumber = false, lineNumbers = false, widerSpacing = false,
         selectionOnly = false;
    char printerName[128] = {};
    HGLOBAL devMode = nullptr, devNames = nullptr;  // printer-setup data
    char faceName[LF_FACESIZE] = {};
    int sizeTenths = 0;  // points times ten
};

PrintOptions& printOptions();

// The printer in use during one print command.
struct Printer {
    HDC dc = nullptr;
    int horzRes = 0, vertRes = 0, horzSize = 0, vertSize = 0;
    int offsetX = 0, offsetY = 0, physicalHeight = 0;
    int unprintTop = 0, unprintLeft = 0, unprintBottom = 0;
    // Reads the metrics and the unprintable margins of `dc`.
    void measure();
    void release();
};

// Replaces the printer with the one chosen in the printer-setup dialog;
// false when the user cancelled it.
bool choosePrinter(HWND owner, Printer& printer);

// Command 199: asks, prints and restores the window (the caller closes it).
void printDocument();

}  // namespace viewer
