// Resource numbers of Kelview. Command numbers live in viewer/doc/commands.h.
#pragma once

#define IDI_KELVIEW 101
#define IDD_ABOUT 122
#define IDM_MAINMENU 171
#define IDA_MAIN 154
#define IDC_LINESELECT 153
#define IDC_LINK 212

// Glyph bitmaps by font height.
#define IDB_FF_20 155
#define IDB_ESC_16 160
#define IDB_ESC_12 161
#define IDB_ESC_24 162
#define IDB_ESC_20 163
#define IDB_FF_16 168
#define IDB_FF_12 169
#define IDB_FF_24 170
#define IDB_DOTS 1074

// About box controls.
#define IDC_ABOUT_ICON 1001
#define IDC_ABOUT_PRODUCT 1002
#define IDC_ABOUT_VERSION 1003

// String table.
#define IDS_UNTITLED 6
#define IDS_NEWFILE 7
#define IDS_NOMEMORY 12
#define IDS_NEXTVIEWER 101
#define IDS_CANNOTOPEN 105
#define IDS_BADOPTION 111
#define IDS_NOFOLDER 113
#define IDS_PREVVIEWER 139
#define IDS_PROGRAMNAME 154
#define IDS_CAPTIONSUFFIX 359
#define IDS_FONTFACE 390
#define IDS_FULLWIDTHSPACE 405
#define IDS_NOTENOUGHMEMORY 600
#define IDS_POPUPCOPY 601
#define IDS_NOTFOUND 602
#define IDS_SHELLFAILED 603
#define IDS_MAILTO 604
