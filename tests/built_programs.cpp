#include "built_programs.h"

#include <windows.h>

#include <string.h>

#include <vector>

std::string builtFile(const char* name, bool inTestsFolder) {
    char path[MAX_PATH];
    GetModuleFileNameA(NULL, path, sizeof path);
    *strrchr(path, '\\') = '\0';
    if (!inTestsFolder) {
        *strrchr(path, '\\') = '\0';
    }
    return std::string(path) + "\\" + name;
}

bool runningUnderWine() {
    return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != NULL;
}

bool runToEnd(const std::string& commandLine) {
    STARTUPINFOA startup;
    memset(&startup, 0, sizeof startup);
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    // CreateProcessA may write into the command line it is given.
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    if (!CreateProcessA(NULL, line.data(), NULL, NULL, FALSE, CREATE_NO_WINDOW, NULL, NULL,
                        &startup, &process)) {
        return false;
    }
    WaitForSingleObject(process.hProcess, 30000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}
