// One open registry key, closed when the record goes out of scope.
#ifndef QUILLET_REGISTRY_REGISTRY_KEY_H
#define QUILLET_REGISTRY_REGISTRY_KEY_H

#include <windows.h>

// KEY_WOW64_64KEY: a 32-bit process on 64-bit Windows must ask for the 64-bit
// view, or its keys land in Wow6432Node where the 64-bit shell never looks.
extern const REGSAM g_wow64Flag;

// True when the process runs on 64-bit Windows ("ProgramFiles(x86)" exists).
// Asked afresh at every open and create.
bool is64BitWindows();

// Access masks that opens and creates ask for on this host.
REGSAM keyOpenRights();
REGSAM keyCreateRights();

class RegistryKey {
  public:
    // Whether the constructor reads the key's figures. Callers that only
    // test for a key's existence skip the query, which costs as much as the
    // open itself.
    enum Figures { READ_FIGURES, SKIP_FIGURES };

    // Opens subKeyPath under parent, or wraps parent itself when
    // subKeyPath is null. On failure handle is null and the figures are 0.
    RegistryKey(HKEY parent, const char* subKeyPath, Figures figures = READ_FIGURES);
    // Closes handle, whatever it holds (a null handle or a root key included).
    ~RegistryKey();

    // Reads the figures below as they stand now; they stay 0 when the key
    // did not open.
    void readFigures();

    // Fills name with the subkey name at index; false past the end.
    bool subKeyName(DWORD index);
    // Creates path (every missing level) under this key; an existing key
    // counts as success. The new key's handle is closed at once.
    bool createSubKey(const char* path);
    // Removes the subkey keyName with everything beneath it; a value of that
    // name when there is no such key. A registry link, as keyName or beneath
    // it, is removed as the link itself; what it points to is never touched.
    // False when anything could not be removed; what could not be removed
    // stays.
    bool deleteSubKeyTree(const char* keyName);

    // Fills name and data with the value at index.
    bool valueAt(DWORD index);
    // Finds a value by name, ignoring case, leaving its name and data in the
    // record; on a miss data holds the empty string.
    bool findValue(const char* valueName);
    // Sets an existing value to text as REG_SZ; never creates a value.
    bool setExistingValue(const char* valueName, const char* text);

    // A key name has at most 255 UTF-16 units, each at most three bytes in
    // UTF-8, the program's code page.
    char name[255 * 3 + 1]; // a subkey name or a value name
    BYTE data[260];         // value data
    HKEY handle;
    DWORD subKeyCount;
    DWORD maxSubKeyLength;
    DWORD valueCount;
    DWORD maxValueNameLength;
    DWORD maxValueLength;

  private:
    // A copy would close the same handle twice.
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    // Finds the first value named valueName; returns its index or -1.
    LONG indexOfValue(const char* valueName);
};

#endif
