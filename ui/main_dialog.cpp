#include "ui/main_dialog.h"

#include "app/quillet.h"
#include "entries/entry_name.h"
#include "entries/entry_store.h"
#include "ui/shell_calls.h"

#include <string.h>

OPENFILENAMEA g_openFileName;

// Whether the menu text is a proposal the user has not touched since the
// program made it: another application's proposal then replaces it.
static bool g_itemTextProposed;

// Whether the box holds more than any name may have, so that g_itemText
// holds only part of it: then the box names nothing, and neither button may
// act on the part.
static bool g_itemTextCut;

static const char ITEM_TEXT_PREFIX[] = "Open with ";
static const char BROWSE_FILTER[] = "Application\0*.exe\0";
static const char BROWSE_TITLE[] = "Select application to add to context menu of files";

static void startDialog(HWND dialog) {
    HICON icon = LoadIconA(g_hInstance, MAKEINTRESOURCEA(IDI_APP));
    SendMessageA(dialog, WM_SETICON, ICON_BIG, (LPARAM)icon);
    SendMessageA(dialog, WM_SETICON, ICON_SMALL, (LPARAM)icon);
    appendSystemMenuItem(dialog, IDM_ABOUT, "About...");
    acceptDroppedFiles(dialog);
    fillEntryList(dialog);
    if (g_appPath[0] != '\0') {
        SetDlgItemTextA(dialog, IDC_APP_PATH, g_appPath);
        suggestItemText(dialog, g_appPath);
    }
}

static void addNameToList(const char* name, void* list) {
    SendMessageA((HWND)list, CB_ADDSTRING, 0, (LPARAM)name);
}

// Lists the entries as the registry holds them now. Items are deleted one
// by one because CB_RESETCONTENT would also empty the box.
static void refillEntryList(HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_ITEM_TEXT);
    for (LRESULT count = SendMessageA(list, CB_GETCOUNT, 0, 0); count > 0; --count) {
        SendMessageA(list, CB_DELETESTRING, count - 1, 0);
    }
    listEntries(addNameToList, list);
}

void fillEntryList(HWND dialog) {
    SendMessageA(GetDlgItem(dialog, IDC_ITEM_TEXT), CB_RESETCONTENT, 0, 0);
    g_itemText[0] = '\0';
    g_itemTextProposed = false;
    g_itemTextCut = false;
    refillEntryList(dialog);
}

// A disabled control cannot keep the focus, and nothing else would take it:
// typing, Tab and even Esc would go nowhere. The menu text box takes it first.
static void enableButton(HWND dialog, int id, bool enable) {
    HWND button = GetDlgItem(dialog, id);
    if (!enable && GetFocus() == button) {
        SendMessageA(dialog, WM_NEXTDLGCTL, (WPARAM)GetDlgItem(dialog, IDC_ITEM_TEXT), TRUE);
    }
    EnableWindow(button, enable);
}

// The path as the field shows it: what Add writes, and what decides whether
// Add is offered at all.
static void readPathField(HWND dialog, char (&path)[MAX_APP_PATH]) {
    path[0] = '\0';
    GetDlgItemTextA(dialog, IDC_APP_PATH, path, MAX_APP_PATH);
}

// Add is offered only for what the store would write: never an invitation
// to a refusal.
void updateButtons(HWND dialog) {
    char path[MAX_APP_PATH];
    readPathField(dialog, path);
    EntryChoices choices = {false, false};
    if (!g_itemTextCut) {
        choices = choicesFor(g_itemText, path);
    }
    enableButton(dialog, IDC_ADD, choices.canAdd);
    enableButton(dialog, IDC_REMOVE, choices.canRemove);
}

// The part of path after its last separator: Windows takes a forward slash
// in a path as it takes a backslash.
static const char* fileNameOf(const char* path) {
    const char* fileName = path;
    for (const char* at = path; *at != '\0'; ++at) {
        if (*at == '\\' || *at == '/') {
            fileName = at + 1;
        }
    }
    return fileName;
}

// Replaces an empty text, the name of an existing entry or an untouched
// proposal with "Open with <file name without its last extension>"; a text
// the user typed or edited, or one longer than any name, is left alone.
void suggestItemText(HWND dialog, const char* path) {
    if (!g_itemTextCut &&
        (g_itemText[0] == '\0' || g_itemTextProposed || entryExists(g_itemText))) {
        const char* fileName = fileNameOf(path);
        const char* lastDot = strrchr(fileName, '.');
        size_t nameLength = lastDot != NULL ? (size_t)(lastDot - fileName) : strlen(fileName);
        composeEntryName(ITEM_TEXT_PREFIX, fileName, nameLength, g_itemText);
        SetWindowTextA(GetDlgItem(dialog, IDC_ITEM_TEXT), g_itemText);
        g_itemTextProposed = true;
        g_itemTextCut = false;
    }
    updateButtons(dialog);
}

// Takes the first dropped item, whatever it is. A path too long for
// g_appPath is ignored rather than cut: a cut path names another file.
void onFilesDropped(HWND dialog, HDROP drop) {
    UINT length = queryDroppedFile(drop, 0, NULL, 0);
    bool taken = length != 0 && length < MAX_APP_PATH &&
                 queryDroppedFile(drop, 0, g_appPath, MAX_APP_PATH) != 0;
    finishDrop(drop);
    if (taken) {
        SetDlgItemTextA(dialog, IDC_APP_PATH, g_appPath);
        suggestItemText(dialog, g_appPath);
    }
}

void browseForApplication(HWND dialog) {
    memset(&g_openFileName, 0, sizeof g_openFileName);
    // The size without the fields that later versions appended.
    g_openFileName.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    g_openFileName.hwndOwner = dialog;
    g_openFileName.hInstance = g_hInstance;
    g_openFileName.lpstrFilter = BROWSE_FILTER;
    g_openFileName.lpstrFile = g_appPath;
    g_openFileName.nMaxFile = MAX_APP_PATH;
    g_openFileName.lpstrTitle = BROWSE_TITLE;
    g_openFileName.Flags = OFN_ENABLESIZING | OFN_EXPLORER | OFN_HIDEREADONLY;
    if (!pickOpenFileName(&g_openFileName)) {
        return;
    }
    SetDlgItemTextA(dialog, IDC_APP_PATH, g_appPath);
    suggestItemText(dialog, g_appPath);
}

// Whether the text of a control holds more UTF-16 units, as the registry
// counts them, than any key name may have. Such a text is no name, whatever
// part of it a read into g_itemText would keep: 256 characters of three bytes
// each would be read as 255 of them, another and valid name.
static bool isLongerThanAnyName(LRESULT units) {
    return units < 0 || units > MAX_ENTRY_NAME;
}

// The box's text as it stands, however it got there: typed, pasted, or left
// by the list as it closed.
void onItemTextEdited(HWND dialog) {
    HWND box = GetDlgItem(dialog, IDC_ITEM_TEXT);
    char text[MAX_ITEM_TEXT];
    text[0] = '\0';
    GetDlgItemTextA(dialog, IDC_ITEM_TEXT, text, MAX_ITEM_TEXT);
    bool cut = isLongerThanAnyName(GetWindowTextLengthW(box));
    if (strcmp(text, g_itemText) != 0 || cut != g_itemTextCut) {
        memcpy(g_itemText, text, sizeof text);
        g_itemTextProposed = false;
        g_itemTextCut = cut;
    }
    updateButtons(dialog);
}

// The list's selection moved (arrow keys, the wheel, a click) or was
// accepted. The box takes the item's text only after this notification, so
// the text comes from the item itself.
void onItemSelected(HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_ITEM_TEXT);
    LRESULT index = SendMessageA(list, CB_GETCURSEL, 0, 0);
    if (index != CB_ERR) {
        g_itemTextProposed = false;
        // In UTF-16 units; at most MAX_ENTRY_NAME of them take at most
        // MAX_ITEM_TEXT - 1 bytes.
        g_itemTextCut = isLongerThanAnyName(SendMessageW(list, CB_GETLBTEXTLEN, index, 0));
        if (g_itemTextCut) {
            // The box shows the item as the list does; it names nothing.
            g_itemText[0] = '\0';
        } else {
            SendMessageA(list, CB_GETLBTEXT, index, (LPARAM)g_itemText);
            // The box may still hold letters typed while the list was open;
            // the buttons act on g_itemText, so the box must show exactly that.
            SetWindowTextA(list, g_itemText);
        }
    }
    updateButtons(dialog);
}

// Other programs may have added or removed entries since the list was
// filled; the box keeps its text.
static void refreshListAndButtons(HWND dialog) {
    refillEntryList(dialog);
    updateButtons(dialog);
}

void onAdd(HWND dialog) {
    if (g_itemTextCut) {
        return;
    }
    char path[MAX_APP_PATH];
    readPathField(dialog, path);
    if (!addEntry(g_itemText, path)) {
        // Owned by the dialog, which stays disabled until the box is closed.
        MessageBoxA(dialog, "Cannot create registry entry", "Error", MB_OK);
        // Another program may have made the entry meanwhile: the list and
        // the buttons show the registry as it is now.
        refreshListAndButtons(dialog);
        return;
    }
    fillEntryList(dialog);
    updateButtons(dialog);
}

// Whatever the outcome, the list and the buttons show the registry as it is
// afterwards: another program may have removed the entry first.
void onRemove(HWND dialog) {
    if (g_itemTextCut) {
        return;
    }
    if (removeEntry(g_itemText)) {
        fillEntryList(dialog);
        updateButtons(dialog);
    } else {
        refreshListAndButtons(dialog);
    }
}

void appendSystemMenuItem(HWND dialog, UINT id, const char* text) {
    HMENU menu = GetSystemMenu(dialog, FALSE);
    if (id != 0) {
        AppendMenuA(menu, MF_STRING, id, text);
    } else {
        AppendMenuA(menu, MF_SEPARATOR, 0, NULL);
    }
}

void showAbout(HWND dialog) {
    MSGBOXPARAMSA about;
    memset(&about, 0, sizeof about);
    about.cbSize = sizeof about;
    about.hwndOwner = dialog;
    about.hInstance = g_hInstance;
    about.lpszText = "Quillet  v0.95";
    about.lpszCaption = "About";
    about.dwStyle = MB_USERICON;
    about.lpszIcon = MAKEINTRESOURCEA(IDI_APP);
    MessageBoxIndirectA(&about);
}

static void onCommand(HWND dialog, WORD id, WORD notification) {
    switch (id) {
    case IDC_BROWSE:
        if (notification == BN_CLICKED) {
            browseForApplication(dialog);
        }
        break;
    case IDC_APP_PATH:
        if (notification == EN_CHANGE) {
            updateButtons(dialog);
        }
        break;
    case IDC_ADD:
        if (notification == BN_CLICKED) {
            onAdd(dialog);
        }
        break;
    case IDC_ITEM_TEXT:
        // Every way the box's text can change: g_itemText follows each.
        if (notification == CBN_EDITCHANGE || notification == CBN_SELENDCANCEL ||
            notification == CBN_CLOSEUP) {
            onItemTextEdited(dialog);
        } else if (notification == CBN_SELCHANGE || notification == CBN_SELENDOK) {
            onItemSelected(dialog);
        } else if (notification == CBN_DROPDOWN) {
            refreshListAndButtons(dialog);
        }
        break;
    case IDC_REMOVE:
        if (notification == BN_CLICKED) {
            onRemove(dialog);
        }
        break;
    }
}

INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    (void)lParam;
    switch (message) {
    case WM_INITDIALOG:
        startDialog(dialog);
        return FALSE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, 0);
            return TRUE;
        }
        onCommand(dialog, LOWORD(wParam), HIWORD(wParam));
        return FALSE;
    case WM_SYSCOMMAND:
        if (LOWORD(wParam) == IDM_ABOUT) {
            showAbout(dialog);
            return TRUE;
        }
        return FALSE;
    case WM_DROPFILES:
        onFilesDropped(dialog, (HDROP)wParam);
        return FALSE;
    case WM_CLOSE:
    case WM_DESTROY:
        PostQuitMessage(0);
        return FALSE;
    }
    return FALSE;
}
