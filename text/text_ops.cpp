#include "text/text_ops.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace zicha {
namespace {

using Size = std::string_view::size_type;

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool BytesEqualAt(std::string_view text, Size at, std::string_view needle, bool ignoreCase) {
  if (!ignoreCase) return std::memcmp(text.data() + at, needle.data(), needle.size()) == 0;
  for (Size k = 0; k < needle.size(); ++k)
    if (FoldAscii(text[at + k]) != FoldAscii(needle[k])) return false;
  return true;
}

// Width of the character starting at `at`: 2 for a lead byte with a byte after it, else 1. A lead
// byte at the end of the text has width 1, so stepping over it ends a scan.
Size CharWidth(std::string_view text, Size at) { return (IsLeadByte(text[at]) && at + 1 < text.size()) ? 2 : 1; }

// Width of the space character at `at` (0x20 or 0xA1 0xA1), 0 when it is not one.
Size SpaceWidth(std::string_view text, Size at) {
  if (text[at] == ' ') return 1;
  if (static_cast<unsigned char>(text[at]) == 0xA1 && at + 1 < text.size() &&
      static_cast<unsigned char>(text[at + 1]) == 0xA1)
    return 2;
  return 0;
}

Text MapCase(std::string_view text, char from, char to) {
  std::string out(text);
  for (Size i = 0; i < out.size(); i += CharWidth(out, i))
    if (out[i] >= from && out[i] <= static_cast<char>(from + 25)) out[i] = static_cast<char>(out[i] - from + to);
  return Text(std::move(out));
}

}  // namespace

int TextLength(std::string_view text) { return static_cast<int>(text.size()); }

Text TextLeft(std::string_view text, int count) {
  if (count <= 0) return Text();
  return Text(text.substr(0, static_cast<Size>(count)));
}

Text TextRight(std::string_view text, int count) {
  if (count <= 0) return Text();
  if (static_cast<Size>(count) >= text.size()) return Text(text);
  return Text(text.substr(text.size() - static_cast<Size>(count)));
}

Text TextMid(std::string_view text, int start, int count) {
  if (start < 1 || static_cast<Size>(start) > text.size() || count <= 0) return Text();
  return Text(text.substr(static_cast<Size>(start - 1), static_cast<Size>(count)));
}

Text BlankText(int count) { return count <= 0 ? Text() : Text(std::string(static_cast<Size>(count), ' ')); }

int TextFind(std::string_view text, std::string_view needle, std::optional<int> start, bool ignoreCase) {
  const Size n = text.size();
  const Size from = (start && *start > 1) ? static_cast<Size>(*start - 1) : 0;
  if (from >= n) return -1;
  if (needle.empty()) return 1;
  for (Size p = from; p + needle.size() <= n; p += CharWidth(text, p)) {
    if (BytesEqualAt(text, p, needle, ignoreCase)) return static_cast<int>(p + 1);
  }
  return -1;
}

int TextFindReverse(std::string_view text, std::string_view needle, std::optional<int> start, bool ignoreCase) {
  Size end = text.size();
  if (start) end = *start <= 1 ? 0 : std::min(end, static_cast<Size>(*start - 1));
  if (needle.empty()) return end >= 1 ? 1 : -1;
  int last = -1;
  for (Size p = 0; p + needle.size() <= end; p += CharWidth(text, p)) {
    if (BytesEqualAt(text, p, needle, ignoreCase)) last = static_cast<int>(p + 1);
  }
  return last;
}

Text TextUpper(std::string_view text) { return MapCase(text, 'a', 'A'); }
Text TextLower(std::string_view text) { return MapCase(text, 'A', 'a'); }

Text TextTrim(std::string_view text) {
  const Size n = text.size();
  Size begin = 0;
  while (begin < n) {
    Size w = SpaceWidth(text, begin);
    if (w == 0) break;
    begin += w;
  }
  // Scan the rest by characters, remembering where the current run of spaces began.
  Size runStart = n;
  for (Size i = begin; i < n;) {
    Size w = SpaceWidth(text, i);
    if (w != 0) {
      if (runStart == n) runStart = i;
      i += w;
    } else {
      runStart = n;
      i += CharWidth(text, i);
    }
  }
  return Text(text.substr(begin, runStart - begin));
}

Text TextRemoveSpaces(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (Size i = 0; i < text.size();) {
    Size w = SpaceWidth(text, i);
    if (w != 0) {
      i += w;
      continue;
    }
    w = CharWidth(text, i);
    out.append(text.substr(i, w));
    i += w;
  }
  return Text(std::move(out));
}

Text TextReplace(std::string_view text, std::string_view find, std::optional<std::string_view> replacement,
                 std::optional<int> start, std::optional<int> count, bool exactCase) {
  const Size n = text.size();
  const int from1 = start.value_or(1);
  int left = count.value_or(-1);
  if (text.empty() || find.empty() || left == 0 || (from1 > 1 && static_cast<Size>(from1 - 1) >= n)) return Text(text);
  const std::string_view with = replacement.value_or(std::string_view());
  const Size from = from1 > 1 ? static_cast<Size>(from1 - 1) : 0;

  std::string out;
  out.reserve(n);
  out.append(text.substr(0, from));
  Size i = from;
  while (i < n) {
    if (n - i < find.size()) break;  // the rest is copied below
    if (BytesEqualAt(text, i, find, !exactCase)) {
      out.append(with);
      i += find.size();
      if (left > 0 && --left == 0) break;
    } else {
      Size w = CharWidth(text, i);
      out.append(text.substr(i, w));
      i += w;
    }
  }
  out.append(text.substr(i));
  return Text(std::move(out));
}

TextList TextSplit(std::string_view text, std::string_view delimiter) {
  TextList members;
  if (text.empty()) return members;
  if (delimiter.empty()) {
    members.emplace_back(text);
    return members;
  }
  Size memberStart = 0;
  for (Size i = 0; i < text.size();) {
    if (i + delimiter.size() <= text.size() && text.compare(i, delimiter.size(), delimiter) == 0) {
      members.emplace_back(text.substr(memberStart, i - memberStart));
      i += delimiter.size();
      memberStart = i;
    } else {
      i += CharWidth(text, i);
    }
  }
  if (memberStart < text.size()) members.emplace_back(text.substr(memberStart));
  return members;
}

int TextCompare(std::string_view a, std::string_view b) {
  // std::string_view::compare uses char_traits<char>, which compares as unsigned char.
  int c = a.compare(b);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

Text TextConcat(std::initializer_list<std::string_view> parts) {
  Size total = 0;
  for (std::string_view p : parts) total += p.size();
  std::string out;
  out.reserve(total);
  for (std::string_view p : parts) out.append(p);
  Text result(std::move(out));
  return result.empty() ? Text::PresentEmpty() : result;
}

int CharCode(std::string_view text, std::optional<int> position) {
  const int p = position.value_or(1);
  if (p < 1 || static_cast<Size>(p) > text.size()) return 0;
  return static_cast<signed char>(text[static_cast<Size>(p - 1)]);
}

Text CharFromCode(int code) {
  const char byte = static_cast<char>(static_cast<unsigned>(code) & 0xFFu);
  return byte == 0 ? Text() : Text(std::string(1, byte));
}

int TextToInt(std::string_view text) {
  // Full-width forms to ASCII, character by character.
  std::string ascii;
  ascii.reserve(text.size());
  for (Size i = 0; i < text.size();) {
    Size w = CharWidth(text, i);
    if (w == 2) {
      auto lead = static_cast<unsigned char>(text[i]), trail = static_cast<unsigned char>(text[i + 1]);
      if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
        ascii.push_back(static_cast<char>(trail - 0x80));
      } else if (lead == 0xA1 && trail == 0xA1) {
        ascii.push_back(' ');
      } else if (lead == 0xA1 && trail == 0xAB) {
        ascii.push_back('~');
      } else if (lead == 0xA1 && (trail == 0xEE || trail == 0xEF)) {
        ascii.push_back('*');
      } else {
        ascii.append(text.substr(i, 2));
      }
    } else {
      ascii.push_back(text[i]);
    }
    i += w;
  }

  Size i = 0;
  while (i < ascii.size() && (ascii[i] == ' ' || (ascii[i] >= 0x09 && ascii[i] <= 0x0D))) ++i;
  bool negative = false;
  if (i < ascii.size() && (ascii[i] == '+' || ascii[i] == '-')) negative = ascii[i++] == '-';
  uint32_t value = 0;  // unsigned, so overflow wraps instead of being undefined
  for (; i < ascii.size() && ascii[i] >= '0' && ascii[i] <= '9'; ++i) value = value * 10u + static_cast<uint32_t>(ascii[i] - '0');
  if (negative) value = 0u - value;
  return static_cast<int32_t>(value);
}

}  // namespace zicha
