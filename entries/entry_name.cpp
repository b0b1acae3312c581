#include "entries/entry_name.h"

#include <windows.h>

#include <string.h>

// Unicode's only line and paragraph separators: the menu would break the
// item's text at them, and the system classes neither as a control.
static bool isLineBreak(WCHAR unit) {
    return unit == 0x2028 || unit == 0x2029;
}

bool isWritableEntryName(const char* name) {
    WCHAR wide[MAX_ENTRY_NAME + 1];
    // Fails on an empty name's NUL alone, on text that does not convert, and
    // on a name too long for the buffer.
    int units =
        MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, name, -1, wide, MAX_ENTRY_NAME + 1) - 1;
    if (units <= 0) {
        return false;
    }
    WORD types[MAX_ENTRY_NAME];
    if (!GetStringTypeW(CT_CTYPE1, wide, units, types)) {
        return false;
    }
    for (int i = 0; i < units; ++i) {
        if ((types[i] & C1_CNTRL) != 0 || isLineBreak(wide[i]) || wide[i] == L'\\') {
            return false;
        }
    }
    return (types[0] & C1_SPACE) == 0 && (types[units - 1] & C1_SPACE) == 0;
}

static bool isBlank(WCHAR unit) {
    WORD type = 0;
    return GetStringTypeW(CT_CTYPE1, &unit, 1, &type) && (type & C1_SPACE) != 0;
}

void composeEntryName(const char* prefix, const char* name, size_t nameLength,
                      char (&out)[MAX_ITEM_TEXT]) {
    // Room for the whole of any path the program takes, so that the cut is
    // made here and not by a conversion that fails when out of room.
    WCHAR wide[MAX_ITEM_TEXT + MAX_APP_PATH];
    int units = MultiByteToWideChar(CP_ACP, 0, prefix, (int)strlen(prefix), wide, MAX_ITEM_TEXT);
    units += MultiByteToWideChar(CP_ACP, 0, name, (int)nameLength, wide + units,
                                 (int)(sizeof wide / sizeof wide[0]) - units);
    if (units > MAX_ENTRY_NAME) {
        units = MAX_ENTRY_NAME;
        // Never half a surrogate pair.
        if (IS_HIGH_SURROGATE(wide[units - 1])) {
            --units;
        }
        while (units > 0 && isBlank(wide[units - 1])) {
            --units;
        }
    }
    int bytes = WideCharToMultiByte(CP_ACP, 0, wide, units, out, MAX_ITEM_TEXT - 1, NULL, NULL);
    out[bytes] = '\0';
}
