// The finished program as a user runs it: started with a command line, its
// dialog worked from outside with real messages, its registry changes read
// back, and its exit code checked. These tests change the real
// HKEY_LOCAL_MACHINE, so they run only under Wine, in the throw-away prefix
// of the build tree.
#include "app/quillet.h"
#include "built_programs.h"
#include "process_dialog.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <shellapi.h>
#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

namespace {

const char SHELL[] = "SOFTWARE\\Classes\\*\\shell";
// What the program proposes for echo_argument.exe.
const char VERB[] = "Open with echo_argument";

// The program writes the 64-bit view on 64-bit Windows; read it there too.
REGSAM view() {
    char value[8];
    return GetEnvironmentVariableA("ProgramFiles(x86)", value, sizeof value) ? KEY_WOW64_64KEY : 0;
}

bool keyExists(const std::string& path) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, view() | KEY_READ, &key) != 0) {
        return false;
    }
    RegCloseKey(key);
    return true;
}

std::string commandOf(const std::string& verb) {
    std::string path = std::string(SHELL) + "\\" + verb + "\\command";
    char data[1024] = "";
    DWORD size = sizeof data, type = 0;
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, view() | KEY_READ, &key) != 0) {
        return "<no key>";
    }
    LONG status = RegQueryValueExA(key, NULL, NULL, &type, (BYTE*)data, &size);
    RegCloseKey(key);
    return status == 0 && type == REG_SZ ? data : "<no value>";
}

void deleteVerb(const std::string& verb) {
    std::string path = std::string(SHELL) + "\\" + verb;
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, (path + "\\command").c_str(), view(), 0);
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), view(), 0);
}

DWORD subKeyCount(const char* path) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, view() | KEY_READ, &key) != 0) {
        return 0;
    }
    DWORD count = 0;
    RegQueryInfoKeyA(key, NULL, NULL, NULL, &count, NULL, NULL, NULL, NULL, NULL, NULL, NULL);
    RegCloseKey(key);
    return count;
}

bool writeFile(const std::string& path, const char* text) {
    FILE* out = fopen(path.c_str(), "wb");
    if (out == NULL) {
        return false;
    }
    fputs(text, out);
    return fclose(out) == 0;
}

template <typename Condition> bool waitFor(Condition condition, DWORD milliseconds = 10000) {
    for (DWORD waited = 0; waited < milliseconds; waited += 20) {
        if (condition()) {
            return true;
        }
        Sleep(20);
    }
    return condition();
}

std::string windowText(HWND window) {
    char buffer[1024] = "";
    SendMessageA(window, WM_GETTEXT, sizeof buffer, (LPARAM)buffer);
    return buffer;
}

// One run of the program, from its start to its exit code.
class ProgramRun {
  public:
    explicit ProgramRun(const std::string& arguments,
                        const std::string& program = builtFile("quillet.exe", false)) {
        std::string commandLine = "\"" + program + "\" " + arguments;
        STARTUPINFOA startup;
        memset(&startup, 0, sizeof startup);
        startup.cb = sizeof startup;
        std::vector<char> line(commandLine.begin(), commandLine.end());
        line.push_back('\0');
        started_ = CreateProcessA(NULL, line.data(), NULL, NULL, FALSE, 0, NULL, NULL, &startup,
                                  &process_) != 0;
        if (started_) {
            waitFor([this] { return (dialog = findDialog()) != NULL; });
        }
    }
    ~ProgramRun() {
        if (started_) {
            if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
                TerminateProcess(process_.hProcess, 99);
            }
            CloseHandle(process_.hThread);
            CloseHandle(process_.hProcess);
        }
    }
    HWND findDialog() const { return findProcessDialog(process_.dwProcessId); }
    HWND control(int id) const { return GetDlgItem(dialog, id); }
    HWND itemEdit() const { return FindWindowExA(control(IDC_ITEM_TEXT), NULL, "Edit", NULL); }
    void type(const std::string& keys) const {
        for (char key : keys) {
            SendMessageA(itemEdit(), WM_CHAR, (WPARAM)(unsigned char)key, 1);
        }
    }
    void clearItemText() const {
        SendMessageA(itemEdit(), EM_SETSEL, 0, -1);
        SendMessageA(itemEdit(), WM_CHAR, '\b', 1);
    }
    // Posted: a click may open a message box, which a sent message would wait on.
    void click(int id) const { PostMessageA(control(id), BM_CLICK, 0, 0); }
    void pressEscape() const {
        PostMessageA(itemEdit(), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        PostMessageA(itemEdit(), WM_KEYUP, VK_ESCAPE, 0xC0010001);
    }
    // The exit code, or 259 (still active) when the program did not end.
    DWORD exitCode() const {
        WaitForSingleObject(process_.hProcess, 10000);
        DWORD code = 0;
        GetExitCodeProcess(process_.hProcess, &code);
        return code;
    }

    bool started() const { return started_; }
    HANDLE process() const { return process_.hProcess; }
    HWND dialog = NULL;

  private:
    bool started_ = false;
    PROCESS_INFORMATION process_ = {};
};

class ProgramTest : public testing::Test {
  protected:
    void SetUp() override {
        if (!runningUnderWine()) {
            GTEST_SKIP() << "these tests change HKEY_LOCAL_MACHINE; they run only under Wine";
        }
        deleteVerb(VERB);
    }
    void TearDown() override { deleteVerb(VERB); }
};

} // namespace

TEST_F(ProgramTest, AddAndRemoveThroughTheDialogThenEscape) {
    std::string app = builtFile("echo_argument.exe", true);
    ProgramRun run("\"" + app + "\" ignored");
    ASSERT_TRUE(run.started());
    ASSERT_TRUE(run.dialog != NULL) << "no dialog appeared";
    EXPECT_EQ(app, windowText(run.control(IDC_APP_PATH)));
    EXPECT_EQ(VERB, windowText(run.control(IDC_ITEM_TEXT)));
    EXPECT_TRUE(IsWindowEnabled(run.control(IDC_ADD)));
    EXPECT_FALSE(IsWindowEnabled(run.control(IDC_REMOVE)));

    run.click(IDC_ADD);
    ASSERT_TRUE(waitFor([] { return keyExists(std::string(SHELL) + "\\" + VERB + "\\command"); }));
    EXPECT_EQ("\"" + app + "\" \"%1\"", commandOf(VERB));
    EXPECT_TRUE(waitFor([&] { return windowText(run.control(IDC_ITEM_TEXT)).empty(); }));
    EXPECT_FALSE(IsWindowEnabled(run.control(IDC_ADD)));

    run.type(VERB);
    EXPECT_TRUE(IsWindowEnabled(run.control(IDC_REMOVE)));
    run.click(IDC_REMOVE);
    EXPECT_TRUE(waitFor([] { return !keyExists(std::string(SHELL) + "\\" + VERB); }));

    run.pressEscape();
    EXPECT_EQ(0u, run.exitCode());
}

TEST_F(ProgramTest, TheCloseBoxEndsTheProgramWithExitCodeZero) {
    ProgramRun run("");
    ASSERT_TRUE(run.dialog != NULL);
    EXPECT_EQ("", windowText(run.control(IDC_APP_PATH)));
    EXPECT_EQ("", windowText(run.control(IDC_ITEM_TEXT)));
    // What the close box and Alt+F4 send.
    PostMessageA(run.dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(0u, run.exitCode());
}

// Adds the entry for app through the program's own dialog.
void addThroughTheDialog(const std::string& app) {
    ProgramRun run("\"" + app + "\"");
    ASSERT_TRUE(run.dialog != NULL);
    run.click(IDC_ADD);
    ASSERT_TRUE(waitFor([] { return commandOf(VERB) != "<no key>"; }));
    run.pressEscape();
    EXPECT_EQ(0u, run.exitCode());
}

// Runs the verb on file as Explorer's click does: the shell reads the
// command under HKEY_CLASSES_ROOT\*\shell and fills in its placeholders
// itself. Waits for the program it starts to end.
bool runVerbAsTheShellDoes(const char* verb, const std::string& file) {
    SHELLEXECUTEINFOA run;
    memset(&run, 0, sizeof run);
    run.cbSize = sizeof run;
    run.fMask = SEE_MASK_CLASSNAME | SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    run.lpClass = "*";
    run.lpVerb = verb;
    run.lpFile = file.c_str();
    run.nShow = SW_HIDE;
    if (!ShellExecuteExA(&run) || run.hProcess == NULL) {
        return false;
    }
    WaitForSingleObject(run.hProcess, 30000);
    CloseHandle(run.hProcess);
    return true;
}

std::string fileText(const std::string& path) {
    char buffer[1024] = "";
    FILE* in = fopen(path.c_str(), "rb");
    if (in == NULL) {
        return "<no file>";
    }
    buffer[fread(buffer, 1, sizeof buffer - 1, in)] = '\0';
    fclose(in);
    return buffer;
}

// The application lies in a folder whose name the shell would rewrite if
// the command held it as it stands: a % starts a placeholder there.
TEST_F(ProgramTest, TheShellRunsTheChosenApplicationOnTheClickedFileFromAnyFolder) {
    const std::string clicked = builtFile("a report (final).txt", true);
    ASSERT_TRUE(writeFile(clicked, "report"));
    for (const char* folderName : {"plain", "R&D", "100% v%1x a%%b x%Ly 50%Sale"}) {
        SCOPED_TRACE(folderName);
        std::string folder = builtFile(folderName, true);
        CreateDirectoryA(folder.c_str(), NULL);
        std::string app = folder + "\\echo_argument.exe";
        ASSERT_TRUE(CopyFileA(builtFile("echo_argument.exe", true).c_str(), app.c_str(), FALSE));
        std::string received = folder + "\\received.txt";
        DeleteFileA(received.c_str());

        addThroughTheDialog(app);
        ASSERT_TRUE(runVerbAsTheShellDoes(VERB, clicked)) << commandOf(VERB);
        EXPECT_EQ("1\n" + clicked, fileText(received)) << commandOf(VERB);

        deleteVerb(VERB);
        DeleteFileA(received.c_str());
        DeleteFileA(app.c_str());
        RemoveDirectoryA(folder.c_str());
    }
    DeleteFileA(clicked.c_str());
}

// Whether library loads when the process calls LoadLibraryA with it, from a
// thread of its own started in it.
bool loadsInProcess(HANDLE process, const std::string& library) {
    void* name =
        VirtualAllocEx(process, NULL, library.size() + 1, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (name == NULL ||
        !WriteProcessMemory(process, name, library.c_str(), library.size() + 1, NULL)) {
        return false;
    }
    // kernel32 lies at the same address in every process of the session.
    LPTHREAD_START_ROUTINE loadLibrary = (LPTHREAD_START_ROUTINE)(void*)GetProcAddress(
        GetModuleHandleA("kernel32.dll"), "LoadLibraryA");
    HANDLE thread = CreateRemoteThread(process, NULL, 0, loadLibrary, name, 0, NULL);
    DWORD module = 0;
    if (thread != NULL) {
        WaitForSingleObject(thread, 10000);
        GetExitCodeThread(thread, &module);
        CloseHandle(thread);
    }
    VirtualFreeEx(process, name, 0, MEM_RELEASE);
    return module != 0;
}

// The program runs with administrator rights from wherever it was saved,
// a Downloads folder say: once its dialog shows, a DLL lying beside it is
// never loaded by a bare name, while its full path still loads it.
TEST_F(ProgramTest, ADllBesideTheProgramIsNeverLoadedByItsBareName) {
    std::string folder = builtFile("downloads", true);
    CreateDirectoryA(folder.c_str(), NULL);
    std::string program = folder + "\\quillet.exe";
    std::string dll = folder + "\\beside_probe.dll";
    ASSERT_TRUE(CopyFileA(builtFile("quillet.exe", false).c_str(), program.c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(builtFile("beside_probe.dll", true).c_str(), dll.c_str(), FALSE));
    {
        ProgramRun run("", program);
        ASSERT_TRUE(run.dialog != NULL);
        EXPECT_FALSE(loadsInProcess(run.process(), "beside_probe.dll"));
        EXPECT_TRUE(loadsInProcess(run.process(), dll));
        run.pressEscape();
        EXPECT_EQ(0u, run.exitCode());
    }
    DeleteFileA(dll.c_str());
    DeleteFileA(program.c_str());
    RemoveDirectoryA(folder.c_str());
}

// Read in the wide form: no code page of either process stands between.
std::wstring wideWindowText(HWND window) {
    WCHAR buffer[1024] = L"";
    SendMessageW(window, WM_GETTEXT, 1024, (LPARAM)buffer);
    return buffer;
}

TEST_F(ProgramTest, ACommandLinePathInAnyScriptReachesTheDialogExactly) {
    ProgramRun run(u8"\"C:\\Tools\\\u0141\u00f3d\u017a\\\u4e2d\u6587.exe\"");
    ASSERT_TRUE(run.dialog != NULL);
    EXPECT_EQ(L"C:\\Tools\\\u0141\u00f3d\u017a\\\u4e2d\u6587.exe",
              wideWindowText(run.control(IDC_APP_PATH)));
    EXPECT_EQ(L"Open with \u4e2d\u6587", wideWindowText(run.control(IDC_ITEM_TEXT)));
    run.pressEscape();
    EXPECT_EQ(0u, run.exitCode());
}

TEST_F(ProgramTest, StartUpCreatesAMissingShellKeyAndChangesNothingOnceItExists) {
    if (subKeyCount(SHELL) != 0) {
        GTEST_SKIP() << "the shell key holds verbs of this prefix; it is left alone";
    }
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, SHELL, view(), 0);
    ASSERT_FALSE(keyExists(SHELL));
    for (int i = 0; i < 2; ++i) {
        ProgramRun run("C:\\Tools\\viewer.exe");
        ASSERT_TRUE(run.dialog != NULL);
        EXPECT_EQ("C:\\Tools\\viewer.exe", windowText(run.control(IDC_APP_PATH)));
        EXPECT_EQ("Open with viewer", windowText(run.control(IDC_ITEM_TEXT)));
        EXPECT_TRUE(keyExists(SHELL));
        EXPECT_EQ(0u, subKeyCount(SHELL));
        run.pressEscape();
        EXPECT_EQ(0u, run.exitCode());
    }
}

TEST(ProgramBinary, ImportsOnlySystemLibraries) {
    std::string path = builtFile("quillet.exe", false);
    FILE* in = fopen(path.c_str(), "rb");
    ASSERT_TRUE(in != NULL) << path;
    std::vector<BYTE> image;
    BYTE chunk[4096];
    for (size_t got; (got = fread(chunk, 1, sizeof chunk, in)) > 0;) {
        image.insert(image.end(), chunk, chunk + got);
    }
    fclose(in);

    const IMAGE_DOS_HEADER* dos = (const IMAGE_DOS_HEADER*)image.data();
    // The headers of this build's own kind: the 64-bit test build reads its
    // own 64-bit program, whose optional header is laid out differently.
    const IMAGE_NT_HEADERS* nt = (const IMAGE_NT_HEADERS*)(image.data() + dos->e_lfanew);
#ifdef _WIN64
    EXPECT_EQ(IMAGE_FILE_MACHINE_AMD64, nt->FileHeader.Machine);
    EXPECT_EQ(IMAGE_NT_OPTIONAL_HDR64_MAGIC, nt->OptionalHeader.Magic);
#else
    EXPECT_EQ(IMAGE_FILE_MACHINE_I386, nt->FileHeader.Machine);
    EXPECT_EQ(IMAGE_NT_OPTIONAL_HDR32_MAGIC, nt->OptionalHeader.Magic);
#endif
    EXPECT_EQ(IMAGE_SUBSYSTEM_WINDOWS_GUI, nt->OptionalHeader.Subsystem);
    const IMAGE_SECTION_HEADER* sections = IMAGE_FIRST_SECTION(nt);
    auto fileOffset = [&](DWORD rva) -> size_t {
        for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i) {
            const IMAGE_SECTION_HEADER& s = sections[i];
            if (rva >= s.VirtualAddress && rva < s.VirtualAddress + s.Misc.VirtualSize) {
                return rva - s.VirtualAddress + s.PointerToRawData;
            }
        }
        return 0;
    };
    DWORD importRva = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    const IMAGE_IMPORT_DESCRIPTOR* import =
        (const IMAGE_IMPORT_DESCRIPTOR*)(image.data() + fileOffset(importRva));
    std::vector<std::string> names;
    for (; import->Name != 0; ++import) {
        std::string name = (const char*)image.data() + fileOffset(import->Name);
        for (char& c : name) {
            c = (char)tolower((unsigned char)c);
        }
        names.push_back(name);
    }
    const char* const system[] = {"kernel32.dll", "user32.dll",   "advapi32.dll",
                                  "comdlg32.dll", "shell32.dll",  "msvcrt.dll",
                                  "gdi32.dll",    "comctl32.dll", "ntdll.dll"};
    EXPECT_FALSE(names.empty());
    for (const std::string& name : names) {
        bool isSystem = false;
        for (const char* known : system) {
            isSystem = isSystem || name == known;
        }
        EXPECT_TRUE(isSystem) << name << " is not a system library";
    }
}
