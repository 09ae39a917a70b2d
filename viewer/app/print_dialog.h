// The print dialog: margins, options, printer font and printer choice.
#pragma once
#include <windows.h>
#include "print_job.h"

namespace viewer {

enum class PrintChoice { Print, Close, Cancel };

// Shows the dialog on `printer`; on Print and Close the entered values are
// in `options`, on Cancel they are as before. The dialog may replace the
// printer through the printer-setup button. `selection` tells whether the
// selection-only box can be ticked.
PrintChoice runPrintDialog(HWND owner, Printer& printer, PrintOptions& options, bool selection);

// The printer font's LOGFONT for the face chosen (character set and pitch as
// the printer enumerates them); false when the face is not the printer's.
bool printerFaceFont(HDC dc, const char* face, LOGFONTA* lf);

}  // namespace viewer
