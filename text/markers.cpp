#include "text/markers.h"

#include <algorithm>

#include "text/text_ops.h"

namespace zicha {
namespace {
constexpr std::string_view kQuotePlaceholder = "#\xD2\xFD\xBA\xC5";  // "#引号" in code page 936
}

Text TextBetween(std::string_view text, std::string_view left, std::string_view right, std::optional<int> start,
                 std::optional<bool> ignoreCase) {
  const bool fold = ignoreCase.value_or(false);
  const Text l = TextReplace(left, kQuotePlaceholder, "\"", std::nullopt, std::nullopt, true);
  const Text r = TextReplace(right, kQuotePlaceholder, "\"", std::nullopt, std::nullopt, true);
  int c = TextFind(text, l, start, fold);
  if (c == -1) return Text();
  c += TextLength(l);
  const int d = TextFind(text, r, c, fold);
  if (d == -1) return Text();
  return TextMid(text, c, d - c);
}

Text TextBefore(std::string_view text, std::string_view marker, std::optional<int> start, std::optional<bool> ignoreCase) {
  const int from = std::max(start.value_or(1), 1);
  const int c = TextFind(text, marker, from, ignoreCase.value_or(false));
  if (c == -1) return Text();
  return TextLeft(text, c - 1);
}

}  // namespace zicha
