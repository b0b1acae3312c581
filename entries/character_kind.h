// What a character is to the name rule, from a table generated from the
// Unicode Character Database (entries/character_ranges.cpp), so that every
// Windows judges a name alike: the running system's own character classes
// differ between its versions.
#ifndef QUILLET_ENTRIES_CHARACTER_KIND_H
#define QUILLET_ENTRIES_CHARACTER_KIND_H

enum CharacterKind {
    CHARACTER_VISIBLE,     // none of the kinds below
    CHARACTER_REFUSED,     // Cc, Zl, Zp, Bidi_Control: breaks or reorders the menu's text
    CHARACTER_IGNORABLE,   // Default_Ignorable_Code_Point: shows as nothing
    CHARACTER_WHITE_SPACE, // White_Space
};

struct CharacterRange {
    unsigned first;
    unsigned last;
    CharacterKind kind;
};

extern const CharacterRange CHARACTER_RANGES[];
extern const unsigned CHARACTER_RANGE_COUNT;

// The kind of a code point, by bisection of the table: the same cost for
// every character.
CharacterKind characterKind(unsigned codePoint);

#endif
