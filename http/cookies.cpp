#include "http/cookies.h"

#include <string>
#include <unordered_set>

#include "text/lists.h"
#include "text/markers.h"
#include "text/text_ops.h"

namespace zicha {

void AppendCookieLine(Text& headers, std::string_view cookies) {
  if (cookies.empty()) return;
  if (TextFind(cookies, "Cookie:", std::nullopt, false) == -1) {
    headers = TextConcat(headers, "\r\nCookie: ", cookies);
  } else {
    headers = TextConcat(headers, "\r\n", cookies);
  }
}

Text CollectSetCookies(std::string_view rawHeaders) {
  std::string result;
  for (const Text& line : TextSplit(rawHeaders, "\r\n")) {
    if (TextBefore(line, ": ") != "Set-Cookie") continue;
    if (TextFind(line, ";", std::nullopt, false) != -1) {
      result += TextTrim(TextBetween(line, "Set-Cookie:", ";")).view();
    } else {
      result += TextTrim(TextReplace(line, "Set-Cookie:", std::nullopt, std::nullopt, std::nullopt, false)).view();
    }
    result += "; ";
  }
  return TextLeft(result, TextLength(result) - 2);
}

Text MergeCookies(Text& sent, Text& returned) {
  sent = TextRemoveSpaces(sent);
  returned = TextRemoveSpaces(returned);
  TextList merged = TextSplit(returned, ";");
  // The names present in `merged`, kept up to date as it grows: the same answers as scanning it
  // for every sent item, without the quadratic cost.
  std::unordered_set<std::string> names;
  for (const Text& item : merged) names.insert(CookieName(item).str());
  for (const Text& item : TextSplit(sent, ";")) {
    if (names.insert(CookieName(item).str()).second) TextListAppend(merged, item);
  }
  std::string kept;
  for (const Text& item : merged) {
    if (TextRight(item, 8) == "=deleted") continue;
    kept += item.view();
    kept += "; ";
  }
  sent = UniqueJoin(TextLeft(kept, TextLength(kept) - 2), "; ", true);
  return sent;
}

Text CookieName(std::string_view item) {
  const int p = TextFind(item, "=", std::nullopt, false);
  return TextTrim(p != -1 ? TextLeft(item, p - 1) : Text(item));
}

bool CookieListHasName(const TextList& items, std::string_view name) {
  for (const Text& item : items)
    if (CookieName(item) == name) return true;
  return false;
}

}  // namespace zicha
