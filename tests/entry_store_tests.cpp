// The menu entries as the registry holds them: listing, lookup, removal and
// addition, the command value's exact form, and what must never be lost.
#include "app/quillet.h"
#include "entries/entry_name.h"
#include "entries/entry_store.h"
#include "registry_sandbox.h"

#include <string.h>

typedef std::vector<std::string> Names;

class EntryStoreTest : public RegistrySandbox {
  protected:
    void SetUp() override {
        RegistrySandbox::SetUp();
        makeKey(TEST_SHELL);
    }
};

TEST_F(EntryStoreTest, AnEmptyShellKeyHasNoEntries) {
    EXPECT_EQ(Names(), listedNames());
    EXPECT_FALSE(entryExists("Open with viewer"));
    EXPECT_FALSE(removeEntry("Open with viewer"));
}

// Another program (a cleanup tool) may remove the shell key while the dialog
// is open: the next add makes it again, as the start does.
TEST_F(EntryStoreTest, WithoutAShellKeyNothingIsFoundAndAnAddMakesIt) {
    ASSERT_EQ(0, RegDeleteKeyA(HKEY_LOCAL_MACHINE, TEST_SHELL));
    EXPECT_EQ(Names(), listedNames());
    EXPECT_FALSE(entryExists("x"));
    EXPECT_FALSE(addEntry("Bad\\name", "C:\\Tools\\viewer.exe"));
    EXPECT_FALSE(keyExists(TEST_SHELL)) << "a refused add writes nothing at all";
    EXPECT_TRUE(addEntry("Open with viewer", "C:\\Tools\\viewer.exe"));
    EXPECT_EQ(Names{"Open with viewer"}, listedNames());
}

TEST_F(EntryStoreTest, AddWritesTheVerbItsCommandKeyAndTheQuotedCommandOnly) {
    ASSERT_TRUE(addEntry("Open with viewer", "C:\\Tools\\viewer.exe"));
    EXPECT_EQ(shellPath("Open with viewer") + "\n" + shellPath("Open with viewer\\command") + "\n" +
                  shellPath("Open with viewer\\command") + " [] 1:\"C:\\Tools\\viewer.exe\" " +
                  "\"%1\"" + std::string(1, '\0') + "\n",
              dumpTree(TEST_SHELL).substr(0));
    EXPECT_EQ("\"C:\\Tools\\viewer.exe\" \"%1\"",
              stringValue(shellPath("Open with viewer\\command"), NULL));
    EXPECT_EQ(Names{"Open with viewer"}, listedNames());
    EXPECT_TRUE(entryExists("Open with viewer"));
    EXPECT_EQ('"', g_commandValue[0]);
}

TEST_F(EntryStoreTest, PathsAreQuotedWholeUpToTheLongestTheProgramAccepts) {
    std::string longest = "C:\\" + std::string(MAX_APP_PATH - 1 - 9, 'p') + "\\v.exe";
    ASSERT_EQ(size_t(MAX_APP_PATH - 1), longest.size());
    ASSERT_TRUE(addEntry("Long", longest.c_str()));
    EXPECT_EQ("\"" + longest + "\" \"%1\"", stringValue(shellPath("Long\\command"), NULL));

    ASSERT_TRUE(addEntry("No path", ""));
    EXPECT_EQ("\"\" \"%1\"", stringValue(shellPath("No path\\command"), NULL));

    ASSERT_TRUE(addEntry("Relative", "viewer.exe"));
    EXPECT_EQ("\"viewer.exe\" \"%1\"", stringValue(shellPath("Relative\\command"), NULL));

    // The shell reads %% as one %, and rewrites any other % sequence.
    ASSERT_TRUE(addEntry("Percent", "C:\\100%\\v%1x\\a%%b.exe"));
    EXPECT_EQ("\"C:\\100%%\\v%%1x\\a%%%%b.exe\" \"%1\"",
              stringValue(shellPath("Percent\\command"), NULL));
    // The longest path, every byte of it a %.
    std::string percents(MAX_APP_PATH - 1, '%');
    ASSERT_TRUE(addEntry("Percents", percents.c_str()));
    EXPECT_EQ("\"" + percents + percents + "\" \"%1\"",
              stringValue(shellPath("Percents\\command"), NULL));
}

TEST_F(EntryStoreTest, RefusedInputWritesNothing) {
    std::string before = dumpTree(TEST_SHELL);
    std::string tooLong = "C:\\" + std::string(MAX_APP_PATH - 3, 'p'); // one byte too many
    struct {
        const char* what;
        std::string name;
        std::string path;
    } cases[] = {
        {"empty name", "", "C:\\a.exe"},
        {"nested name", "Tools\\Open", "C:\\a.exe"},
        {"trailing backslash", "Tools\\", "C:\\a.exe"},
        {"quote in path", "Quoted", "C:\\a\" \"b.exe"},
        {"path too long", "Long", tooLong},
        {"tab", "Open\twith", "C:\\a.exe"},
        {"line break", "Open with\r\nviewer", "C:\\a.exe"},
        {"unit separator", "Open\x1fwith", "C:\\a.exe"},
        {"blanks only", "   ", "C:\\a.exe"},
        {"256 units", std::string(256, 'n'), "C:\\a.exe"},
        {"256 units in 768 bytes", repeat(u8"\u4e2d", 256), "C:\\a.exe"},
        {"delete", "Open\x7fwith", "C:\\a.exe"},
        {"C1 control", u8"Open\u0080with", "C:\\a.exe"},
        {"next line", u8"Open\u0085with", "C:\\a.exe"},
        {"last C1 control", u8"Open\u009fwith", "C:\\a.exe"},
        {"line separator", u8"Open\u2028with", "C:\\a.exe"},
        {"paragraph separator", u8"Open\u2029with", "C:\\a.exe"},
        {"no-break spaces only", u8"\u00a0\u00a0", "C:\\a.exe"},
        {"ideographic space only", u8"\u3000", "C:\\a.exe"},
        {"trailing blank", "Open with notepad ", "C:\\a.exe"},
        {"leading blank", " Open with notepad", "C:\\a.exe"},
        {"trailing no-break space", u8"Open with notepad\u00a0", "C:\\a.exe"},
        {"not UTF-8", "Open with \xc5", "C:\\a.exe"},
        {"canonical verb", "Open", "C:\\a.exe"},
        {"canonical verb in capitals", "RUNAS", "C:\\a.exe"},
        {"canonical verb never shown", "printto", "C:\\a.exe"},
        {"canonical verb, mixed case", "ProPerTies", "C:\\a.exe"},
        {"run as another user", "runasuser", "C:\\a.exe"},
        {"Arabic letter mark", u8"Open\u061cwith", "C:\\a.exe"},
        {"right-to-left override", u8"Open with \u202eexe.weiv", "C:\\a.exe"},
        {"first strong isolate", u8"Open with \u2068x", "C:\\a.exe"},
        {"zero width space", u8"Open\u200bwith", "C:\\a.exe"},
        {"Mongolian vowel separator", u8"Open\u180ewith", "C:\\a.exe"},
        {"word joiner", u8"Open\u2060with", "C:\\a.exe"},
        {"soft hyphen", u8"Open\u00adwith", "C:\\a.exe"},
        {"byte order mark", u8"\ufeffOpen with", "C:\\a.exe"},
        {"Hangul filler alone", u8"\u3164", "C:\\a.exe"},
        {"Hangul choseong filler", u8"Open\u115fwith", "C:\\a.exe"},
        {"tag characters", u8"Open with \U000E0001\U000E0065\U000E006E", "C:\\a.exe"},
        {"joiner at the end", u8"Open with x\u200d", "C:\\a.exe"},
        {"joiner before a blank", u8"Open\u200c with", "C:\\a.exe"},
        {"variation selector first", u8"\ufe0fOpen", "C:\\a.exe"},
        {"variation selector after a blank", u8"Open \ufe0fwith", "C:\\a.exe"},
        {"leading en space", u8"\u2002Open with", "C:\\a.exe"},
        {"trailing narrow no-break space", u8"Open with\u202f", "C:\\a.exe"},
    };
    ASSERT_EQ(size_t(MAX_APP_PATH), tooLong.size());
    for (const auto& c : cases) {
        EXPECT_FALSE(acceptsEntry(c.name.c_str(), c.path.c_str())) << c.what;
        EXPECT_FALSE(addEntry(c.name.c_str(), c.path.c_str())) << c.what;
        EXPECT_EQ(before, dumpTree(TEST_SHELL)) << c.what;
    }
    EXPECT_FALSE(keyExists(shellPath("Tools")));
    EXPECT_EQ('"', g_commandValue[0]);
}

// A bare verb key is what a failed add leaves; one that holds anything is
// another program's verb, which an add must neither fill nor take over.
TEST_F(EntryStoreTest, OnlyABareVerbWithoutCommandIsCompletedByAnAdd) {
    makeVerb("Edit");
    EXPECT_EQ(Names(), listedNames());
    EXPECT_FALSE(entryExists("Edit"));
    EXPECT_FALSE(removeEntry("Edit"));
    EXPECT_EQ(NAME_FREE, useOfName("Edit"));
    ASSERT_TRUE(addEntry("Edit", "C:\\edit.exe"));
    EXPECT_EQ(Names{"Edit"}, listedNames());
    EXPECT_EQ(NAME_OF_ENTRY, useOfName("Edit"));

    setStringValue(shellPath("Handler"), "MUIVerb", "theirs");
    setStringValue(shellPath("Handler"), "ExplorerCommandHandler", "{00000000-0000-0000-0000-0}");
    setStringValue(shellPath("Delegate\\DropTarget"), "CLSID", "{11111111-0000-0000-0000-0}");
    std::string before = dumpTree(TEST_SHELL);
    for (const char* name : {"Handler", "Delegate", "DELEGATE"}) {
        EXPECT_EQ(NAME_OF_OTHER_VERB, useOfName(name)) << name;
        EXPECT_FALSE(addEntry(name, "C:\\mine.exe")) << name;
        EXPECT_FALSE(removeEntry(name)) << name;
    }
    EXPECT_EQ(before, dumpTree(TEST_SHELL));
}

TEST_F(EntryStoreTest, NamesMatchWithoutRegardToCase) {
    makeEntry("Open with Viewer", "\"C:\\viewer.exe\" \"%1\"");
    EXPECT_TRUE(entryExists("open with viewer"));
    EXPECT_TRUE(entryExists("OPEN WITH VIEWER"));
    EXPECT_FALSE(entryExists("Open with Viewe"));
    EXPECT_FALSE(entryExists("Open with Viewer "));
    EXPECT_TRUE(removeEntry("open with VIEWER"));
    EXPECT_FALSE(keyExists(shellPath("Open with Viewer")));
}

TEST_F(EntryStoreTest, NestedNamesAndEmptyNamesAreNeverEntries) {
    makeEntry("Tools\\Open", "\"C:\\t.exe\" \"%1\"");
    makeEntry("Plain", "\"C:\\p.exe\" \"%1\"");
    EXPECT_FALSE(entryExists("Tools\\Open"));
    EXPECT_FALSE(removeEntry("Tools\\Open"));
    EXPECT_TRUE(keyExists(shellPath("Tools\\Open\\command")));
    EXPECT_FALSE(entryExists(""));
    EXPECT_FALSE(removeEntry(""));
    EXPECT_TRUE(keyExists(shellPath("Plain\\command")));
    EXPECT_EQ(Names{"Plain"}, listedNames());
}

TEST_F(EntryStoreTest, RemovingAnEntryTakesEverythingBeneathItAndNothingElse) {
    makeEntry("Open with view", "\"C:\\a.exe\" \"%1\"");
    makeEntry("Open with viewer", "\"C:\\b.exe\" \"%1\"");
    makeEntry("Open with viewer2", "\"C:\\c.exe\" \"%1\"");
    makeVerb("Open with viewer3");
    setStringValue(TEST_SHELL, NULL, "default verb");
    setStringValue(TEST_SHELL, "Open with viewer", "a value named like the entry");
    setStringValue(shellPath("Open with viewer\\command\\deeper\\deepest"), "v", "x");
    setStringValue(shellPath("Open with viewer\\command\\other"), "v", "y");
    setStringValue(shellPath("Open with viewer\\extra"), "v", "z");

    ASSERT_TRUE(addEntry("Removed soon", "C:\\d.exe"));
    std::string before = dumpTree(TEST_SHELL);
    ASSERT_TRUE(removeEntry("Removed soon"));
    ASSERT_TRUE(removeEntry("Open with viewer"));

    EXPECT_FALSE(keyExists(shellPath("Open with viewer")));
    std::string expected;
    size_t start = 0;
    while (start < before.size()) {
        size_t end = before.find('\n', start) + 1;
        std::string line = before.substr(start, end - start);
        if (line.find("Open with viewer\\") == std::string::npos &&
            line.find("Open with viewer\n") == std::string::npos &&
            line.find("Removed soon") == std::string::npos) {
            expected += line;
        }
        start = end;
    }
    EXPECT_EQ(expected, dumpTree(TEST_SHELL));
    EXPECT_EQ((Names{"Open with view", "Open with viewer2"}), listedNames());
    EXPECT_EQ("a value named like the entry", stringValue(TEST_SHELL, "Open with viewer"));
}

TEST_F(EntryStoreTest, ADeniedKeyBeneathAnEntryStaysAndTheEntryIsStillFound) {
    makeEntry("Stubborn", "\"C:\\s.exe\" \"%1\"");
    makeKey(shellPath("Stubborn\\command\\gone"));
    makeKey(shellPath("Stubborn\\command\\locked\\hidden"));
    lockKey(shellPath("Stubborn\\command\\locked"));
    makeEntry("Neighbour", "\"C:\\n.exe\" \"%1\"");

    EXPECT_TRUE(removeEntry("Stubborn"));
    EXPECT_FALSE(keyExists(shellPath("Stubborn\\command\\gone")));
    EXPECT_TRUE(keyExists(shellPath("Stubborn\\command")));
    EXPECT_EQ("\"C:\\s.exe\" \"%1\"", stringValue(shellPath("Stubborn\\command"), NULL));
    EXPECT_EQ((Names{"Neighbour", "Stubborn"}), listedNames());
    EXPECT_TRUE(entryExists("Stubborn"));
}

TEST_F(EntryStoreTest, ListingAndLookupPassOverVerbsThatCannotBeOpened) {
    makeEntry("A first", "\"C:\\1.exe\" \"%1\"");
    makeEntry("B second", "\"C:\\2.exe\" \"%1\"");
    lockKey(shellPath("C locked"));
    makeDanglingLink(shellPath("D link"));
    makeEntry("E fifth", "\"C:\\5.exe\" \"%1\"");
    makeEntry("F sixth", "\"C:\\6.exe\" \"%1\"");
    makeEntry("G locked command", "\"C:\\7.exe\" \"%1\"");
    lockKey(shellPath("G locked command\\command"));

    EXPECT_EQ((Names{"A first", "B second", "E fifth", "F sixth"}), listedNames());
    EXPECT_FALSE(entryExists("C locked"));
    EXPECT_FALSE(entryExists("D link"));
    EXPECT_FALSE(entryExists("G locked command"));
    EXPECT_TRUE(entryExists("F sixth"));
    EXPECT_TRUE(removeEntry("F sixth"));
    EXPECT_EQ((Names{"A first", "B second", "E fifth"}), listedNames());
}

TEST_F(EntryStoreTest, ALockedShellKeyHidesEverythingAndRefusesAdds) {
    makeEntry("Hidden", "\"C:\\h.exe\" \"%1\"");
    lockKey(TEST_SHELL);
    EXPECT_EQ(Names(), listedNames());
    EXPECT_FALSE(entryExists("Hidden"));
    EXPECT_FALSE(removeEntry("Hidden"));
    EXPECT_FALSE(addEntry("New", "C:\\n.exe"));
}

// A key name may have 255 UTF-16 units, however many bytes they take here.
TEST_F(EntryStoreTest, NamesOfTheRegistrysFullLengthWork) {
    const std::string longest[] = {std::string(255, 'n'), repeat(u8"\u4e2d", 255),
                                   repeat(u8"\U0001F600", 127) + "n"};
    for (const std::string& name : longest) {
        ASSERT_TRUE(addEntry(name.c_str(), "C:\\n.exe")) << name.size() << " bytes";
        EXPECT_EQ(Names{name}, listedNames());
        EXPECT_TRUE(removeEntry(name.c_str()));
    }
    EXPECT_FALSE(acceptsEntry((repeat(u8"\U0001F600", 128)).c_str(), "C:\\n.exe"));
    EXPECT_EQ("", dumpTree(TEST_SHELL));
}

// The proposal is cut to the longest name a key may have; the White_Space
// the cut leaves at its end goes too, however much of it there is.
TEST(EntryName, AProposalCutAmongBlanksLosesThemAll) {
    // 245 units of the file name fit: 240 letters and five of its six blanks.
    const std::string fileName = std::string(240, 'n') + u8" \u3000\u00a0 \u2002 tail";
    char proposal[MAX_ITEM_TEXT];
    composeEntryName("Open with ", fileName.c_str(), fileName.size(), proposal);
    EXPECT_EQ("Open with " + std::string(240, 'n'), std::string(proposal));
    EXPECT_TRUE(isWritableEntryName(proposal));
}

// What names in real scripts need, and names that only contain a verb of
// the shell's own.
TEST_F(EntryStoreTest, NamesInEveryScriptAreTakenWithTheirJoinersAndSelectors) {
    const char* const taken[] = {
        u8"\u0628\u0627\u0632\u200c\u06a9\u0646", // Persian, a ZWNJ inside a word
        u8"Open with \U0001F468\u200d\U0001F4BB", // an emoji sequence
        u8"Open with \u263a\ufe0f",               // an emoji's picture form
        u8"\U0001F3F3\ufe0f\u200d\U0001F308",     // a selector before a joiner
        u8"\u0915\u094d\u200d\u0937",             // Devanagari, a ZWJ after a mark
        u8"Open\u00a0with\u3000viewer",
        "Opener",
        "Open with",
        "Print it",
        "Run as admin"};
    for (const char* name : taken) {
        EXPECT_TRUE(acceptsEntry(name, "C:\\a.exe")) << name;
        EXPECT_TRUE(addEntry(name, "C:\\a.exe")) << name;
        EXPECT_TRUE(removeEntry(name)) << name;
    }
}

// Another program may have written names this program refuses; each can
// still be found and removed by its exact name.
TEST_F(EntryStoreTest, AnEntryWithARefusedNameCanStillBeRemoved) {
    const std::string names[] = {"Open with notepad ", u8"Open\u2028with", u8"\u00a0", "open",
                                 "RunAs"};
    for (const std::string& name : names) {
        makeEntry(name, "\"C:\\theirs.exe\" \"%1\"");
        EXPECT_TRUE(entryExists(name.c_str()));
        EXPECT_TRUE(removeEntry(name.c_str()));
    }
    EXPECT_EQ("", dumpTree(TEST_SHELL));
}

TEST_F(EntryStoreTest, AThousandAddsAndRemovesLeaveNoHandleOpen) {
    makeEntry("Neighbour", "\"C:\\n.exe\" \"%1\"");
    makeVerb("Verb without command");
    int before = openHandleCount();
    for (int i = 0; i < 1000; ++i) {
        ASSERT_TRUE(addEntry("Cycle", "C:\\c.exe"));
        ASSERT_TRUE(entryExists("Cycle"));
        listedNames();
        ASSERT_TRUE(removeEntry("Cycle"));
        ASSERT_FALSE(removeEntry("Verb without command"));
        ASSERT_FALSE(addEntry("Bad\\name", "C:\\c.exe"));
    }
    EXPECT_EQ(before, openHandleCount());
    EXPECT_EQ(Names{"Neighbour"}, listedNames());
}

// The registry holds names in UTF-16; under the program's UTF-8 code page
// they reach it and come back byte for byte.
TEST_F(EntryStoreTest, NamesAndPathsInAnyScriptRoundTripExactly) {
    const char name[] = u8"Open with \u0141\u00f3d\u017a \u4e2d\u6587";
    const char path[] = u8"C:\\Tools\\\u0141\u00f3d\u017a\\\u4e2d\u6587.exe";
    ASSERT_TRUE(addEntry(name, path));
    EXPECT_EQ(L"\"C:\\Tools\\\u0141\u00f3d\u017a\\\u4e2d\u6587.exe\" \"%1\"",
              wideDefaultValue(L"SOFTWARE\\Classes\\*\\shell\\Open with \u0141\u00f3d\u017a "
                               L"\u4e2d\u6587\\command"));

    makeEntry("Alpha", "\"C:\\a.exe\" \"%1\"");
    EXPECT_FALSE(entryExists(u8"Alph\u0101"));
    // 200 characters of three bytes each: longer in UTF-8 than MAX_PATH.
    std::string longName;
    for (int i = 0; i < 200; ++i) {
        longName += u8"\u4e2d";
    }
    ASSERT_TRUE(addEntry(longName.c_str(), "C:\\long.exe"));
    EXPECT_EQ((Names{"Alpha", name, longName}), listedNames());
}

// Another program writes while the dialog is open: here a real second
// process, reg.exe, creates the entry between the dialog's look and its add.
TEST_F(EntryStoreTest, AnEntryAnotherProgramMadeMeanwhileIsNeverOverwritten) {
    makeEntryFromAnotherProcess("Theirs", "\"C:\\theirs.exe\" /x");
    ASSERT_EQ("\"C:\\theirs.exe\" /x", stringValue(shellPath("Theirs\\command"), NULL));
    std::string before = dumpTree(TEST_SHELL);

    EXPECT_FALSE(addEntry("Theirs", "C:\\mine.exe"));
    EXPECT_FALSE(addEntry("THEIRS", "C:\\mine.exe"));
    EXPECT_EQ(before, dumpTree(TEST_SHELL));
}
