// What a menu entry may be called: a name the registry can hold as a key
// name and the menu can show as it is. Judged on the name as the registry
// stores it, in UTF-16, with the system's own character classes, so that
// every Windows judges a name the same way.
#ifndef QUILLET_ENTRIES_ENTRY_NAME_H
#define QUILLET_ENTRIES_ENTRY_NAME_H

#include "app/quillet.h"

#include <stddef.h>

// The longest key name the registry takes, in UTF-16 units.
enum { MAX_ENTRY_NAME = 255 };

// False for an empty name, one longer than MAX_ENTRY_NAME, one that is not
// text in the process's code page, one with a backslash (it would nest
// keys), a control or format character, a line or paragraph separator, and
// one that begins or ends with a blank (it would look like its neighbour
// without it, and one of blanks only would be an invisible item).
bool isWritableEntryName(const char* name);

// Writes prefix and the first nameLength bytes of name into out, cut where
// needed on a character boundary to the longest name isWritableEntryName
// allows; blanks the cut leaves at the end go too.
void composeEntryName(const char* prefix, const char* name, size_t nameLength,
                      char (&out)[MAX_ITEM_TEXT]);

#endif
