// The dialog's resources as built: the template read back word by word, the
// live layout in dialog units, the tab order, the icon group, and the
// program's manifest.
#include "app/quillet.h"
#include "built_programs.h"
#include "dialog_harness.h"

#include <oleacc.h>
#include <string.h>

#include <string>

// No SCOPED_TRACE here: on Windows it makes GoogleTest start a thread that
// watches the test's own, and a process that exits with that thread still
// waiting now and then dies in Wine's process exit.
namespace {

const WORD ENGLISH_US = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

struct ControlTemplate {
    DWORD id;
    std::string className;
    std::string text;
    DWORD style;
    DWORD exStyle;
    RECT rect; // left, top, width, height in dialog units
};

struct DialogTemplate {
    DWORD style = 0;
    DWORD exStyle = 0;
    RECT rect = {};
    std::string menu, windowClass, title, font;
    WORD pointSize = 0, weight = 0;
    BYTE italic = 0, charset = 0;
    std::vector<ControlTemplate> controls;
};

class TemplateReader {
  public:
    explicit TemplateReader(const BYTE* at) : at_(at) {}
    WORD word() {
        WORD value;
        memcpy(&value, at_, 2);
        at_ += 2;
        return value;
    }
    DWORD dword() { return word() | ((DWORD)word() << 16); }
    BYTE byte() { return *at_++; }
    short coordinate() { return (short)word(); }
    // x, y, width and height, kept in a RECT's four fields in that order.
    RECT placement() {
        RECT rect;
        rect.left = coordinate();
        rect.top = coordinate();
        rect.right = coordinate();
        rect.bottom = coordinate();
        return rect;
    }
    std::string text() {
        std::string out;
        for (WORD c = word(); c != 0; c = word()) {
            out += (char)c;
        }
        return out;
    }
    // A name or an ordinal, which the predefined control classes use.
    std::string nameOrOrdinal() {
        WORD first = word();
        if (first == 0) {
            return "";
        }
        if (first == 0xFFFF) {
            static const char* const classes[] = {"Button",  "Edit",      "Static",
                                                  "ListBox", "ScrollBar", "ComboBox"};
            WORD ordinal = word();
            return ordinal >= 0x80 && ordinal <= 0x85 ? classes[ordinal - 0x80]
                                                      : "#" + std::to_string(ordinal);
        }
        at_ -= 2;
        return text();
    }
    void alignToDword(const BYTE* base) {
        while ((at_ - base) % 4 != 0) {
            ++at_;
        }
    }
    void skip(size_t bytes) { at_ += bytes; }

  private:
    const BYTE* at_;
};

DialogTemplate readMainTemplate() {
    DialogTemplate dialog;
    HMODULE module = GetModuleHandleA(NULL);
    HRSRC resource = FindResourceExA(module, RT_DIALOG, MAKEINTRESOURCEA(IDD_MAIN), ENGLISH_US);
    if (resource == NULL) {
        ADD_FAILURE() << "no English (United States) dialog " << IDD_MAIN;
        return dialog;
    }
    const BYTE* base = (const BYTE*)LockResource(LoadResource(module, resource));
    TemplateReader in(base);
    EXPECT_EQ(1, in.word()) << "extended template version";
    EXPECT_EQ(0xFFFF, in.word()) << "extended template signature";
    in.dword(); // help id
    dialog.exStyle = in.dword();
    dialog.style = in.dword();
    WORD count = in.word();
    dialog.rect = in.placement();
    dialog.menu = in.nameOrOrdinal();
    dialog.windowClass = in.nameOrOrdinal();
    dialog.title = in.text();
    if (dialog.style & DS_SETFONT) {
        dialog.pointSize = in.word();
        dialog.weight = in.word();
        dialog.italic = in.byte();
        dialog.charset = in.byte();
        dialog.font = in.text();
    }
    for (WORD i = 0; i < count; ++i) {
        in.alignToDword(base);
        ControlTemplate control;
        in.dword(); // help id
        control.exStyle = in.dword();
        control.style = in.dword();
        control.rect = in.placement();
        control.id = in.dword();
        control.className = in.nameOrOrdinal();
        control.text = in.nameOrOrdinal();
        in.skip(in.word());
        dialog.controls.push_back(control);
    }
    return dialog;
}

const ControlTemplate EXPECTED_CONTROLS[] = {
    {IDC_APP_LABEL, "Static", "Application:", 0x50000000, 0, {6, 9, 165, 9}},
    {IDC_APP_PATH, "Edit", "", 0x50010800, WS_EX_CLIENTEDGE, {6, 18, 162, 12}},
    {IDC_ADD, "Button", "Add", 0x58010000, 0, {100, 69, 39, 15}},
    {IDC_BROWSE, "Button", "...", 0x50010000, 0, {168, 18, 13, 12}},
    {IDC_ITEM_LABEL, "Static", "Menu item text:", 0x50000000, 0, {6, 39, 165, 9}},
    {IDC_ITEM_TEXT, "ComboBox", "", 0x50010042, 0, {6, 48, 171, 96}},
    {IDC_REMOVE, "Button", "Remove", 0x58010000, 0, {46, 69, 39, 15}},
};

bool sameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

} // namespace

TEST(DialogTemplate, TheDialogIsAsDesigned) {
    DialogTemplate dialog = readMainTemplate();
    EXPECT_EQ(0x90C81044u, dialog.style);
    EXPECT_EQ(0u, dialog.exStyle);
    EXPECT_TRUE(sameRect(RECT{10, 10, 186, 90}, dialog.rect));
    EXPECT_EQ("", dialog.menu);
    EXPECT_EQ("", dialog.windowClass);
    EXPECT_EQ("Add or delete context menu item", dialog.title);
    EXPECT_EQ("MS Sans Serif", dialog.font);
    EXPECT_EQ(8, dialog.pointSize);
    EXPECT_EQ(0, dialog.weight);
    EXPECT_EQ(0, dialog.italic);
    EXPECT_EQ(0, dialog.charset);
}

TEST(DialogTemplate, EveryControlIsAsDesignedInTabOrder) {
    DialogTemplate dialog = readMainTemplate();
    const size_t expectedCount = sizeof EXPECTED_CONTROLS / sizeof EXPECTED_CONTROLS[0];
    ASSERT_EQ(expectedCount, dialog.controls.size());
    for (size_t i = 0; i < expectedCount; ++i) {
        const ControlTemplate& want = EXPECTED_CONTROLS[i];
        const ControlTemplate& got = dialog.controls[i];
        const std::string where = "control " + std::to_string(i) + " (" + want.text + ")";
        EXPECT_EQ(want.id, got.id) << where;
        EXPECT_STRCASEEQ(want.className.c_str(), got.className.c_str()) << where;
        EXPECT_EQ(want.text, got.text) << where;
        EXPECT_EQ(want.style, got.style) << where << std::hex << ": " << got.style;
        EXPECT_EQ(want.exStyle, got.exStyle) << where;
        EXPECT_TRUE(sameRect(want.rect, got.rect)) << where;
    }
}

TEST_F(DialogTest, TheLiveDialogMatchesTheDesignInDialogUnits) {
    open();
    char title[64] = "";
    GetWindowTextA(dialog, title, sizeof title);
    EXPECT_STREQ("Add or delete context menu item", title);
    for (const ControlTemplate& want : EXPECTED_CONTROLS) {
        const std::string where = want.text.empty() ? std::to_string(want.id) : want.text;
        HWND window = control(want.id);
        ASSERT_TRUE(window != NULL) << where;
        char className[32] = "";
        GetClassNameA(window, className, sizeof className);
        EXPECT_STRCASEEQ(want.className.c_str(), className) << where;
        // The dialog manager scales position and size each on its own.
        RECT expected = want.rect;
        MapDialogRect(dialog, &expected);
        RECT actual;
        GetWindowRect(window, &actual);
        MapWindowPoints(NULL, dialog, (POINT*)&actual, 2);
        EXPECT_EQ(expected.left, actual.left) << where;
        EXPECT_EQ(expected.top, actual.top) << where;
        EXPECT_EQ(expected.right, actual.right - actual.left) << where;
        if (want.id != IDC_ITEM_TEXT) { // a closed combo box is shorter than its list
            EXPECT_EQ(expected.bottom, actual.bottom - actual.top) << where;
        }
    }
}

TEST_F(DialogTest, TabVisitsTheEnabledControlsInTemplateOrder) {
    open();
    std::vector<int> order;
    HWND at = control(IDC_APP_PATH);
    for (int i = 0; i < 4; ++i) {
        order.push_back(GetDlgCtrlID(at));
        at = GetNextDlgTabItem(dialog, at, FALSE);
    }
    EXPECT_EQ((std::vector<int>{IDC_APP_PATH, IDC_BROWSE, IDC_ITEM_TEXT, IDC_APP_PATH}), order);

    EnableWindow(control(IDC_ADD), TRUE);
    EnableWindow(control(IDC_REMOVE), TRUE);
    order.clear();
    at = control(IDC_APP_PATH);
    for (int i = 0; i < 6; ++i) {
        order.push_back(GetDlgCtrlID(at));
        at = GetNextDlgTabItem(dialog, at, FALSE);
    }
    EXPECT_EQ((std::vector<int>{IDC_APP_PATH, IDC_ADD, IDC_BROWSE, IDC_ITEM_TEXT, IDC_REMOVE,
                                IDC_APP_PATH}),
              order);
}

// A screen reader names a field without text of its own after the static
// text just before it among the dialog's children, in template order.
TEST_F(DialogTest, EachFieldFollowsTheLabelThatNamesIt) {
    open();
    const struct {
        int field;
        int label;
        const char* text;
    } pairs[] = {{IDC_APP_PATH, IDC_APP_LABEL, "Application:"},
                 {IDC_ITEM_TEXT, IDC_ITEM_LABEL, "Menu item text:"}};
    for (const auto& pair : pairs) {
        HWND before = GetWindow(control(pair.field), GW_HWNDPREV);
        ASSERT_TRUE(before != NULL) << pair.text;
        EXPECT_EQ(pair.label, GetDlgCtrlID(before)) << pair.text;
        char text[64] = "";
        GetWindowTextA(before, text, sizeof text);
        EXPECT_STREQ(pair.text, text);
    }

    // What a screen reader asks, as a client of COM must: from a thread that
    // initialised it. Wine looks for a label for edit controls only, so the
    // combo box cannot be asked here.
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(NULL, COINIT_APARTMENTTHREADED)));
    IAccessible* accessible = NULL;
    ASSERT_EQ(S_OK, AccessibleObjectFromWindow(control(IDC_APP_PATH), (DWORD)OBJID_CLIENT,
                                               __uuidof(IAccessible), (void**)&accessible));
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = NULL;
    EXPECT_EQ(S_OK, accessible->get_accName(self, &name));
    EXPECT_EQ(L"Application:", std::wstring(name != NULL ? name : L"(no name)"));
    SysFreeString(name);
    accessible->Release();
    CoUninitialize();
}

TEST(DialogResources, TheIconGroupHoldsThreeTrueColourSizes) {
    HMODULE module = GetModuleHandleA(NULL);
    HRSRC group = FindResourceExA(module, RT_GROUP_ICON, MAKEINTRESOURCEA(IDI_APP), ENGLISH_US);
    ASSERT_TRUE(group != NULL);
    const BYTE* data = (const BYTE*)LockResource(LoadResource(module, group));
    TemplateReader in(data);
    EXPECT_EQ(0, in.word());
    EXPECT_EQ(1, in.word()) << "icon type";
    WORD count = in.word();
    ASSERT_EQ(3, count);
    std::vector<int> sizes;
    for (WORD i = 0; i < count; ++i) {
        BYTE width = in.byte();
        BYTE height = in.byte();
        in.byte(); // colour count
        in.byte();
        in.word(); // planes
        WORD bits = in.word();
        in.dword(); // bytes
        WORD id = in.word();
        EXPECT_EQ(width, height);
        EXPECT_EQ(32, bits) << "image " << (int)width;
        EXPECT_TRUE(FindResourceExA(module, RT_ICON, MAKEINTRESOURCEA(id), ENGLISH_US) != NULL);
        sizes.push_back(width);
    }
    EXPECT_EQ((std::vector<int>{16, 32, 48}), sizes);
}

TEST(DialogResources, TheProgramsManifestAsksForElevationAndCommonControls6) {
    const std::string path = builtFile("quillet.exe", false);
    HMODULE program = LoadLibraryExA(path.c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(program != NULL) << path;
    HRSRC resource =
        FindResourceExA(program, MAKEINTRESOURCEA(24), MAKEINTRESOURCEA(1), ENGLISH_US);
    ASSERT_TRUE(resource != NULL);
    std::string manifest((const char*)LockResource(LoadResource(program, resource)),
                         SizeofResource(program, resource));
    FreeLibrary(program);
    EXPECT_EQ(0u, manifest.find("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"));
    EXPECT_NE(std::string::npos, manifest.find("level=\"requireAdministrator\""));
    EXPECT_EQ(std::string::npos, manifest.find("uiAccess"));
    EXPECT_NE(std::string::npos, manifest.find("name=\"Microsoft.Windows.Common-Controls\" "
                                               "version=\"6.0.0.0\""));
    EXPECT_NE(std::string::npos, manifest.find("publicKeyToken=\"6595b64144ccf1df\""));
    EXPECT_NE(std::string::npos, manifest.find("xmlns=\"urn:schemas-microsoft-com:asm.v3\""));
    // Without them Windows runs the program with Windows Vista's behaviour.
    const char* const supportedOS[] = {
        "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", // Windows 7
        "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", // Windows 8
        "{1f676c76-80e1-4239-95bb-83d0f6d0da78}", // Windows 8.1
        "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}", // Windows 10 and 11
    };
    size_t compatibility =
        manifest.find("<compatibility xmlns=\"urn:schemas-microsoft-com:compatibility.v1\">");
    size_t end = manifest.find("</compatibility>");
    ASSERT_NE(std::string::npos, compatibility);
    ASSERT_NE(std::string::npos, end);
    for (const char* id : supportedOS) {
        size_t at = manifest.find("<supportedOS Id=\"" + std::string(id) + "\"/>");
        EXPECT_TRUE(at > compatibility && at < end) << id;
    }
    EXPECT_NE(std::string::npos,
              manifest.find("<activeCodePage "
                            "xmlns=\"http://schemas.microsoft.com/SMI/2019/WindowsSettings\">"
                            "UTF-8</activeCodePage>"));
    // Sharp text at any scale: per-monitor v2 from Windows 10 1703 on, and
    // the older per-monitor setting before it.
    EXPECT_NE(std::string::npos,
              manifest.find("<dpiAwareness "
                            "xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">"
                            "PerMonitorV2, PerMonitor</dpiAwareness>"));
    EXPECT_NE(std::string::npos,
              manifest.find("<dpiAware "
                            "xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">"
                            "true/pm</dpiAware>"));
}

TEST(DialogResources, TheProgramsVersionResourceIsQuillet095InUsEnglish) {
    const std::string path = builtFile("quillet.exe", false);
    HMODULE program = LoadLibraryExA(path.c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(program != NULL) << path;
    EXPECT_TRUE(FindResourceExA(program, RT_VERSION, MAKEINTRESOURCEA(1), ENGLISH_US) != NULL);
    FreeLibrary(program);

    DWORD handle;
    std::vector<BYTE> info(GetFileVersionInfoSizeA(path.c_str(), &handle));
    ASSERT_FALSE(info.empty());
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, (DWORD)info.size(), info.data()));
    VS_FIXEDFILEINFO* fixed = NULL;
    UINT size = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", (void**)&fixed, &size));
    EXPECT_EQ(VS_FFI_SIGNATURE, fixed->dwSignature);
    EXPECT_EQ(MAKELONG(95, 0), fixed->dwFileVersionMS) << std::hex << fixed->dwFileVersionMS;
    EXPECT_EQ(0u, fixed->dwFileVersionLS);
    EXPECT_EQ(MAKELONG(95, 0), fixed->dwProductVersionMS);
    EXPECT_EQ(0u, fixed->dwProductVersionLS);
    EXPECT_EQ((DWORD)VFT_APP, fixed->dwFileType);
    WORD* translation = NULL;
    ASSERT_TRUE(
        VerQueryValueA(info.data(), "\\VarFileInfo\\Translation", (void**)&translation, &size));
    ASSERT_EQ(4u, size);
    EXPECT_EQ(0x0409, translation[0]);
    EXPECT_EQ(1200, translation[1]);

    const char* const fields[][2] = {
        {"ProductName", "Quillet"},
        {"FileDescription", "Adds and removes Explorer context menu entries"},
        {"FileVersion", "0.95"},
        {"ProductVersion", "0.95"},
        {"OriginalFilename", "quillet.exe"},
        {"LegalCopyright", "Copyright (c) 2026 the Quillet authors"},
    };
    for (const auto& field : fields) {
        std::string query = std::string("\\StringFileInfo\\040904B0\\") + field[0];
        char* value = NULL;
        EXPECT_STREQ(field[1], VerQueryValueA(info.data(), query.c_str(), (void**)&value, &size)
                                   ? value
                                   : "(none)")
            << field[0];
    }
}
