// The registry record: opening, figures, enumeration, creation, recursive
// deletion, value operations and the registry view it addresses.
#include "registry/registry_key.h"
#include "built_programs.h"
#include "registry_sandbox.h"

#include <string.h>

typedef RegistrySandbox RegistryKeyTest;

TEST_F(RegistryKeyTest, OpeningAMissingPathLeavesANullHandleAndZeroFigures) {
    makeKey("Present");
    {
        RegistryKey key(HKEY_LOCAL_MACHINE, "Missing\\Deeper");
        EXPECT_TRUE(key.handle == NULL);
        EXPECT_EQ(0u, key.subKeyCount);
        EXPECT_EQ(0u, key.maxSubKeyLength);
        EXPECT_EQ(0u, key.valueCount);
        EXPECT_EQ(0u, key.maxValueNameLength);
        EXPECT_EQ(0u, key.maxValueLength);
        EXPECT_FALSE(key.subKeyName(0));
        EXPECT_FALSE(key.createSubKey("Child"));
    }
    EXPECT_FALSE(keyExists("Missing"));
    EXPECT_TRUE(keyExists("Present"));
}

TEST_F(RegistryKeyTest, FiguresDescribeTheKeyAsItStoodAtTheOpen) {
    makeKey("Figures\\a");
    makeKey("Figures\\longest-name");
    setStringValue("Figures", "v", "1234567");
    setStringValue("Figures", "longer name", "");
    RegistryKey key(HKEY_LOCAL_MACHINE, "Figures");
    ASSERT_TRUE(key.handle != NULL);
    makeKey("Figures\\added-after-the-open");
    EXPECT_EQ(2u, key.subKeyCount);
    EXPECT_EQ(strlen("longest-name"), key.maxSubKeyLength);
    EXPECT_EQ(2u, key.valueCount);
    EXPECT_EQ(strlen("longer name"), key.maxValueNameLength);
    // Wine counts the stored UTF-16 bytes here, Windows the ANSI ones.
    EXPECT_GE(key.maxValueLength, 8u);
}

TEST_F(RegistryKeyTest, SkippingTheFiguresStillOpensTheKey) {
    makeKey("Quick\\child");
    RegistryKey key(HKEY_LOCAL_MACHINE, "Quick", RegistryKey::SKIP_FIGURES);
    ASSERT_TRUE(key.handle != NULL);
    EXPECT_EQ(0u, key.subKeyCount);
    EXPECT_TRUE(key.subKeyName(0));
    EXPECT_STREQ("child", key.name);
}

TEST_F(RegistryKeyTest, WrappingTheRootDescribesItAndLeavesItUsable) {
    makeKey("One");
    makeKey("Two");
    setStringValue("", "rootValue", "x");
    {
        RegistryKey key(HKEY_LOCAL_MACHINE, NULL);
        EXPECT_TRUE(key.handle == HKEY_LOCAL_MACHINE);
        EXPECT_EQ(2u, key.subKeyCount);
        EXPECT_EQ(1u, key.valueCount);
        EXPECT_TRUE(key.createSubKey("Three\\Four"));
    }
    // Closing a predefined key is harmless: it still leads to the same tree.
    EXPECT_TRUE(keyExists("Three\\Four"));
    EXPECT_TRUE(keyExists("One"));
}

TEST_F(RegistryKeyTest, EnumerationNamesEverySubkeyAndFailsPastTheEnd) {
    makeKey("List\\alpha");
    makeKey("List\\beta");
    RegistryKey key(HKEY_LOCAL_MACHINE, "List");
    std::vector<std::string> names;
    for (DWORD i = 0; i < key.subKeyCount; ++i) {
        ASSERT_TRUE(key.subKeyName(i));
        names.push_back(key.name);
    }
    EXPECT_EQ((std::vector<std::string>{"alpha", "beta"}), names);
    EXPECT_FALSE(key.subKeyName(2));
    EXPECT_FALSE(key.subKeyName(0xFFFFFFFF));
}

TEST_F(RegistryKeyTest, CreatingAnExistingKeySucceedsAndChangesNothing) {
    setStringValue("Existing\\inner", "keep", "me");
    std::string before = dumpTree("Existing");
    {
        RegistryKey key(HKEY_LOCAL_MACHINE, NULL);
        EXPECT_TRUE(key.createSubKey("Existing"));
        EXPECT_TRUE(key.createSubKey("Existing\\inner"));
    }
    EXPECT_EQ(before, dumpTree("Existing"));
}

TEST_F(RegistryKeyTest, CreatingUnderALockedKeyFails) {
    lockKey("Locked");
    RegistryKey root(HKEY_LOCAL_MACHINE, NULL);
    EXPECT_FALSE(root.createSubKey("Locked"));
    RegistryKey locked(HKEY_LOCAL_MACHINE, "Locked");
    EXPECT_TRUE(locked.handle == NULL);
}

TEST_F(RegistryKeyTest, DeletingATreeRemovesEveryLevelAndNothingBeside) {
    const char* leaves[] = {"Tree\\a\\a1\\x", "Tree\\a\\a1\\y", "Tree\\a\\a2",
                            "Tree\\b\\b1\\z", "Tree\\b\\b2\\w", "Tree\\c"};
    for (const char* leaf : leaves) {
        setStringValue(leaf, "v", leaf);
    }
    setStringValue("Tree", NULL, "default");
    makeKey("TreeSibling\\child");
    setStringValue("", "Tree2", "a value beside the tree");
    {
        RegistryKey root(HKEY_LOCAL_MACHINE, NULL);
        EXPECT_TRUE(root.deleteSubKeyTree("Tree"));
    }
    EXPECT_FALSE(keyExists("Tree"));
    EXPECT_TRUE(keyExists("TreeSibling\\child"));
    EXPECT_EQ("a value beside the tree", stringValue("", "Tree2"));
}

TEST_F(RegistryKeyTest, DeletingANameThatIsAValueRemovesTheValue) {
    setStringValue("Holder", "loose", "data");
    setStringValue("Holder", "other", "stays");
    RegistryKey holder(HKEY_LOCAL_MACHINE, "Holder");
    EXPECT_TRUE(holder.deleteSubKeyTree("loose"));
    EXPECT_EQ("<no value>", stringValue("Holder", "loose"));
    EXPECT_EQ("stays", stringValue("Holder", "other"));
}

TEST_F(RegistryKeyTest, DeletingANameThatIsNeitherFails) {
    setStringValue("Holder", "value", "data");
    std::string before = dumpTree("Holder");
    RegistryKey holder(HKEY_LOCAL_MACHINE, "Holder");
    EXPECT_FALSE(holder.deleteSubKeyTree("nothing"));
    EXPECT_EQ(before, dumpTree("Holder"));
}

TEST_F(RegistryKeyTest, DeletingATreeWithALockedKeyRemovesWhatItCanAndFails) {
    makeKey("Mixed\\first\\leaf");
    // A key that has a subkey of its own, and that nobody may open to see it.
    makeKey("Mixed\\second\\hidden");
    lockKey("Mixed\\second");
    makeKey("Mixed\\third\\leaf");
    setStringValue("", "Mixed", "the parent's value, named like the key");
    {
        RegistryKey root(HKEY_LOCAL_MACHINE, NULL);
        EXPECT_FALSE(root.deleteSubKeyTree("Mixed"));
    }
    EXPECT_TRUE(keyExists("Mixed"));
    EXPECT_EQ("Mixed\\second\nMixed\\second <unopenable>\n", dumpTree("Mixed"));
    EXPECT_EQ("the parent's value, named like the key", stringValue("", "Mixed"));
}

TEST_F(RegistryKeyTest, ALinkIsDeletedAsItselfAndWhatItPointsToStays) {
    setStringValue("Victim\\inner\\deep", "v", "must stay");
    setStringValue("Victim", "top", "must stay too");
    std::string victim = dumpTree("Victim");
    makeLink("Linked", "Victim");
    makeKey("Tree\\plain");
    makeLink("Tree\\plain\\linked", "Victim");
    makeDanglingLink("Tree\\dangling");
    {
        RegistryKey root(HKEY_LOCAL_MACHINE, NULL);
        EXPECT_TRUE(root.deleteSubKeyTree("Tree"));
        EXPECT_TRUE(root.deleteSubKeyTree("Linked"));
    }
    EXPECT_FALSE(keyExists("Tree"));
    EXPECT_EQ("<no key>", dumpTree("Linked"));
    EXPECT_EQ(victim, dumpTree("Victim"));
}

TEST_F(RegistryKeyTest, ValueOperationsFindByNameIgnoringCaseAndNeverCreate) {
    setStringValue("Values", "First", "one");
    setStringValue("Values", "Second", "two");
    RegistryKey key(HKEY_LOCAL_MACHINE, "Values");
    ASSERT_EQ(2u, key.valueCount);

    ASSERT_TRUE(key.valueAt(1));
    EXPECT_STREQ("Second", key.name);
    EXPECT_STREQ("two", (const char*)key.data);
    EXPECT_FALSE(key.valueAt(2));

    EXPECT_TRUE(key.findValue("FIRST"));
    EXPECT_STREQ("First", key.name);
    EXPECT_STREQ("one", (const char*)key.data);

    memset(key.data, 'x', sizeof key.data);
    EXPECT_FALSE(key.findValue("third"));
    EXPECT_EQ(0, key.data[0]);

    EXPECT_TRUE(key.setExistingValue("second", "changed"));
    EXPECT_EQ("changed", stringValue("Values", "Second"));
    EXPECT_FALSE(key.setExistingValue("third", "created?"));
    EXPECT_EQ("<no value>", stringValue("Values", "third"));
}

TEST_F(RegistryKeyTest, ValueOperationsOnAKeyWithoutValuesLeaveDataAlone) {
    makeKey("Empty");
    RegistryKey key(HKEY_LOCAL_MACHINE, "Empty");
    memset(key.data, 'x', sizeof key.data);
    EXPECT_FALSE(key.setExistingValue("any", "text"));
    EXPECT_EQ('x', key.data[0]);
    EXPECT_FALSE(key.findValue("any"));
    EXPECT_EQ(0, key.data[0]);
}

// The view tests work on the prefix's own HKEY_LOCAL_MACHINE, since only the
// real SOFTWARE key is split into a 32-bit and a 64-bit view: a sandbox under
// HKEY_CURRENT_USER\Software has no 32-bit view to tell apart. Outside Wine
// that key is the machine's own, so there they only read the process's
// rights and flags, and touch no key.
class RegistryViewTest : public testing::Test {
  protected:
    void SetUp() override {
        GetEnvironmentVariableA("ProgramFiles(x86)", saved_, sizeof saved_);
        if (runningUnderWine()) {
            removeScratch();
        }
    }
    void TearDown() override {
        if (saved_[0] != '\0') {
            SetEnvironmentVariableA("ProgramFiles(x86)", saved_);
        }
        if (runningUnderWine()) {
            removeScratch();
        }
    }
    static void removeScratch() {
        RegDeleteKeyExA(HKEY_LOCAL_MACHINE, SCRATCH, KEY_WOW64_64KEY, 0);
        RegDeleteKeyExA(HKEY_LOCAL_MACHINE, SCRATCH, KEY_WOW64_32KEY, 0);
    }
    static bool existsInView(REGSAM view) {
        HKEY key;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, SCRATCH, 0, view | KEY_READ, &key) != 0) {
            return false;
        }
        RegCloseKey(key);
        return true;
    }
    static bool createScratch() {
        RegistryKey root(HKEY_LOCAL_MACHINE, NULL);
        return root.createSubKey(SCRATCH);
    }
    static constexpr const char* SCRATCH = "SOFTWARE\\QuilletViewTest";
    char saved_[260] = "";
};

TEST_F(RegistryViewTest, On64BitWindowsKeysGoToThe64BitView) {
    if (saved_[0] == '\0') {
        GTEST_SKIP() << "32-bit Windows: there is only one view";
    }
    EXPECT_TRUE(is64BitWindows());
    EXPECT_EQ(0x100u, g_wow64Flag);
    EXPECT_EQ(0x2011Bu, keyOpenRights());
    EXPECT_EQ(0x20119u, keyCreateRights());
    if (!runningUnderWine()) {
        GTEST_SKIP() << "it would write HKEY_LOCAL_MACHINE\\SOFTWARE\\QuilletViewTest of this "
                        "machine; it does so only in a Wine prefix";
    }
    if (!createScratch()) {
        GTEST_SKIP() << "HKEY_LOCAL_MACHINE is not writable here";
    }
    EXPECT_TRUE(existsInView(KEY_WOW64_64KEY));
    EXPECT_FALSE(existsInView(KEY_WOW64_32KEY));
    RegistryKey opened(HKEY_LOCAL_MACHINE, SCRATCH);
    EXPECT_TRUE(opened.handle != NULL);
}

TEST_F(RegistryViewTest, WithoutTheX86ProgramFilesVariableTheRecordAsksForFullAccessAndNoView) {
    SetEnvironmentVariableA("ProgramFiles(x86)", NULL);
    EXPECT_FALSE(is64BitWindows());
    EXPECT_EQ(0xF003Fu, keyOpenRights());
    EXPECT_EQ(0xF003Fu, keyCreateRights());
    if (saved_[0] == '\0') {
        return; // 32-bit Windows: the default view is the only one
    }
    if (!runningUnderWine()) {
        GTEST_SKIP() << "it would write HKEY_LOCAL_MACHINE\\SOFTWARE\\QuilletViewTest of this "
                        "machine; it does so only in a Wine prefix";
    }
    if (!createScratch()) {
        GTEST_SKIP() << "HKEY_LOCAL_MACHINE is not writable here";
    }
#ifdef _WIN64
    // The 64-bit test build: a 64-bit process without the view flag lands
    // in its own view, the 64-bit one. The program itself is never built so.
    EXPECT_TRUE(existsInView(KEY_WOW64_64KEY));
    EXPECT_FALSE(existsInView(KEY_WOW64_32KEY));
#else
    // A 32-bit process without the view flag lands in Wow6432Node.
    EXPECT_TRUE(existsInView(KEY_WOW64_32KEY));
    EXPECT_FALSE(existsInView(KEY_WOW64_64KEY));
#endif
}
