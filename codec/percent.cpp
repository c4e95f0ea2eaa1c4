#include "codec/percent.h"

#include <array>
#include <cstdint>
#include <string>

#include "codec/wide.h"

namespace zicha {
namespace {

// Digit values of "0123456789ABCDEF" after upper-casing; -2 for every other byte.
constexpr std::array<int8_t, 256> kDigit = [] {
  std::array<int8_t, 256> t{};
  t.fill(-2);
  for (int c = 0; c < 10; ++c) t['0' + c] = static_cast<int8_t>(c);
  for (int c = 0; c < 6; ++c) t['A' + c] = t['a' + c] = static_cast<int8_t>(10 + c);
  return t;
}();

// The byte an escape at `i` decodes to (0 adds nothing). A missing digit (the text has ended)
// counts as 0.
// Decodes the unit at `i` (a byte, or "%" and the two bytes after it), hands the resulting byte
// to `emit` unless it is zero, and returns where the next unit starts. A missing digit (the text
// has ended) counts as 0.
template <class Emit>
size_t DecodeUnit(std::string_view text, size_t i, Emit&& emit) {
  if (text[i] != '%') {
    emit(text[i]);
    return i + 1;
  }
  const size_t n = text.size();
  const int high = i + 1 < n ? kDigit[static_cast<unsigned char>(text[i + 1])] : 0;
  const int low = i + 2 < n ? kDigit[static_cast<unsigned char>(text[i + 2])] : 0;
  if (const auto byte = static_cast<char>(static_cast<unsigned>(high * 16 + low) & 0xFFu)) emit(byte);
  return i + 3;
}

}  // namespace

std::string PercentEncode(std::string_view bytes) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(bytes.size() * 3);
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if ((b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9') || b == '-' || b == '.' ||
        b == '_' || b == '~') {
      out.push_back(c);
    } else {
      out.push_back('%');
      out.push_back(kHex[b >> 4]);
      out.push_back(kHex[b & 15]);
    }
  }
  return out;
}

namespace {

constexpr size_t kPieceBytes = 32 * 1024;

// The escapes decoded and the result converted from UTF-8 to 936 in pieces: the decoded bytes
// never exist whole, so only the result takes memory of the answer's size. Equal to
// Utf8ToGbk(PercentDecode(text)), as any cut AppendUtf8AsGbk makes gives the same result.
Text DecodeToGbk(std::string_view text) {
  std::string out, pending;
  out.reserve(text.size());  // reserved, not touched: pages are taken only as the result fills them
  pending.reserve(2 * kPieceBytes + 2);
  const size_t n = text.size();
  for (size_t i = 0; i < n;) {
    while (i < n && pending.size() < 2 * kPieceBytes) i = DecodeUnit(text, i, [&](char b) { pending.push_back(b); });
    pending.erase(0, AppendUtf8AsGbk(pending, kPieceBytes, i >= n, out));
  }
  return Text(std::move(out));
}

}  // namespace

Text PercentDecode(std::string_view text, std::optional<bool> fromUtf8) {
  if (fromUtf8.value_or(false)) return DecodeToGbk(text);
  // Size the result exactly first, so that no memory is touched beyond what it holds.
  const size_t n = text.size();
  size_t size = 0;
  for (size_t i = 0; i < n;) i = DecodeUnit(text, i, [&](char) { ++size; });
  std::string out(size, '\0');
  char* o = out.data();
  for (size_t i = 0; i < n;) i = DecodeUnit(text, i, [&](char b) { *o++ = b; });
  return Text(std::move(out));
}

}  // namespace zicha
