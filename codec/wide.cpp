#include "codec/wide.h"

#include <algorithm>

#include "codec/codepage.h"

namespace zicha {

WideText ToWide(const Text& text, std::optional<unsigned> codePage) {
  const unsigned cp = codePage.value_or(kCpUtf8);
  const char* source = text.str().c_str();  // zero-terminated even when absent
  const int units = MultiByteToWideChar(cp, 0, source, -1, nullptr, 0);
  if (units <= 0) return WideText(1, u'\0');
  WideText wide(static_cast<size_t>(units), u'\0');
  MultiByteToWideChar(cp, 0, source, -1, wide.data(), units);
  // Wine's kernel32 leaves out the terminator after a UTF-8 sequence cut short by it.
  if (wide.back() != u'\0') wide.push_back(u'\0');
  return wide;
}

Text FromWide(std::u16string_view wide, std::optional<unsigned> codePage) {
  const unsigned cp = codePage.value_or(kCpAcp);
  // The platform reads up to a zero unit; copy only when the view has none of its own.
  std::u16string copy;
  const char16_t* source = wide.data();
  if (wide.find(u'\0') == std::u16string_view::npos) {
    copy.assign(wide);
    source = copy.c_str();
  }
  const int size = WideCharToMultiByte(cp, 0, source, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return Text();
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(cp, 0, source, -1, out.data(), size, nullptr, nullptr);
  return Text(std::move(out));  // Text stops at the terminator
}

namespace {

// Whether a piece [begin, at) may end before byte `at`: the byte there is no continuation byte,
// so it ends every sequence before it, and the piece does not end in a lead byte that needs more
// bytes than the piece has left (kernel32 turns everything after such a lead into one U+FFFD).
bool SafeCut(std::string_view text, size_t begin, size_t at) {
  auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  if ((byte(at) & 0xC0) == 0x80) return false;
  if (byte(at - 1) >= 0xE0 && byte(at - 1) <= 0xF4) return false;
  if (at - begin >= 2 && byte(at - 2) >= 0xF0 && byte(at - 2) <= 0xF4) return false;
  return true;
}

}  // namespace

size_t AppendUtf8AsGbk(std::string_view utf8, size_t pieceBytes, bool final, std::string& out) {
  if (pieceBytes == 0) pieceBytes = 1;
  size_t begin = 0;
  while (begin < utf8.size()) {
    size_t end = std::min(begin + pieceBytes, utf8.size());
    while (end < utf8.size() && !SafeCut(utf8, begin, end)) ++end;
    if (end == utf8.size() && !final) break;  // more bytes may belong to this piece
    out += FromWide(ToWide(Text(utf8.substr(begin, end - begin))), kCp936).view();
    begin = end;
  }
  return begin;
}

Text Utf8ToGbk(std::string_view text, size_t pieceBytes) {
  std::string out;
  out.reserve(text.size());  // every character takes at most as many bytes in 936 as in UTF-8
  AppendUtf8AsGbk(text, pieceBytes, true, out);
  return Text(std::move(out));
}

}  // namespace zicha
