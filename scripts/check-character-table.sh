#!/usr/bin/env bash
# The name rule's character table (entries/character_ranges.cpp) is
# generated from the Unicode Character Database and checked in. This writes
# it again from Debian's unicode-data package and fails when the checked-in
# copy differs: a hand edit, a changed generator, or another Unicode version.
# Usage: scripts/check-character-table.sh [UCD_FOLDER]   (default /usr/share/unicode)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
ucd=${1:-/usr/share/unicode}
table=$root/entries/character_ranges.cpp
fresh=$(mktemp)
trap 'rm -f "$fresh"' EXIT

python3 "$root/entries/make_character_ranges.py" "$ucd" "$fresh"
version=$(sed -n 's|^// Database \([0-9.]*\) .*|\1|p' "$fresh")
if ! diff -u "$table" "$fresh" >&2; then
    echo "Character table: entries/character_ranges.cpp is not what" \
        "entries/make_character_ranges.py writes from Unicode $version ($ucd)" >&2
    exit 1
fi
echo "Character table: passed; entries/character_ranges.cpp is what the generator writes from Unicode $version"
