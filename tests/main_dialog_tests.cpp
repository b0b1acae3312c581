// The dialog at work: what it shows at start, the proposed menu text, the
// button rules at each keystroke, add and remove through the buttons, the
// error message, drops, and the About item.
#include "app/quillet.h"
#include "dialog_harness.h"
#include "entries/entry_store.h"
#include "ui/main_dialog.h"

#include <string.h>

typedef std::vector<std::string> Items;

TEST_F(DialogTest, StartsWithoutAPathWithTheListFilledAndNothingEnabled) {
    makeEntry("Open with notes", "\"C:\\notes.exe\" \"%1\"");
    makeEntry("Edit", "\"C:\\edit.exe\" \"%1\"");
    makeVerb("No command");
    open();
    EXPECT_EQ("", text(IDC_APP_PATH));
    EXPECT_EQ("", text(IDC_ITEM_TEXT));
    EXPECT_EQ((Items{"Edit", "Open with notes"}), listItems());
    EXPECT_FALSE(enabled(IDC_ADD));
    EXPECT_FALSE(enabled(IDC_REMOVE));
    EXPECT_NE(0, GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
}

TEST_F(DialogTest, StartsWithACommandLinePathAndItsProposal) {
    open("C:\\Tools\\viewer.exe");
    EXPECT_EQ("C:\\Tools\\viewer.exe", text(IDC_APP_PATH));
    EXPECT_EQ("Open with viewer", text(IDC_ITEM_TEXT));
    EXPECT_STREQ("Open with viewer", g_itemText);
    EXPECT_TRUE(enabled(IDC_ADD));
    EXPECT_FALSE(enabled(IDC_REMOVE));
}

TEST_F(DialogTest, TheProposalDropsOnlyTheLastExtensionOfTheFileName) {
    struct {
        const char* path;
        const char* proposal;
    } cases[] = {
        {"C:\\Tools\\viewer.exe", "Open with viewer"},
        {"C:\\dir.old\\tool", "Open with tool"},
        {"C:\\data\\archive.tar.gz", "Open with archive.tar"},
        {"C:\\Tools\\", "Open with "},
        {"viewer.exe", "Open with viewer"},
        {"C:\\.hidden", "Open with "},
        {"C:/Tools/viewer.exe", "Open with viewer"},
        {"C:\\Tools/sub\\paint.exe", "Open with paint"},
    };
    for (const auto& c : cases) {
        open(c.path);
        EXPECT_EQ(c.proposal, text(IDC_ITEM_TEXT)) << c.path;
        EXPECT_EQ(c.path, text(IDC_APP_PATH)) << c.path;
        close();
    }
}

// A key name has at most 255 UTF-16 units: a longer file name is cut so that
// the proposal can always be added, never inside a character.
TEST_F(DialogTest, TheProposalIsCutToTheLongestNameAnEntryMayHave) {
    std::string path = "C:\\" + std::string(250, 'n') + ".exe";
    open(path.c_str());
    EXPECT_EQ("Open with " + std::string(245, 'n'), std::string(g_itemText));
    EXPECT_EQ(path, text(IDC_APP_PATH));
    EXPECT_TRUE(enabled(IDC_ADD));
    close();

    // Two units a character: the 245th unit would split one in two.
    path = "C:\\";
    std::wstring proposal = L"Open with ";
    for (int i = 0; i < 125; ++i) {
        path += u8"\U0001F600";
        proposal += i < 122 ? L"\U0001F600" : L"";
    }
    open(path.c_str());
    EXPECT_EQ(proposal, wideText(IDC_ITEM_TEXT));
    EXPECT_TRUE(enabled(IDC_ADD));
}

TEST_F(DialogTest, ADropReplacesAnEmptyTextOrAnExistingNameButNotATypedOne) {
    makeEntry("Open with viewer", "\"C:\\old\\viewer.exe\" \"%1\"");
    makeEntry("Edit", "\"C:\\edit.exe\" \"%1\"");
    open();

    drop({"C:\\Tools\\viewer.exe", "C:\\ignored.exe"});
    EXPECT_EQ("C:\\Tools\\viewer.exe", text(IDC_APP_PATH));
    EXPECT_EQ("Open with viewer", text(IDC_ITEM_TEXT));
    EXPECT_FALSE(enabled(IDC_ADD)) << "the proposal names an existing entry";
    EXPECT_TRUE(enabled(IDC_REMOVE));

    clearItemText();
    type("My viewer");
    drop({"C:\\Other\\paint.exe"});
    EXPECT_EQ("C:\\Other\\paint.exe", text(IDC_APP_PATH));
    EXPECT_EQ("My viewer", text(IDC_ITEM_TEXT));
    EXPECT_TRUE(enabled(IDC_ADD));

    select(0); // "Edit"
    EXPECT_STREQ("Edit", g_itemText);
    drop({"D:\\Documents\\report.docx"});
    EXPECT_EQ("D:\\Documents\\report.docx", text(IDC_APP_PATH));
    EXPECT_EQ("Open with report", text(IDC_ITEM_TEXT));
    EXPECT_TRUE(enabled(IDC_ADD));
    EXPECT_FALSE(enabled(IDC_REMOVE));
}

TEST_F(DialogTest, ADroppedPathTooLongToKeepWholeIsIgnored) {
    open("C:\\Tools\\viewer.exe");
    drop({"C:\\" + std::string(600, 'x') + ".exe"});
    EXPECT_EQ("C:\\Tools\\viewer.exe", text(IDC_APP_PATH));
    EXPECT_STREQ("C:\\Tools\\viewer.exe", g_appPath);

    std::string fits = "C:\\" + std::string(MAX_APP_PATH - 1 - 7, 'x') + ".exe";
    drop({fits + "x"});
    EXPECT_EQ("C:\\Tools\\viewer.exe", text(IDC_APP_PATH)) << "one byte too many";
    drop({fits});
    EXPECT_EQ(fits, text(IDC_APP_PATH));
    EXPECT_EQ(fits, std::string(g_appPath));
}

TEST_F(DialogTest, TextInAnyScriptReachesTheEntryExactly) {
    open();
    const std::wstring path = L"C:\\Tools\\\u0141\u00f3d\u017a\\\u4e2d\u6587.exe";
    dropWide(path);
    EXPECT_EQ(path, wideText(IDC_APP_PATH));
    EXPECT_EQ(L"Open with \u4e2d\u6587", wideText(IDC_ITEM_TEXT));
    clearItemText();
    type("Open ");
    SendMessageW(itemEdit(), WM_CHAR, 0x4E2D, 1);
    click(IDC_ADD);
    EXPECT_TRUE(messageBoxes.empty());
    EXPECT_EQ(L"\"" + path + L"\" \"%1\"",
              wideDefaultValue(L"SOFTWARE\\Classes\\*\\shell\\Open \u4e2d\\command"));
}

TEST_F(DialogTest, BrowsingOffersTheCurrentPathAndTakesThePickedFile) {
    makeEntry("Open with viewer", "\"C:\\viewer.exe\" \"%1\"");
    open("C:\\Tools\\viewer.exe");
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    fileToPick = std::string(windows) + "\\notepad.exe";
    click(IDC_BROWSE);
    ASSERT_EQ(1u, fileDialogs.size());
    EXPECT_EQ("Select application to add to context menu of files", fileDialogs[0].caption);
    EXPECT_EQ(dialog, fileDialogs[0].owner);
    EXPECT_NE(std::string::npos, fileDialogs[0].text.find("viewer.exe")) << fileDialogs[0].text;
    EXPECT_STRCASEEQ(fileToPick.c_str(), text(IDC_APP_PATH).c_str());
    EXPECT_STRCASEEQ("Open with notepad", text(IDC_ITEM_TEXT).c_str());
    EXPECT_TRUE(enabled(IDC_ADD));
    EXPECT_FALSE(enabled(IDC_REMOVE));
    // Without the fields later versions appended: 76 bytes in a 32-bit
    // process, 136 in the 64-bit test build (the whole record is 152 there).
#ifdef _WIN64
    EXPECT_EQ(136u, g_openFileName.lStructSize);
#else
    EXPECT_EQ(76u, g_openFileName.lStructSize);
#endif
    EXPECT_EQ(0u, memcmp("Application\0*.exe\0\0", g_openFileName.lpstrFilter, 19));
    // The whole of g_appPath, so that a path of MAX_PATH bytes or more can be
    // picked. Wine's own open-file dialog fails on such paths, so the record
    // is what can be checked here.
    EXPECT_EQ(DWORD(MAX_APP_PATH), g_openFileName.nMaxFile);
}

TEST_F(DialogTest, CancellingTheBrowseChangesNothing) {
    open("C:\\Tools\\viewer.exe");
    clearItemText();
    type("Mine");
    click(IDC_BROWSE);
    ASSERT_EQ(1u, fileDialogs.size());
    EXPECT_EQ("C:\\Tools\\viewer.exe", text(IDC_APP_PATH));
    EXPECT_STREQ("C:\\Tools\\viewer.exe", g_appPath);
    EXPECT_EQ("Mine", text(IDC_ITEM_TEXT));
    EXPECT_TRUE(enabled(IDC_ADD));
}

TEST_F(DialogTest, ButtonsFollowEveryKeystroke) {
    makeEntry("Edit", "\"C:\\edit.exe\" \"%1\"");
    open("C:\\Tools\\viewer.exe");
    clearItemText();
    EXPECT_FALSE(enabled(IDC_ADD)) << "empty text";
    EXPECT_FALSE(enabled(IDC_REMOVE));

    type("Edi");
    EXPECT_STREQ("Edi", g_itemText);
    EXPECT_TRUE(enabled(IDC_ADD));
    EXPECT_FALSE(enabled(IDC_REMOVE));
    type("t");
    EXPECT_FALSE(enabled(IDC_ADD)) << "the last keystroke completed an entry's name";
    EXPECT_TRUE(enabled(IDC_REMOVE));
    type("s");
    EXPECT_TRUE(enabled(IDC_ADD));
    EXPECT_FALSE(enabled(IDC_REMOVE));
    type("\b");
    EXPECT_FALSE(enabled(IDC_ADD));
    EXPECT_TRUE(enabled(IDC_REMOVE));

    clearItemText();
    type("EDIT");
    EXPECT_FALSE(enabled(IDC_ADD)) << "names match without regard to case";
    EXPECT_TRUE(enabled(IDC_REMOVE));
}

TEST_F(DialogTest, WithoutAPathAddStaysDisabledWhateverTheText) {
    makeEntry("Edit", "\"C:\\edit.exe\" \"%1\"");
    open();
    type("Something new");
    EXPECT_FALSE(enabled(IDC_ADD));
    EXPECT_FALSE(enabled(IDC_REMOVE));
    clearItemText();
    type("Edit");
    EXPECT_FALSE(enabled(IDC_ADD));
    EXPECT_TRUE(enabled(IDC_REMOVE));
}

TEST_F(DialogTest, ANestedNameNeverEnablesRemove) {
    makeEntry("Tools\\Open", "\"C:\\t.exe\" \"%1\"");
    open("C:\\t.exe");
    clearItemText();
    type("Tools\\Open");
    EXPECT_FALSE(enabled(IDC_REMOVE));
}

TEST_F(DialogTest, AddThroughTheButtonWritesTheEntryAndResetsTheText) {
    makeEntry("Edit", "\"C:\\edit.exe\" \"%1\"");
    open("C:\\Program Files\\Viewer\\viewer.exe");
    click(IDC_ADD);
    EXPECT_TRUE(messageBoxes.empty());
    EXPECT_EQ("\"C:\\Program Files\\Viewer\\viewer.exe\" \"%1\"",
              stringValue(shellPath("Open with viewer\\command"), NULL));
    EXPECT_EQ((Items{"Edit", "Open with viewer"}), listItems());
    EXPECT_EQ("", text(IDC_ITEM_TEXT));
    EXPECT_STREQ("", g_itemText);
    EXPECT_EQ("C:\\Program Files\\Viewer\\viewer.exe", text(IDC_APP_PATH));
    EXPECT_FALSE(enabled(IDC_ADD));
    EXPECT_FALSE(enabled(IDC_REMOVE));
}

TEST_F(DialogTest, AddWritesTheLongestPathTheProgramTakesWhole) {
    std::string path = "C:\\" + std::string(MAX_APP_PATH - 1 - 14, 'd') + "\\viewer.exe";
    ASSERT_EQ(size_t(MAX_APP_PATH - 1), path.size());
    open(path.c_str());
    click(IDC_ADD);
    EXPECT_TRUE(messageBoxes.empty());
    EXPECT_EQ("\"" + path + "\" \"%1\"", stringValue(shellPath("Open with viewer\\command"), NULL));
}

TEST_F(DialogTest, RemoveThroughTheButtonDeletesTheEntryAndResetsTheText) {
    makeEntry("Edit", "\"C:\\edit.exe\" \"%1\"");
    makeEntry("Open with viewer", "\"C:\\viewer.exe\" \"%1\"");
    makeKey(shellPath("Open with viewer\\command\\deeper"));
    open("C:\\Tools\\paint.exe");
    select(1);
    EXPECT_EQ("Open with viewer", text(IDC_ITEM_TEXT));
    EXPECT_TRUE(enabled(IDC_REMOVE));
    click(IDC_REMOVE);
    EXPECT_FALSE(keyExists(shellPath("Open with viewer")));
    EXPECT_TRUE(keyExists(shellPath("Edit\\command")));
    EXPECT_EQ(Items{"Edit"}, listItems());
    EXPECT_EQ("", text(IDC_ITEM_TEXT));
    EXPECT_FALSE(enabled(IDC_ADD));
    EXPECT_FALSE(enabled(IDC_REMOVE));
}

TEST_F(DialogTest, AFailedAddSaysSoOnceAndLeavesTheDialogAsItWas) {
    makeEntry("Edit", "\"C:\\edit.exe\" \"%1\"");
    open("C:\\Tools\\viewer.exe");
    makeKey(shellPath("Open with viewer\\command\\child"));
    makeKey(shellPath("Open with viewer\\another program's key"));
    setStringValue(shellPath("Open with viewer"), "MUIVerb", "another program's value");
    lockKey(shellPath("Open with viewer\\command"));
    std::string before = dumpTree(TEST_SHELL);
    click(IDC_ADD);
    EXPECT_EQ(before, dumpTree(TEST_SHELL)) << "the verb that was there stays as it was";
    ASSERT_EQ(1u, messageBoxes.size());
    EXPECT_EQ("Error", messageBoxes[0].caption);
    EXPECT_EQ("Cannot create registry entry", messageBoxes[0].text);
    EXPECT_EQ(dialog, messageBoxes[0].owner);
    EXPECT_FALSE(messageBoxes[0].dialogEnabled) << "the dialog must wait for the box";
    EXPECT_TRUE(IsWindowEnabled(dialog));
    EXPECT_EQ(Items{"Edit"}, listItems());
    EXPECT_EQ("Open with viewer", text(IDC_ITEM_TEXT));
    EXPECT_FALSE(enabled(IDC_ADD)) << "the name is another program's verb now";
    EXPECT_FALSE(enabled(IDC_REMOVE));
}

TEST_F(DialogTest, AnAddUnderALockedShellKeyFailsWithTheMessage) {
    open("C:\\Tools\\viewer.exe");
    lockKey(TEST_SHELL);
    click(IDC_ADD);
    ASSERT_EQ(1u, messageBoxes.size());
    EXPECT_EQ("Cannot create registry entry", messageBoxes[0].text);
    EXPECT_EQ("Open with viewer", text(IDC_ITEM_TEXT));
}

// Add is offered only for what the store would write: every kind of name
// or path it refuses leaves Add disabled, however it reached the dialog.
TEST_F(DialogTest, WhatTheStoreRefusesNeverEnablesAdd) {
    open("C:\\Tools\\viewer.exe");
    const char* const refused[] = {"   ",          "Tools\\Open",        "Tools\\", "Open\twith",
                                   "Open\x1fwith", "Open with notepad ", u8"\u3000"};
    for (const char* name : refused) {
        clearItemText();
        paste(name);
        ASSERT_EQ(name, text(IDC_ITEM_TEXT));
        EXPECT_FALSE(enabled(IDC_ADD)) << "\"" << name << "\"";
    }
    setStringValue(shellPath("Theirs"), "MUIVerb", "another program's verb");
    const std::string before = dumpTree(TEST_SHELL);
    clearItemText();
    paste("Theirs");
    EXPECT_FALSE(enabled(IDC_ADD)) << "another program's verb";
    EXPECT_FALSE(enabled(IDC_REMOVE));
    clearItemText();
    paste("Tools Open");
    EXPECT_TRUE(enabled(IDC_ADD)) << "a name the store takes";
    close();

    open("C:\\Tools\\my\"viewer.exe"); // a double quote would break the command's quoting
    EXPECT_EQ("Open with my\"viewer", text(IDC_ITEM_TEXT));
    EXPECT_FALSE(enabled(IDC_ADD));
    EXPECT_EQ(before, dumpTree(TEST_SHELL));
}

// Another program makes the entry between the dialog's look and the add:
// the add is refused, and the buttons then show the entry that now exists.
TEST_F(DialogTest, AfterARefusedAddTheButtonsMatchTheRegistryAgain) {
    makeEntry("Edit", "\"C:\\edit.exe\" \"%1\"");
    open("C:\\Tools\\viewer.exe");
    clearItemText();
    type("Stale entry");
    ASSERT_TRUE(enabled(IDC_ADD));
    makeEntryFromAnotherProcess("Stale entry", "\"C:\\theirs.exe\" \"%1\"");
    click(IDC_ADD);
    ASSERT_EQ(1u, messageBoxes.size());
    EXPECT_EQ("\"C:\\theirs.exe\" \"%1\"", stringValue(shellPath("Stale entry\\command"), NULL));
    EXPECT_FALSE(enabled(IDC_ADD));
    EXPECT_TRUE(enabled(IDC_REMOVE));
    EXPECT_EQ("Stale entry", text(IDC_ITEM_TEXT));
    EXPECT_EQ((Items{"Edit", "Stale entry"}), listItems());
}

TEST_F(DialogTest, EscapeEndsTheDialogAndEnterDoesNothing) {
    open("C:\\Tools\\viewer.exe");
    MSG enter = {itemEdit(), WM_KEYDOWN, VK_RETURN, 0x1C0001, 0, {0, 0}};
    IsDialogMessageA(dialog, &enter);
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_EQ("Open with viewer", text(IDC_ITEM_TEXT));
    EXPECT_EQ("", dumpTree(TEST_SHELL));

    MSG escape = {itemEdit(), WM_KEYDOWN, VK_ESCAPE, 0x10001, 0, {0, 0}};
    IsDialogMessageA(dialog, &escape);
    EXPECT_FALSE(IsWindowVisible(dialog)) << "EndDialog hides a modeless dialog";
}

TEST_F(DialogTest, TheSystemMenuEndsWithAboutWhichShowsTheProductAndIcon) {
    open();
    HMENU menu = GetSystemMenu(dialog, FALSE);
    int count = GetMenuItemCount(menu);
    ASSERT_GE(count, 2);
    char label[64] = "";
    GetMenuStringA(menu, count - 1, label, sizeof label, MF_BYPOSITION);
    EXPECT_STREQ("About...", label);
    EXPECT_EQ((UINT)IDM_ABOUT, GetMenuItemID(menu, count - 1));
    MENUITEMINFOA before;
    memset(&before, 0, sizeof before);
    before.cbSize = sizeof before;
    before.fMask = MIIM_FTYPE;
    GetMenuItemInfoA(menu, count - 2, TRUE, &before);
    EXPECT_EQ(0u, before.fType & MFT_SEPARATOR) << "no separator before About...";

    SendMessageA(dialog, WM_SYSCOMMAND, IDM_ABOUT, 0);
    ASSERT_EQ(1u, messageBoxes.size());
    EXPECT_EQ("About", messageBoxes[0].caption);
    EXPECT_EQ("Quillet  v0.95", messageBoxes[0].text);
    EXPECT_EQ(dialog, messageBoxes[0].owner);
    EXPECT_TRUE(messageBoxes[0].icon != NULL);
}

TEST_F(DialogTest, TheDialogCarriesTheApplicationIcon) {
    open();
    HICON big = (HICON)SendMessageA(dialog, WM_GETICON, ICON_BIG, 0);
    HICON small = (HICON)SendMessageA(dialog, WM_GETICON, ICON_SMALL, 0);
    EXPECT_TRUE(big != NULL);
    EXPECT_EQ(LoadIconA(g_hInstance, MAKEINTRESOURCEA(IDI_APP)), big);
    EXPECT_EQ(big, small);
}

// With the list open, typed letters select the first name they begin; the
// box must then show that name, which is what Remove acts on.
TEST_F(DialogTest, AChoiceFromTheListShowsExactlyTheNameTheButtonsActOn) {
    makeEntry("Edit", "\"C:\\edit.exe\" \"%1\"");
    makeEntry("Open with viewer", "\"C:\\viewer.exe\" \"%1\"");
    open("C:\\Tools\\paint.exe");
    clearItemText();
    SendMessageA(dialog, WM_NEXTDLGCTL, (WPARAM)control(IDC_ITEM_TEXT), TRUE);
    SendMessageA(control(IDC_ITEM_TEXT), CB_SHOWDROPDOWN, TRUE, 0);
    type("Ed");
    press(VK_RETURN);
    EXPECT_EQ(std::string(g_itemText), text(IDC_ITEM_TEXT));
    EXPECT_EQ("Edit", text(IDC_ITEM_TEXT));
    EXPECT_TRUE(enabled(IDC_REMOVE));
}

TEST_F(DialogTest, AfterAddOrRemoveByKeyboardTheKeyboardStillWorks) {
    open("C:\\Tools\\viewer.exe");
    SendMessageA(dialog, WM_NEXTDLGCTL, (WPARAM)control(IDC_ADD), TRUE);
    ASSERT_EQ(control(IDC_ADD), GetFocus());
    press(VK_SPACE);
    ASSERT_TRUE(keyExists(shellPath("Open with viewer\\command")));
    EXPECT_EQ(itemEdit(), GetFocus()) << "the focus went with the disabled button";

    for (char key : std::string("Open with viewer")) {
        MSG typed = {GetFocus(), WM_CHAR, (WPARAM)key, 1, 0, {0, 0}};
        IsDialogMessageA(dialog, &typed);
    }
    EXPECT_TRUE(enabled(IDC_REMOVE));
    press(VK_TAB);
    ASSERT_EQ(control(IDC_REMOVE), GetFocus());
    press(VK_SPACE);
    EXPECT_FALSE(keyExists(shellPath("Open with viewer")));
    EXPECT_EQ(itemEdit(), GetFocus());
    press(VK_ESCAPE);
    EXPECT_FALSE(IsWindowVisible(dialog));
}

// The list moved with the keyboard and closed without Enter: the box shows
// another entry, and that entry is the one Remove takes.
TEST_F(DialogTest, TheBoxAndTheButtonsAgreeHoweverTheListCloses) {
    enum { ESCAPE, FOCUS_ELSEWHERE, TAB };
    const char* const wayNames[] = {"Esc", "the focus elsewhere", "Tab"};
    for (int way : {ESCAPE, FOCUS_ELSEWHERE, TAB}) {
        SCOPED_TRACE(wayNames[way]);
        makeEntry("Entry 06", "\"C:\\6.exe\" \"%1\"");
        makeEntry("Entry 07", "\"C:\\7.exe\" \"%1\"");
        open("C:\\Tools\\viewer.exe");
        SendMessageA(dialog, WM_NEXTDLGCTL, (WPARAM)control(IDC_ITEM_TEXT), TRUE);
        clearItemText();
        type("Entry 06");
        press(VK_F4);
        ASSERT_TRUE(SendMessageA(control(IDC_ITEM_TEXT), CB_GETDROPPEDSTATE, 0, 0));
        press(VK_DOWN);
        if (way == ESCAPE) {
            press(VK_ESCAPE);
        } else if (way == TAB) {
            press(VK_TAB);
        } else if (way == FOCUS_ELSEWHERE) {
            SendMessageA(dialog, WM_NEXTDLGCTL, (WPARAM)control(IDC_BROWSE), TRUE);
        }
        ASSERT_FALSE(SendMessageA(control(IDC_ITEM_TEXT), CB_GETDROPPEDSTATE, 0, 0));
        EXPECT_EQ("Entry 07", text(IDC_ITEM_TEXT));
        EXPECT_STREQ("Entry 07", g_itemText);
        EXPECT_FALSE(enabled(IDC_ADD));
        EXPECT_TRUE(enabled(IDC_REMOVE));
        click(IDC_REMOVE);
        EXPECT_TRUE(keyExists(shellPath("Entry 06\\command")));
        EXPECT_FALSE(keyExists(shellPath("Entry 07")));
        close();
    }

    open("C:\\Tools\\viewer.exe");
    SendMessageA(dialog, WM_NEXTDLGCTL, (WPARAM)control(IDC_ITEM_TEXT), TRUE);
    clearItemText();
    type("Brand new");
    press(VK_F4);
    press(VK_DOWN);
    press(VK_ESCAPE);
    EXPECT_EQ("Entry 06", text(IDC_ITEM_TEXT));
    EXPECT_STREQ("Entry 06", g_itemText);
    EXPECT_FALSE(enabled(IDC_ADD));
    click(IDC_ADD);
    EXPECT_FALSE(keyExists(shellPath("Brand new")));
}

// A proposal nobody touched names the application it was made for, so it
// follows the next one; a text the user edited stays.
TEST_F(DialogTest, AnUntouchedProposalFollowsTheApplication) {
    open("C:\\Tools\\regedit.exe");
    EXPECT_EQ("Open with regedit", text(IDC_ITEM_TEXT));
    drop({"C:\\Tools\\winhlp32.exe"});
    EXPECT_EQ("Open with winhlp32", text(IDC_ITEM_TEXT));
    EXPECT_STREQ("Open with winhlp32", g_itemText);
    SendMessageA(dialog, WM_NEXTDLGCTL, (WPARAM)control(IDC_ITEM_TEXT), TRUE);
    press(VK_F4);
    press(VK_ESCAPE);
    drop({"C:\\Tools\\notepad.exe"});
    EXPECT_EQ("Open with notepad", text(IDC_ITEM_TEXT)) << "opening the list touches nothing";
    SendMessageA(itemEdit(), EM_SETSEL, 100, 100);
    type("!");
    drop({"C:\\Tools\\paint.exe"});
    EXPECT_EQ("Open with notepad!", text(IDC_ITEM_TEXT));
}

TEST_F(DialogTest, TypedTextLongerThanTheBoxIsKeptWhole) {
    open("C:\\Tools\\viewer.exe");
    clearItemText();
    const std::string name =
        "Open with the quite long Application Name Deluxe Edition 2026 Professional";
    type(name);
    EXPECT_EQ(name, text(IDC_ITEM_TEXT));
    EXPECT_EQ(name, std::string(g_itemText));
    click(IDC_ADD);
    EXPECT_TRUE(keyExists(shellPath(name + "\\command")));
}

// What other programs did while the dialog was open shows after every click,
// whatever its outcome, and whenever the list opens; the box keeps its text.
TEST_F(DialogTest, TheListAndTheButtonsFollowTheRegistryAfterEveryClick) {
    makeEntry("Edit", "\"C:\\edit.exe\" \"%1\"");
    makeEntry("Gone", "\"C:\\gone.exe\" \"%1\"");
    open("C:\\Tools\\viewer.exe");
    clearItemText();
    type("Gone");
    ASSERT_TRUE(enabled(IDC_REMOVE));
    ASSERT_EQ(0, RegDeleteKeyA(HKEY_LOCAL_MACHINE, shellPath("Gone\\command").c_str()));
    ASSERT_EQ(0, RegDeleteKeyA(HKEY_LOCAL_MACHINE, shellPath("Gone").c_str()));
    click(IDC_REMOVE);
    EXPECT_EQ("Gone", text(IDC_ITEM_TEXT));
    EXPECT_EQ(Items{"Edit"}, listItems());
    EXPECT_FALSE(enabled(IDC_REMOVE));
    EXPECT_TRUE(enabled(IDC_ADD));

    makeEntryFromAnotherProcess("Theirs", "\"C:\\theirs.exe\" \"%1\"");
    SendMessageA(dialog, WM_NEXTDLGCTL, (WPARAM)control(IDC_ITEM_TEXT), TRUE);
    press(VK_F4);
    EXPECT_EQ((Items{"Edit", "Theirs"}), listItems());
    EXPECT_EQ("Gone", text(IDC_ITEM_TEXT));
    press(VK_ESCAPE);
    EXPECT_EQ("Gone", text(IDC_ITEM_TEXT));
}

// A name is at most 255 UTF-16 units, however many bytes they take; a longer
// text names nothing, typed or in the list, even where the part of it that
// g_itemText can hold would be a name. Three bytes a character: 256 of them
// are 768 bytes, and cut at a character boundary, 255 of them.
TEST_F(DialogTest, ATextLongerThanAnyNameIsNeitherRemovedNorAdded) {
    const std::string longest = repeat(u8"\u4e2d", 255);
    const std::string tooLong = repeat(u8"\u4e2d", 256);
    // Relative to the shell key: Wine's "A" registry calls take paths of at
    // most 260 units, and a whole path to this entry is longer.
    ASSERT_TRUE(addEntry(longest.c_str(), "C:\\theirs.exe"));
    open("C:\\Tools\\viewer.exe");
    clearItemText();
    paste(tooLong);
    EXPECT_FALSE(enabled(IDC_REMOVE));
    EXPECT_FALSE(enabled(IDC_ADD));
    // What a click sends, even to a disabled button.
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_REMOVE, BN_CLICKED),
                 (LPARAM)control(IDC_REMOVE));
    EXPECT_TRUE(entryExists(longest.c_str()));

    // As long an item in the list names nothing either.
    SendMessageA(control(IDC_ITEM_TEXT), CB_ADDSTRING, 0, (LPARAM)tooLong.c_str());
    select(1);
    EXPECT_EQ(std::wstring(256, L'\u4e2d'), wideText(IDC_ITEM_TEXT));
    EXPECT_FALSE(enabled(IDC_REMOVE));
    drop({"C:\\Tools\\paint.exe"});
    EXPECT_EQ(std::wstring(256, L'\u4e2d'), wideText(IDC_ITEM_TEXT))
        << "a proposal replaces no text longer than a name";
    select(0);
    EXPECT_EQ(longest, std::string(g_itemText));
    EXPECT_TRUE(enabled(IDC_REMOVE));

    clearItemText();
    paste(longest);
    EXPECT_TRUE(enabled(IDC_REMOVE));
    click(IDC_REMOVE);
    EXPECT_FALSE(entryExists(longest.c_str()));
    paste(longest);
    EXPECT_TRUE(enabled(IDC_ADD));
    click(IDC_ADD);
    EXPECT_EQ(L"\"C:\\Tools\\paint.exe\" \"%1\"",
              wideDefaultValue(L"SOFTWARE\\Classes\\*\\shell\\" + std::wstring(255, L'\u4e2d') +
                               L"\\command"));
}
