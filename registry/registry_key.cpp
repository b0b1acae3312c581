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

bool RegistryKey::deleteSubKeyTree(const char* keyName) {
    RegistryKey child(handle, keyName);
    // From the last index down, so that the indices still to come stay valid
    // while subkeys disappear.
    for (LONG n = (LONG)child.subKeyCount - 1; n >= 0; --n) {
        if (child.subKeyName((DWORD)n)) {
            child.deleteSubKeyTree(child.name);
        }
    }
    LONG outcome = RegDeleteKeyA(handle, keyName);
    if (outcome != 0) {
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
