// What a menu entry may be called: a name the registry can hold as a key
// name and the menu can show as it is. Judged on the name as the registry
// stores it, in UTF-16, by Unicode's own character properties from a table
// built into the program, so that every Windows judges a name the same way.
#ifndef QUILLET_ENTRIES_ENTRY_NAME_H
#define QUILLET_ENTRIES_ENTRY_NAME_H

#include "app/quillet.h"

#include <stddef.h>

// The longest key name the registry takes, in UTF-16 units.
enum { MAX_ENTRY_NAME = 255 };

// False for an empty name, one longer than MAX_ENTRY_NAME, one that is not
// text in the process's code page, and one that holds:
// - a backslash (it would nest keys);
// - a control character (Cc), a line or paragraph separator (Zl, Zp) or a
//   Bidi_Control character (they break or reorder what the menu shows);
// - a Default_Ignorable_Code_Point character (it shows as nothing), except a
//   zero-width joiner or non-joiner between two visible characters and a
//   variation selector right after a visible one;
// - White_Space at either end (it would look like its neighbour without it),
//   or nothing visible at all.
// Also false for the shell's own verbs (open, print, runas, ...) in any case:
// Explorer and ShellExecute give those names a meaning of their own.
bool isWritableEntryName(const char* name);

// Writes prefix and the first nameLength bytes of name into out, cut where
// needed on a character boundary to the longest name isWritableEntryName
// allows; White_Space the cut leaves at the end goes too.
void composeEntryName(const char* prefix, const char* name, size_t nameLength,
                      char (&out)[MAX_ITEM_TEXT]);

#endif
