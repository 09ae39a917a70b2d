// Resource ids of Talinst.
#pragma once

#define IDI_TALINST 1
#define IDI_TEXTWINDOW 2

#define IDD_FIRSTMSG 100
#define IDD_DESTINATION 101
#define IDD_PROGRESS 102
#define IDD_OVERWRITE 103
#define IDD_COPYERROR 104
#define IDD_CLOSING 105
#define IDD_ITEMLIST 106
#define IDD_SELECT 107
#define IDD_EXTRACT 108
#define IDD_TEXTWINDOW 109

// FirstMsg
#define IDC_FIRST_TEXT 1001
#define IDC_FIRST_PREPARING 1002

// Destination dialog
#define IDC_DEST_HEADING 1010
#define IDC_DEST_EDIT 1011
#define IDC_DEST_BROWSE 1012
#define IDC_DEST_GROUP 1013
#define IDC_DEST_GROUP_BROWSE 1014
#define IDC_DEST_DESKTOP 1015
#define IDC_DEST_CHECK 1016
#define IDC_DEST_REQUIRED 1017
#define IDC_DEST_FREE 1018

// Copy progress
#define IDC_PROG_TITLE 1020
#define IDC_PROG_SOURCE 1021
#define IDC_PROG_DEST 1022
#define IDC_PROG_BAR 1023

// Overwrite question
#define IDC_OW_TEXT 1030
#define IDC_OW_NAME 1031
#define IDC_OW_OLD_ICON 1032
#define IDC_OW_OLD_INFO 1033
#define IDC_OW_NEW_ICON 1034
#define IDC_OW_NEW_INFO 1035
#define IDC_OW_YES 1036
#define IDC_OW_NEWER 1037
#define IDC_OW_ALL 1038
#define IDC_OW_RENAME 1039
#define IDC_OW_NO 1040

// Copy error
#define IDC_ERR_ICON 1050
#define IDC_ERR_TEXT 1051
#define IDC_ERR_SKIP 1052

// Closing dialog
#define IDC_CLOSE_TEXT 1060
#define IDC_CLOSE_OPENDIR 1061
#define IDC_CLOSE_FOLLOWUP 1062
#define IDC_CLOSE_GROUPDIR 1063

// Item list
#define IDC_ITEM_LIST 1070
#define IDC_ITEM_DOC 1071

// Selection menu
#define IDC_SEL_HEADING 1080
#define IDC_SEL_ITEM1 1081  // to IDC_SEL_ITEM1 + 5

// Extraction window
#define IDC_EXT_TITLE 1090
#define IDC_EXT_ARCHIVE 1091
#define IDC_EXT_STORED 1092
#define IDC_EXT_DEST 1093
#define IDC_EXT_BAR 1094

// Text window (its close button is IDCANCEL, so Escape closes it too)
#define IDC_TEXT_EDIT 1100

// Strings
#define IDS_DEST_HEADING 200
#define IDS_SELECT_HEADING 201
