// Resource identifiers of the disc menu.
#pragma once

#define IDI_OSTREL 101   // window class icon
#define IDC_POINTER 104  // pointer over buttons and tabs
#define IDA_OSTREL 133   // accelerator table
// Dialog 134, the document window, comes with its own resource script.

// Commands of the accelerator table, also the control identifiers of the
// Exit and Info buttons.
#define IDC_EXIT_BUTTON 111
#define IDC_INFO_BUTTON 112
