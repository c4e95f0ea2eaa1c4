#pragma once
// Percent-decoding of the lookup answer.

#include <optional>
#include <string>
#include <string_view>

#include "text/text.h"

namespace zicha {

// Replaces every "%" and the two bytes after it by one byte, high * 16 + low, where a digit's value
// is its place in "0123456789ABCDEF" (either case), any other byte counts as -2 and a missing byte
// (the text has ended) as 0; the low 8 bits of the sum are the byte, and a zero byte adds nothing.
// So the two bytes after a "%" are always consumed: "%G1" gives 0xE1, "%4" at the end gives 0x40,
// "%00" and a final "%" give nothing. "+" is an ordinary byte. Every other byte is copied.
// With `fromUtf8` true (omitted: false) the decoded bytes are then read as UTF-8 and converted to
// code page 936 (Utf8ToGbk), piece by piece, so that the decoded UTF-8 never exists whole.
// Linear in the length of the text.
Text PercentDecode(std::string_view text, std::optional<bool> fromUtf8 = std::nullopt);

// Every byte outside A-Z, a-z, 0-9 and "-._~" as "%" and two upper-case hex digits. Any bytes.
std::string PercentEncode(std::string_view bytes);

}  // namespace zicha
