#pragma once
// Conversions between multibyte Text and wide text (UTF-16 code units, little-endian, in a Bytes
// value that ends with a zero unit), over the code-page seam.

#include <optional>
#include <string_view>

#include "text/bytes.h"
#include "text/text.h"

namespace zicha {

// `text` read in `codePage` (omitted: UTF-8) as wide text. Invalid input is replaced (U+FFFD for
// UTF-8). The buffer is measured in the code page it converts with, so the result always fits and
// always ends with a zero unit; an empty text gives one zero unit.
Bytes ToWide(std::string_view text, std::optional<unsigned> codePage = std::nullopt);

// Wide text, read up to its first zero unit, in `codePage` (omitted: the system code page, 936).
// Characters the code page cannot hold become "?". Stops at the first zero byte of the output.
Text FromWide(const Bytes& wide, std::optional<unsigned> codePage = std::nullopt);

// The same characters in code page 936, from `text` read as UTF-8.
Text Utf8ToGbk(std::string_view text);

}  // namespace zicha
