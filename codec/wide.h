#pragma once
// Conversions between multibyte Text and wide text over the code-page seam. Wide text is a
// sequence of UTF-16 code units that ends with a zero unit; it is handed to the platform calls
// as it is, without copying.

#include <optional>
#include <string>
#include <string_view>

#include "text/text.h"

namespace zicha {

using WideText = std::u16string;

// `text` read in `codePage` (omitted: UTF-8) as wide text, terminating zero unit included.
// Invalid input is replaced (U+FFFD for UTF-8). The buffer is measured in the code page it
// converts with, so the result always fits; an empty text gives the zero unit alone.
WideText ToWide(const Text& text, std::optional<unsigned> codePage = std::nullopt);

// Wide text, read up to its first zero unit, in `codePage` (omitted: the system code page).
// Characters the code page cannot hold become "?". Empty input gives the empty text.
Text FromWide(std::u16string_view wide, std::optional<unsigned> codePage = std::nullopt);

// The same characters in code page 936, from `text` read as UTF-8: FromWide(ToWide(text), 936).
// Converts in pieces of about `pieceBytes` (omitted: 32 KiB), cut only where the cut cannot change
// how a sequence is read: before a byte that is no UTF-8 continuation byte (it ends every
// sequence, broken ones included) and not just after a lead byte that would find the piece too
// short. The result equals that of one conversion of the whole text; the wide buffer stays small.
Text Utf8ToGbk(std::string_view text, size_t pieceBytes = 32 * 1024);

// The piece loop of Utf8ToGbk, for UTF-8 that arrives in parts: converts pieces of about
// `pieceBytes` from the front of `utf8`, appending their code page 936 form to `out`, and returns
// how many bytes it consumed. Unless `final`, the bytes after the last safe cut are left for the
// next call (with more bytes after them); any such partition gives the same result.
size_t AppendUtf8AsGbk(std::string_view utf8, size_t pieceBytes, bool final, std::string& out);

}  // namespace zicha
