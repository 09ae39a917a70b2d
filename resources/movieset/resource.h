// Resource identifiers of the movie setting tool.
#pragma once

#define IDD_CHOICE 101         // the one dialog
#define IDI_OSTRELMOVIE 102    // program icon, also shown in the dialog
#define IDC_NO_MOVIE 1000      // check box: do not play the movie at start-up
#define IDC_EXPLANATION 1001   // sunken text on white: what a click on the box does
