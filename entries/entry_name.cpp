#include "entries/entry_name.h"

#include "entries/character_kind.h"

#include <windows.h>

#include <string.h>

// The shell's own verbs: Explorer shows its own text for them, falls back to
// "open" on a double-click, and ShellExecute elevates for "runas".
static const WCHAR* const CANONICAL_VERBS[] = {
    L"open",    L"opennew", L"openas",     L"print", L"printto",
    L"explore", L"find",    L"properties", L"runas", L"runasuser",
};

// Compared as the registry compares key names: ordinally, with the system's
// own upper-case table.
static bool isCanonicalVerb(const WCHAR* name, int units) {
    for (const WCHAR* verb : CANONICAL_VERBS) {
        if (CompareStringOrdinal(name, units, verb, -1, TRUE) == CSTR_EQUAL) {
            return true;
        }
    }
    return false;
}

// The code points of units, surrogate pairs decoded; -1 when a surrogate
// stands alone. codePoints has room for units entries.
static int decodeCodePoints(const WCHAR* units, int count, unsigned* codePoints) {
    int decoded = 0;
    for (int i = 0; i < count; ++i) {
        unsigned unit = units[i];
        if (IS_HIGH_SURROGATE(unit) && i + 1 < count && IS_LOW_SURROGATE(units[i + 1])) {
            unit = 0x10000 + ((unit - 0xD800) << 10) + (units[i + 1] - 0xDC00);
            ++i;
        } else if (IS_HIGH_SURROGATE(unit) || IS_LOW_SURROGATE(unit)) {
            return -1;
        }
        codePoints[decoded++] = unit;
    }
    return decoded;
}

static bool isJoiner(unsigned codePoint) {
    return codePoint == 0x200C || codePoint == 0x200D;
}

static bool isVariationSelector(unsigned codePoint) {
    return (codePoint >= 0xFE00 && codePoint <= 0xFE0F) ||
           (codePoint >= 0xE0100 && codePoint <= 0xE01EF);
}

static bool isVisibleAt(const unsigned* codePoints, int count, int at) {
    return at >= 0 && at < count && characterKind(codePoints[at]) == CHARACTER_VISIBLE;
}

// A visible character, or a variation selector that spells the visible one
// before it (an emoji's text or picture form).
static bool isSeenAt(const unsigned* codePoints, int count, int at) {
    return isVisibleAt(codePoints, count, at) || (at >= 0 && isVariationSelector(codePoints[at]) &&
                                                  isVisibleAt(codePoints, count, at - 1));
}

// An invisible character that real names need: a joiner between two seen
// characters (a Persian word, an emoji sequence), a variation selector right
// after a visible one.
static bool isIgnorableAllowedAt(const unsigned* codePoints, int count, int at) {
    unsigned codePoint = codePoints[at];
    if (isJoiner(codePoint)) {
        return isSeenAt(codePoints, count, at - 1) && isVisibleAt(codePoints, count, at + 1);
    }
    return isVariationSelector(codePoint) && isVisibleAt(codePoints, count, at - 1);
}

static bool isWritableCharacters(const unsigned* codePoints, int count) {
    bool anyVisible = false;
    for (int i = 0; i < count; ++i) {
        switch (characterKind(codePoints[i])) {
        case CHARACTER_REFUSED:
            return false;
        case CHARACTER_IGNORABLE:
            if (!isIgnorableAllowedAt(codePoints, count, i)) {
                return false;
            }
            break;
        case CHARACTER_WHITE_SPACE:
            break;
        case CHARACTER_VISIBLE:
            // A backslash would nest keys.
            if (codePoints[i] == '\\') {
                return false;
            }
            anyVisible = true;
            break;
        }
    }
    return anyVisible && characterKind(codePoints[0]) != CHARACTER_WHITE_SPACE &&
           characterKind(codePoints[count - 1]) != CHARACTER_WHITE_SPACE;
}

bool isWritableEntryName(const char* name) {
    WCHAR wide[MAX_ENTRY_NAME + 1];
    // Fails on an empty name's NUL alone, on text that does not convert, and
    // on a name too long for the buffer.
    int units =
        MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, name, -1, wide, MAX_ENTRY_NAME + 1) - 1;
    if (units <= 0 || isCanonicalVerb(wide, units)) {
        return false;
    }
    unsigned codePoints[MAX_ENTRY_NAME];
    int count = decodeCodePoints(wide, units, codePoints);
    return count > 0 && isWritableCharacters(codePoints, count);
}

static bool isWhiteSpaceUnit(WCHAR unit) {
    return characterKind(unit) == CHARACTER_WHITE_SPACE;
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
        // Every White_Space character is one unit.
        while (units > 0 && isWhiteSpaceUnit(wide[units - 1])) {
            --units;
        }
    }
    int bytes = WideCharToMultiByte(CP_ACP, 0, wide, units, out, MAX_ITEM_TEXT - 1, NULL, NULL);
    out[bytes] = '\0';
}
