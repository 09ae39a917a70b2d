// Resource ids of the document window (dialog, controls, texts).
#pragma once

#define IDD_DOCUMENT 134
#define IDC_DOCUMENT_TEXT 1005
#define IDC_DOCUMENT_LINK 1006
#define IDC_DOCUMENT_OPEN_LINK 1007
// The Close button is IDCANCEL (2) so that Esc closes the window.

#define IDS_DOCUMENT_OPEN_FOLDER 3401
#define IDS_DOCUMENT_OPEN_WEB 3402
