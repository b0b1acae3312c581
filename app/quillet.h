// Identifiers shared by the program and its resource script, and the few
// pieces of module state that the dialog and the entry store share.
#ifndef QUILLET_APP_QUILLET_H
#define QUILLET_APP_QUILLET_H

#define IDI_APP 100
#define IDM_ABOUT 201

#define IDD_MAIN 2000
#define IDC_BROWSE 2001
#define IDC_ITEM_LABEL 2003
#define IDC_APP_LABEL 2004
#define IDC_APP_PATH 2005
#define IDC_ADD 2006
#define IDC_ITEM_TEXT 2007
#define IDC_REMOVE 2008

#ifndef RC_INVOKED

#include <windows.h>

enum {
    MAX_APP_PATH = 512, // bytes, NUL included
    // Bytes, NUL included. Any registry key name fits whole (255 UTF-16
    // units, each at most three bytes in UTF-8). A longer text is judged by
    // its length in units, never by the part of it that fits here, which may
    // be a valid and shorter name.
    MAX_ITEM_TEXT = 768,
    // A double quote, the longest path with every byte a % written as %%,
    // the tail " "%1"" and the NUL.
    MAX_COMMAND_VALUE = 1 + 2 * (MAX_APP_PATH - 1) + 6 + 1
};

// The key whose subkeys are the verbs shown for files of every type.
extern const char SHELL_KEY_PATH[];
// The subkey of a verb whose default value is the command line to run.
extern const char COMMAND_KEY_NAME[];

extern char g_appPath[MAX_APP_PATH];           // WinMain, a drop or a browse writes it
extern char g_itemText[MAX_ITEM_TEXT];         // mirrors the menu text box; the dialog writes it
extern char g_commandValue[MAX_COMMAND_VALUE]; // built by addEntry; starts with a double quote
extern HINSTANCE g_hInstance;                  // set by WinMain before the dialog starts

#endif // RC_INVOKED

#endif
