#include "entries/character_kind.h"

CharacterKind characterKind(unsigned codePoint) {
    unsigned low = 0;
    unsigned high = CHARACTER_RANGE_COUNT;
    while (low < high) {
        unsigned middle = low + (high - low) / 2;
        if (codePoint < CHARACTER_RANGES[middle].first) {
            high = middle;
        } else if (codePoint > CHARACTER_RANGES[middle].last) {
            low = middle + 1;
        } else {
            return CHARACTER_RANGES[middle].kind;
        }
    }
    return CHARACTER_VISIBLE;
}
