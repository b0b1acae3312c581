#include "registry/registry_key.h"

#include <string.h>

const REGSAM g_wow64Flag = KEY_WOW64_64KEY;

bool is64BitWindows() {
    char value[256];
    return GetEnvironmentVariableA("ProgramFiles(x86)", value, sizeof value) != 0;
}

REGSAM keyOpenRights() {
    return is64BitWindows() ? (g_wow64Flag | KEY_READ | KEY_SET_VALUE) : KEY_ALL_ACCESS;
}

REGSAM keyCreateRights() {
    return is64BitWindows() ? (g_wow64Flag | KEY_READ) : KEY_ALL_ACCESS;
}

RegistryKey::RegistryKey(HKEY parent, const char* subKeyPath, Figures figures)
    : handle(parent), subKeyCount(0), maxSubKeyLength(0), valueCount(0), maxValueNameLength(0),
      maxValueLength(0) {
    name[0] = '\0';
    data[0] = 0;
    if (subKeyPath != NULL && RegOpenKeyExA(parent, subKeyPath, 0, keyOpenRights(), &handle) != 0) {
        handle = NULL;
        return;
    }
    if (figures == READ_FIGURES) {
        readFigures();
    }
}

void RegistryKey::readFigures() {
    if (handle != NULL) {
        RegQueryInfoKeyA(handle, NULL, NULL, NULL, &subKeyCount, &maxSubKeyLength, NULL,
                         &valueCount, &maxValueNameLength, &maxValueLength, NULL, NULL);
    }
}

RegistryKey::~RegistryKey() {
    RegCloseKey(handle);
}

bool RegistryKey::subKeyName(DWORD index) {
    DWORD length = sizeof name;
    FILETIME lastWrite;
    return RegEnumKeyExA(handle, index, name, &length, NULL, NULL, NULL, &lastWrite) == 0;
}

bool RegistryKey::createSubKey(const char* path) {
    HKEY created;
    if (RegCreateKeyExA(handle, path, 0, NULL, 0, keyCreateRights(), NULL, &created, NULL) != 0) {
        return false;
    }
    RegCloseKey(created);
    return true;
}

// The key keyName itself, even when it is a registry link; null when it
// cannot be opened. The caller closes it.
static HKEY openKeyItself(HKEY parent, const char* keyName) {
    REGSAM view = is64BitWindows() ? g_wow64Flag : 0;
    HKEY key;
    if (RegOpenKeyExA(parent, keyName, REG_OPTION_OPEN_LINK, view | KEY_QUERY_VALUE | DELETE,
                      &key) != 0) {
        return NULL;
    }
    return key;
}

static bool isLink(HKEY key) {
    DWORD type = REG_NONE;
    return RegQueryValueExA(key, "SymbolicLinkValue", NULL, &type, NULL, NULL) == 0 &&
           type == REG_LINK;
}

typedef LONG(WINAPI* NtDeleteKeyFn)(HANDLE);

// The one call that deletes a link rather than what it points to.
static bool deleteKeyByHandle(HKEY key) {
    NtDeleteKeyFn ntDeleteKey =
        (NtDeleteKeyFn)(void*)GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtDeleteKey");
    return ntDeleteKey != NULL && ntDeleteKey(key) == 0;
}

bool RegistryKey::deleteSubKeyTree(const char* keyName) {
    // Opening or deleting a link by name would reach its target, which is
    // no part of this tree: a link goes as itself, and nothing beneath it.
    RegistryKey itself(openKeyItself(handle, keyName), NULL, SKIP_FIGURES);
    if (itself.handle != NULL && isLink(itself.handle)) {
        return deleteKeyByHandle(itself.handle);
    }
    RegistryKey child(handle, keyName);
    // From the last index down, so that the indices still to come stay valid
    // while subkeys disappear.
    for (LONG n = (LONG)child.subKeyCount - 1; n >= 0; --n) {
        if (child.subKeyName((DWORD)n)) {
            child.deleteSubKeyTree(child.name);
        }
    }
    LONG outcome = RegDeleteKeyA(handle, keyName);
    // Only a name that is no key at all may be a value; a key that could not
    // be removed never costs its parent a value of the same name.
    if (outcome == ERROR_FILE_NOT_FOUND) {
        outcome = RegDeleteValueA(handle, keyName);
    }
    return outcome == 0;
}

bool RegistryKey::valueAt(DWORD index) {
    DWORD nameLength = sizeof name;
    DWORD dataLength = sizeof data;
    return RegEnumValueA(handle, index, name, &nameLength, NULL, NULL, data, &dataLength) == 0;
}

LONG RegistryKey::indexOfValue(const char* valueName) {
    for (DWORD index = 0; index < valueCount; ++index) {
        if (valueAt(index) && _stricmp(name, valueName) == 0) {
            return (LONG)index;
        }
    }
    return -1;
}

bool RegistryKey::findValue(const char* valueName) {
    if (indexOfValue(valueName) < 0) {
        data[0] = 0;
        return false;
    }
    return true;
}

bool RegistryKey::setExistingValue(const char* valueName, const char* text) {
    if (indexOfValue(valueName) < 0) {
        return false;
    }
    return RegSetValueExA(handle, valueName, 0, REG_SZ, (const BYTE*)text,
                          (DWORD)strlen(text) + 1) == 0;
}
