// Resource, command and private message numbers of Kelview. The resource
// script includes this file too: numbers only, no C++.
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

// Opening documents and other viewers: the open dialog's added part and the
// question when another viewer shows the same file.
#define IDD_OPEN_TEMPLATE 149
#define IDD_SAME_FILE 190
#define IDC_OPEN_CODE_LABEL 1200
#define IDC_OPEN_CODE 1201
#define IDC_SAME_TEXT 1202
#define IDC_SAME_READONLY 1203
#define IDC_SAME_OPEN 1204
#define IDC_SAME_CLOSE_OPEN 1205
#define IDS_START_FAILED 23
#define IDS_CREATE_NEW 109
#define IDS_SAME_FILE 117
#define IDS_CLOSE_AND_OPEN_TITLE 190
#define IDS_BAD_FILE_NAME 373
#define IDS_FILTER_ALL 406
#define IDS_FILTER_TEXT 407
#define IDS_FILTER_C 408
#define IDS_FILTER_ASM 409
#define IDS_FILTER_HTML 410
#define IDS_FILTER_JAVA 411
#define IDS_FILTER_MACRO 412
#define IDS_FILTER_USER 413
#define IDS_CODE_AUTO 442
#define IDS_CODE_SJIS 443
#define IDS_CODE_UNICODE 444
#define IDS_CODE_EUC 445
#define IDS_CODE_JIS 446
#define IDS_BUFFER_OVERFLOW 467
#define IDS_CODE_AUTO_SJIS_UNICODE 565

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

// Command numbers: the menu, the accelerators, the key-assignment table and
// the dispatcher share them; other viewers send some of them too.
#define IDM_OPEN 4
#define IDM_CLOSE_AND_OPEN 6
#define IDM_CLOSE 9  // sent by WM_ENDSESSION
#define IDM_EXIT 10
#define IDM_RELOAD 13
#define IDM_CURSOR_UP 14
#define IDM_CURSOR_DOWN 15
#define IDM_CURSOR_RIGHT 16
#define IDM_CURSOR_LEFT 17
#define IDM_LINE_START 21
#define IDM_LINE_END 22
#define IDM_FILE_TOP 23
#define IDM_FILE_END 24
#define IDM_PAGE_DOWN 25
#define IDM_PAGE_UP 26
#define IDM_GO_TO_LINE 34
#define IDM_RANGE_SELECT 37
#define IDM_SELECT_ALL 39
#define IDM_COPY 40
#define IDM_MARK_LIST 57
#define IDM_NEXT_VIEWER 61
#define IDM_FIND 62
#define IDM_FIND_NEXT 63
#define IDM_FIND_PREVIOUS 64
#define IDM_COPY_ACCEL 84  // Ctrl+Ins: runs IDM_COPY
#define IDM_ABOUT 96
#define IDM_PREV_VIEWER 120
#define IDM_LINE_NUMBERS 136
#define IDM_SPLIT 140
#define IDM_OTHER_PANE 142
#define IDM_BACK_TO_SEARCH_START 190
#define IDM_SCROLL_UP_2 192
#define IDM_SCROLL_DOWN_2 193
#define IDM_WORD_AS_SEARCH_TEXT 196
#define IDM_PRINT_AND_CLOSE 199
#define IDM_RELOAD_WITH_CODE 4096  // WM_COMMAND from another viewer: lParam low byte is the code

// Private window messages (WM_USER = 1024 on): fixed numbers other viewer
// processes rely on.
#define WMU_GET_FOLDER 1024
#define WMU_GO_TO_LINE 1025
#define WMU_GO_TO_ROW 1026
#define WMU_SWITCH_PANE 1036
#define WMU_ROW_LIMIT 1037
#define WMU_REBUILD_CAPTION 1040
#define WMU_GET_FILE_NAME 1041
#define WMU_SET_FOREGROUND 1074
#define WMU_SHUT_DOWN 1075
// Where the caret and view stand (wParam selects): answered by the client
// window so that a driving program can check the position indicator.
#define WMU_QUERY_VIEW 1100

// What WMU_QUERY_VIEW answers, by its wParam.
#define VIEW_QUERY_POSITION 0  // MAKELONG(column + 1, row + 1), as the indicator shows them
#define VIEW_QUERY_TOP_ROW 1
#define VIEW_QUERY_MARGIN_WIDTH 2
#define VIEW_QUERY_ROW_COUNT 3
#define VIEW_QUERY_BROWSE_MODE 4
#define VIEW_QUERY_HAS_SELECTION 5
#define VIEW_QUERY_FIRST_COLUMN 6
#define VIEW_QUERY_VISIBLE_ROWS 7
// Split window: 0 one pane, 1 the upper pane is live, 2 the lower one.
#define VIEW_QUERY_SPLIT 8
#define VIEW_QUERY_OTHER_TOP_ROW 9  // top row of the pane that is not live
#define VIEW_QUERY_OTHER_HEIGHT 10  // its height in pixels
#define VIEW_QUERY_LIVE_TOP 11      // y of the live pane's first row

// Go to line and marks: the dialogs, their controls and texts.
#define IDD_GO_TO_LINE 175
#define IDC_LINE_ENTRY 163
#define IDD_MARK_LIST 181
#define IDC_MARK_LIST 183
#define IDC_MARK_ADD 3
#define IDC_MARK_DELETE 250
#define IDC_MARK_CLEAR 251
#define IDC_MARK_HELP 339
#define IDS_LINE_NOT_FOUND 740
#define IDS_SEARCH_START_ENTRY 741
#define IDS_MARK_LIST_DONE 742

// Find dialog and search (commands 183/184 are posted by another viewer
// window to reopen the dialog there).
#define IDD_FIND 193
#define IDC_FIND_TEXT 139
#define IDC_FIND_CASE 140
#define IDC_FIND_WORD 141
#define IDC_FIND_UP 142
#define IDC_FIND_IN_SELECTION 186
#define IDM_FIND_AGAIN_DOWN 183
#define IDM_FIND_AGAIN_UP 184
#define IDS_FIND_FILE_TOP 700
#define IDS_FIND_FILE_END 701
#define IDS_FIND_TAKE_MORE 702
// Posted by the find dialog to itself after losing activation: follows the
// user when the window now in front is another viewer.
#define WMU_FIND_CHECK_FOREGROUND 1102

// The text window inside the frame.
#define IDC_CLIENT 100

// Printing: the abort and print dialogs, their controls and texts.
#define IDD_PRINT_ABORT 185
#define IDD_PRINT 186
#define IDC_PRINT_ABORT_NAME 208
#define IDC_PRINT_TOP 212
#define IDC_PRINT_BOTTOM 213
#define IDC_PRINT_LEFT 214
#define IDC_PRINT_FILE_NAME 216
#define IDC_PRINT_PAGE_NUMBER 217
#define IDC_PRINT_LINE_NUMBERS 218
#define IDC_PRINT_WIDE_SPACING 408
#define IDC_PRINT_SELECTION 247
#define IDC_PRINT_FACE 121
#define IDC_PRINT_SIZE 122
#define IDC_PRINT_CLOSE 1029
#define IDC_PRINT_SETUP 450
#define IDC_PRINT_PRINTER 469
#define IDC_PRINT_TOP_MIN 438
#define IDC_PRINT_LEFT_MIN 439
#define IDC_PRINT_BOTTOM_MIN 440
#define IDC_PRINT_TOP_SPIN 544
#define IDC_PRINT_BOTTOM_SPIN 545
#define IDC_PRINT_LEFT_SPIN 546
#define IDS_NO_DEFAULT_PRINTER 148
#define IDS_PRINTER_OPEN_FAILED 149
#define IDS_PRINT_FAILED 150
#define IDS_PRINT_OVERFLOW_BEFORE 288
#define IDS_PRINT_OVERFLOW_AFTER 289
#define IDS_PRINT_MARGIN_SUFFIX 297
#define IDS_PRINT_MAY_OVERFLOW 362
#define IDS_PRINT_PAGE 363
