#pragma once
// List helpers: duplicates dropped from a split text, a text split into characters, and lookup
// of a text in a TextList. Equality is TextCompare equality (exact bytes, case-sensitive).

#include <string_view>

#include "text/text.h"

namespace zicha {

// Splits `text` at `separator` (split true) or into characters by SplitCharacters (split false),
// keeps the first occurrence of each member in order (an empty member counts like any other) and
// joins them, each followed by `separator`, with the final separator cut off by length. Nothing
// kept gives the empty text. Runs in linear time in the number of members.
Text UniqueJoin(std::string_view text, std::string_view separator, bool split);

// Replaces the members of `list` by the character units of `text` and returns their number.
// Units: a byte 0x81 or above with the next byte; CR LF together; every other byte alone; the
// last byte alone whatever it is. Unlike the text primitives, 0x80 is a unit by itself.
int SplitCharacters(std::string_view text, TextList& list);

// The 1-based index of the first member equal to `text`, or -1.
int ListIndexOf(const TextList& list, std::string_view text);

}  // namespace zicha
