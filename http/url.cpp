#include "http/url.h"

#include "text/markers.h"
#include "text/text_ops.h"

namespace zicha {

Text UrlHost(std::string_view url, std::optional<bool> domainOnly, std::optional<bool> keepPort,
             std::optional<int> extraLabels) {
  Text s = TextLower(url);
  if (!extraLabels) {
    if (TextRight(s, 1) != "/") s = TextConcat(s, "/");
    if (TextLeft(s, 8) == "https://") {
      s = TextBetween(s, "https://", "/");
    } else {
      if (TextFind(s, "http://", std::nullopt, false) == -1) s = TextConcat("http://", s);
      s = TextBetween(s, "http://", "/");
    }
    if (domainOnly.value_or(false)) {
      const TextList parts = TextSplit(s, ".");
      const int n = TextListCount(parts);
      if (n > 1) s = TextConcat(TextListAt(parts, n - 1), ".", TextListAt(parts, n));
    }
  } else {
    s = TextReplace(s, "http://", "", std::nullopt, std::nullopt, true);
    s = TextReplace(s, "https://", "", std::nullopt, std::nullopt, true);
    const int slash = TextFind(s, "/", std::nullopt, false);
    if (slash != -1) s = TextLeft(s, slash - 1);
    const int length = TextLength(s);
    int m = length;
    for (int round = 0; round < *extraLabels; ++round) m = TextFindReverse(s, ".", m, false);
    const int o = TextFindReverse(s, ".", m, false);
    if (domainOnly.value_or(false)) {
      s = TextRight(s, length - o);
    } else if (o != -1) {
      const int o2 = TextFindReverse(s, ".", o, false);
      if (o2 != -1) s = TextRight(s, length - o2);
    }
  }
  if (keepPort.value_or(false)) return s;
  const int colon = TextFind(s, ":", std::nullopt, false);
  return colon == -1 ? s : TextLeft(s, colon - 1);
}

int UrlPort(std::string_view url) {
  const Text q = UrlHost(url, std::nullopt, true);
  const int a = TextFindReverse(q, ":", std::nullopt, false);
  if (a == -1) return TextLeft(TextLower(url), 5) == "https" ? 443 : 80;
  return TextToInt(TextRight(q, TextLength(q) - a));
}

Text UrlPath(std::string_view url) {
  const Text host = UrlHost(url);
  const int scheme = TextFind(url, "://", std::nullopt, false);
  const int a = TextFind(url, host, scheme == -1 ? 1 : scheme + 3, true);
  const int b = TextFind(url, "/", a, true);
  if (b <= 0) return Text("/");
  return TextRight(url, TextLength(url) - b + 1);
}

}  // namespace zicha
