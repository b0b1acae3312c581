#include "dialog_harness.h"

#include "app/quillet.h"
#include "ui/main_dialog.h"

#include <shlobj.h>
#include <string.h>

std::vector<MessageBoxSeen> DialogTest::messageBoxes;
std::vector<MessageBoxSeen> DialogTest::fileDialogs;
std::string DialogTest::fileToPick;

// The dialog that the running test opened, for the hook to look at.
static HWND g_dialogUnderTest;

static const char BROWSE_TITLE[] = "Select application to add to context menu of files";
// The file name box of the open-file dialog: a combo box (cmb13) in the
// Explorer style, an edit box (edt1) in the old one.
static const int FILE_NAME_IDS[] = {0x47c, 0x480};

static void answerFileDialog(HWND box) {
    MessageBoxSeen seen;
    char buffer[1024] = "";
    GetWindowTextA(box, buffer, sizeof buffer);
    seen.caption = buffer;
    int fileNameId = 0;
    for (int id : FILE_NAME_IDS) {
        if (fileNameId == 0 && GetDlgItem(box, id) != NULL) {
            fileNameId = id;
        }
    }
    buffer[0] = '\0';
    GetDlgItemTextA(box, fileNameId, buffer, sizeof buffer);
    seen.text = buffer;
    seen.owner = GetWindow(box, GW_OWNER);
    seen.dialogEnabled = IsWindowEnabled(g_dialogUnderTest) != FALSE;
    seen.icon = NULL;
    DialogTest::fileDialogs.push_back(seen);
    if (DialogTest::fileToPick.empty()) {
        PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
    } else {
        SetDlgItemTextA(box, fileNameId, DialogTest::fileToPick.c_str());
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
}

// A message box is a #32770 window of our thread; record it as it is
// activated, then close it as the user would.
static LRESULT CALLBACK catchMessageBox(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        HWND box = (HWND)wParam;
        char className[32] = "";
        GetClassNameA(box, className, sizeof className);
        char title[128] = "";
        GetWindowTextA(box, title, sizeof title);
        if (strcmp(className, "#32770") == 0 && strcmp(title, BROWSE_TITLE) == 0) {
            answerFileDialog(box);
        } else if (strcmp(className, "#32770") == 0 && GetDlgItem(box, IDC_ITEM_TEXT) == NULL) {
            MessageBoxSeen seen;
            char buffer[512] = "";
            GetWindowTextA(box, buffer, sizeof buffer);
            seen.caption = buffer;
            buffer[0] = '\0';
            GetDlgItemTextA(box, 0xFFFF, buffer, sizeof buffer);
            seen.text = buffer;
            seen.owner = GetWindow(box, GW_OWNER);
            // A modal box disables its owner before it shows itself.
            seen.dialogEnabled = IsWindowEnabled(g_dialogUnderTest) != FALSE;
            // The icon's static control is 0x14 on Windows and 0x440 in Wine.
            seen.icon = (HICON)SendDlgItemMessageA(box, 0x14, STM_GETICON, 0, 0);
            if (seen.icon == NULL) {
                seen.icon = (HICON)SendDlgItemMessageA(box, 0x440, STM_GETICON, 0, 0);
            }
            DialogTest::messageBoxes.push_back(seen);
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        }
    }
    return CallNextHookEx(NULL, code, wParam, lParam);
}

void DialogTest::SetUp() {
    RegistrySandbox::SetUp();
    makeKey(TEST_SHELL);
    g_appPath[0] = '\0';
    g_itemText[0] = '\0';
    g_hInstance = GetModuleHandleA(NULL);
    messageBoxes.clear();
    fileDialogs.clear();
    fileToPick.clear();
    hook_ = SetWindowsHookExA(WH_CBT, catchMessageBox, NULL, GetCurrentThreadId());
    ASSERT_TRUE(hook_ != NULL);
}

void DialogTest::TearDown() {
    close();
    UnhookWindowsHookEx(hook_);
    RegistrySandbox::TearDown();
}

void DialogTest::open(const char* appPath) {
    // As the command line would: the program keeps at most 511 characters.
    ASSERT_LT(strlen(appPath), (size_t)MAX_APP_PATH) << "longer than the program accepts";
    strcpy(g_appPath, appPath);
    dialog = CreateDialogParamA(g_hInstance, MAKEINTRESOURCEA(IDD_MAIN), NULL, dialogProc, 0);
    g_dialogUnderTest = dialog;
    ASSERT_TRUE(dialog != NULL);
}

void DialogTest::close() {
    if (dialog != NULL) {
        DestroyWindow(dialog);
        dialog = NULL;
    }
    // The dialog posts a quit message when it is destroyed; left in the
    // queue it would end the next test's message box at once.
    MSG message;
    while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
    }
}

HWND DialogTest::itemEdit() const {
    return FindWindowExA(control(IDC_ITEM_TEXT), NULL, "Edit", NULL);
}

std::string DialogTest::text(int id) const {
    char buffer[1024] = "";
    GetDlgItemTextA(dialog, id, buffer, sizeof buffer);
    return buffer;
}

std::vector<std::string> DialogTest::listItems() const {
    std::vector<std::string> items;
    LRESULT count = SendMessageA(control(IDC_ITEM_TEXT), CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char buffer[1024] = "";
        SendMessageA(control(IDC_ITEM_TEXT), CB_GETLBTEXT, i, (LPARAM)buffer);
        items.push_back(buffer);
    }
    return items;
}

void DialogTest::type(const std::string& keys) {
    HWND edit = itemEdit();
    ASSERT_TRUE(edit != NULL);
    for (char key : keys) {
        SendMessageA(edit, WM_CHAR, (WPARAM)(unsigned char)key, 1);
    }
}

void DialogTest::paste(const std::string& text) {
    SendMessageA(itemEdit(), EM_REPLACESEL, TRUE, (LPARAM)text.c_str());
}

void DialogTest::clearItemText() {
    HWND edit = itemEdit();
    SendMessageA(edit, EM_SETSEL, 0, -1);
    SendMessageA(edit, WM_CHAR, '\b', 1);
}

void DialogTest::select(int index) {
    HWND combo = control(IDC_ITEM_TEXT);
    ASSERT_NE(CB_ERR, SendMessageA(combo, CB_SETCURSEL, index, 0));
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_ITEM_TEXT, CBN_SELENDOK), (LPARAM)combo);
}

void DialogTest::click(int id) {
    SendMessageA(control(id), BM_CLICK, 0, 0);
}

// Sends a DROPFILES block holding names, the list of NUL-terminated paths
// that ends in one more NUL.
static void sendDrop(HWND dialog, const void* names, size_t size, BOOL wide) {
    HGLOBAL block = GlobalAlloc(GHND, sizeof(DROPFILES) + size);
    ASSERT_TRUE(block != NULL);
    DROPFILES* header = (DROPFILES*)GlobalLock(block);
    header->pFiles = sizeof(DROPFILES);
    header->fWide = wide;
    memcpy(header + 1, names, size);
    GlobalUnlock(block);
    SendMessageA(dialog, WM_DROPFILES, (WPARAM)block, 0);
    // The dialog releases the drop block once it has read it.
    EXPECT_EQ(0u, GlobalSize(block)) << "drop handle not released";
}

void DialogTest::drop(const std::vector<std::string>& paths) {
    std::string names;
    for (const std::string& path : paths) {
        names += path + '\0';
    }
    sendDrop(dialog, names.c_str(), names.size() + 1, FALSE);
}

void DialogTest::dropWide(const std::wstring& path) {
    std::wstring names = path + L'\0';
    sendDrop(dialog, names.c_str(), (names.size() + 1) * sizeof(WCHAR), TRUE);
}

std::wstring DialogTest::wideText(int id) const {
    WCHAR buffer[1024] = L"";
    GetDlgItemTextW(dialog, id, buffer, 1024);
    return buffer;
}

// Handles what is queued as the dialog's modal loop would.
static void pumpMessages(HWND dialog) {
    MSG message;
    while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
        if (!IsDialogMessageA(dialog, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

void DialogTest::press(UINT key) {
    LPARAM scanCode = (LPARAM)MapVirtualKeyA(key, MAPVK_VK_TO_VSC) << 16;
    PostMessageA(GetFocus(), WM_KEYDOWN, key, scanCode | 1);
    pumpMessages(dialog);
    PostMessageA(GetFocus(), WM_KEYUP, key, scanCode | (LPARAM)0xC0000001);
    pumpMessages(dialog);
}
