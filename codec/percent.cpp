#include "codec/percent.h"

#include <string>

#include "codec/wide.h"

namespace zicha {
namespace {

// The value of the digit at `i`: its place in "0123456789ABCDEF" after upper-casing, -2 when it
// is not there, 0 when the text has ended.
int DigitAt(std::string_view text, size_t i) {
  if (i >= text.size()) return 0;
  const char c = text[i];
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -2;
}

}  // namespace

Text PercentDecode(std::string_view text, std::optional<bool> fromUtf8) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out.push_back(text[i]);
      continue;
    }
    const int code = DigitAt(text, i + 1) * 16 + DigitAt(text, i + 2);
    i += 2;
    const char byte = static_cast<char>(static_cast<unsigned>(code) & 0xFFu);
    if (byte != 0) out.push_back(byte);
  }
  Text decoded(std::move(out));
  return fromUtf8.value_or(false) ? Utf8ToGbk(decoded) : decoded;
}

}  // namespace zicha
