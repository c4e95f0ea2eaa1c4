#include "codec/wide.h"

#include <cstring>
#include <string>

#include "codec/codepage.h"

namespace zicha {

Bytes ToWide(std::string_view text, std::optional<unsigned> codePage) {
  const unsigned cp = codePage.value_or(kCpUtf8);
  const std::string source(text);  // zero-terminated for the platform call
  const int units = MultiByteToWideChar(cp, 0, source.c_str(), -1, nullptr, 0);
  if (units <= 0) return Bytes(std::string(2, '\0'));
  std::u16string wide(static_cast<size_t>(units), u'\0');
  MultiByteToWideChar(cp, 0, source.c_str(), -1, wide.data(), units);
  // Wine's kernel32 leaves out the terminator after a UTF-8 sequence cut short by it.
  if (wide.back() != u'\0') wide.push_back(u'\0');
  std::string bytes(wide.size() * 2, '\0');
  for (size_t i = 0; i < wide.size(); ++i) {
    bytes[2 * i] = static_cast<char>(wide[i] & 0xFF);
    bytes[2 * i + 1] = static_cast<char>(wide[i] >> 8);
  }
  return Bytes(std::move(bytes));
}

Text FromWide(const Bytes& wide, std::optional<unsigned> codePage) {
  const unsigned cp = codePage.value_or(kCpAcp);
  std::u16string units;
  units.reserve(wide.size() / 2 + 1);
  for (size_t i = 0; i + 1 < wide.size(); i += 2) {
    const auto u = static_cast<char16_t>(wide[i] | wide[i + 1] << 8);
    if (u == 0) break;
    units.push_back(u);
  }
  const int size = WideCharToMultiByte(cp, 0, units.c_str(), -1, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return Text();
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(cp, 0, units.c_str(), -1, out.data(), size, nullptr, nullptr);
  return Text(std::move(out));  // Text stops at the terminator
}

Text Utf8ToGbk(std::string_view text) { return FromWide(ToWide(text), kCp936); }

}  // namespace zicha
