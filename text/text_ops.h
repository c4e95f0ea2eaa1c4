#pragma once
// Text primitives: measure, slice, search, fold, trim, replace, split, compare, join, and single
// characters and digit strings to numbers.
//
// Rules shared by all of them:
// - Positions are 1-based byte positions; a search that finds nothing gives -1. A start, count or
//   position outside the text gives an empty result, -1 or 0, never an error.
// - Characters: a byte below 0x80 is one character; a byte of 0x80 or above starts a double-byte
//   character with the byte after it. A lead byte that is the last byte of the text ends a scan.
//   The scanning primitives (TextFind, TextFindReverse, TextUpper, TextLower, TextTrim,
//   TextRemoveSpaces, TextReplace, TextSplit) match only at character starts. The slicing and
//   measuring ones (TextLength, TextLeft, TextRight, TextMid, CharCode, TextCompare, TextConcat)
//   count plain bytes and may cut a double-byte character in two.
// - Case: only A-Z and a-z; never a locale. Spaces: only 0x20 and the full-width 0xA1 0xA1.
// - An empty result is the absent Text, except TextConcat, whose result is always present.
// - Nothing changes its arguments; every result is a new value.

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string_view>

#include "text/text.h"

namespace zicha {

// True for a byte that starts a double-byte character in code page 936.
inline bool IsLeadByte(char byte) { return static_cast<unsigned char>(byte) >= 0x80; }

// Number of bytes.
int TextLength(std::string_view text);
// Empty when count <= 0; the whole text when count >= length; else the first count bytes.
Text TextLeft(std::string_view text, int count);
// Empty when count <= 0; the whole text when count >= length; else the last count bytes.
Text TextRight(std::string_view text, int count);
// Empty when start < 1, start > length or count <= 0 (a start below 1 is not moved up to 1);
// else count bytes from byte start, or all bytes to the end when fewer remain.
Text TextMid(std::string_view text, int start, int count);
// count spaces (0x20); empty when count <= 0.
Text BlankText(int count);

// First position of `needle` at a character start inside the region from byte `start` (whole text
// when omitted or <= 1; nothing when start - 1 >= length). The scan treats the region's first byte
// as a character start even inside a double-byte character. The position counts from the first
// byte of the text. An empty needle gives 1 when the region is not empty, else -1.
// `ignoreCase` maps A-Z to a-z on every compared byte, second bytes of double-byte characters
// included; bytes 0x80 and above always compare exactly.
int TextFind(std::string_view text, std::string_view needle, std::optional<int> start, bool ignoreCase);
// Last position of `needle` at a character start (scanning forward from byte 1) such that the
// match lies wholly in the region: the whole text when start is omitted, else the first start - 1
// bytes (nothing when start <= 1). Matches may overlap: "aa" in "aaa" gives 2. An empty needle
// gives 1 when the region is not empty, else -1.
int TextFindReverse(std::string_view text, std::string_view needle, std::optional<int> start, bool ignoreCase);

// Single-byte a-z to A-Z (TextUpper) or A-Z to a-z (TextLower); double-byte characters unchanged.
Text TextUpper(std::string_view text);
Text TextLower(std::string_view text);
// Drops leading and trailing runs of spaces (0x20, 0xA1 0xA1). Tab, CR and LF are not spaces.
Text TextTrim(std::string_view text);
// Removes every space character (0x20, 0xA1 0xA1).
Text TextRemoveSpaces(std::string_view text);

// Replaces occurrences of `find` from byte `start` (omitted: 1) on, at character starts, by
// `replacement` (omitted: empty), at most `count` times (omitted or negative: every one).
// Unchanged when the text or `find` is empty, when start - 1 >= length or when count is 0.
// `exactCase` true compares bytes exactly; false folds A-Z as TextFind does (note the opposite
// sense of TextFind's switch). Inserted text is never scanned again.
Text TextReplace(std::string_view text, std::string_view find, std::optional<std::string_view> replacement,
                 std::optional<int> start, std::optional<int> count, bool exactCase);

// Splits at every occurrence of `delimiter` (exact bytes, at character starts). Empty text: no
// member. Empty delimiter: the whole text as one member. A leading delimiter gives an empty first
// member, two in a row an empty member between; a trailing delimiter gives no empty last member.
TextList TextSplit(std::string_view text, std::string_view delimiter);

// Byte-wise unsigned comparison: negative, 0 or positive. A prefix is the smaller.
int TextCompare(std::string_view a, std::string_view b);

// The parts joined in order, built in one piece. Always a present text, even when empty.
Text TextConcat(std::initializer_list<std::string_view> parts);
template <class... Parts>
Text TextConcat(const Parts&... parts) {
  static_assert(sizeof...(Parts) >= 2, "TextConcat joins two or more texts");
  return TextConcat({std::string_view(parts)...});
}

// The byte at `position` (omitted: 1) as a signed 8-bit value, -128..127; 0 outside the text.
int CharCode(std::string_view text, std::optional<int> position);
// A one-byte text of the low 8 bits of `code`; the absent text when those bits are 0.
Text CharFromCode(int code);
// Decimal value: full-width forms become ASCII first (0xA3 x -> x - 0x80, 0xA1 0xA1 -> space,
// 0xA1 0xAB -> "~", 0xA1 0xEE and 0xA1 0xEF -> "*"); then white space (0x09-0x0D, 0x20) is
// skipped, an optional sign taken and digits read up to the first non-digit. No digits give 0.
// Accumulates in 32 bits and wraps around on overflow.
int TextToInt(std::string_view text);

}  // namespace zicha
