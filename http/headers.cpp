#include "http/headers.h"

#include <string>

#include "text/markers.h"
#include "text/text_ops.h"

namespace zicha {

Text PickUserAgent(std::string_view extraHeaders) {
  if (TextFind(extraHeaders, "User-Agent:", std::nullopt, true) == -1) return Text(kDefaultUserAgent);
  Text agent = TextTrim(TextBetween(TextConcat(extraHeaders, "\r\n"), "User-Agent:", "\r\n"));
  if (agent.empty()) agent = ValueAfterColon(extraHeaders);
  return agent;
}

Text ValueAfterColon(std::string_view text) {
  const int p = TextFind(text, ":", std::nullopt, false);
  if (p == -1) return Text();
  return TextTrim(TextRight(text, TextLength(text) - p));
}

void AddDefaultHeaders(Text& headers, std::string_view url, int method) {
  auto lacks = [&](std::string_view name) { return TextFind(headers, name, std::nullopt, true) == -1; };
  if (headers.empty()) headers = Text("Accept: */*");
  if (lacks("Accept:")) headers = TextConcat(headers, "\r\nAccept: */*");
  if (lacks("Referer:")) headers = TextConcat(headers, "\r\nReferer: ", url);
  if (lacks("Accept-Language:")) headers = TextConcat(headers, "\r\nAccept-Language: zh-cn");
  if (method == 1 && lacks("Content-Type:"))
    headers = TextConcat(headers, "\r\nContent-Type: application/x-www-form-urlencoded");
}

Text NormalizeHeaderNames(std::string_view headers) {
  std::string out;
  out.reserve(headers.size() + 2);
  for (const Text& line : TextSplit(headers, "\r\n")) {
    const int colon = TextFind(line, ": ", std::nullopt, false);
    if (colon == -1) continue;
    const Text name = TextLeft(line, colon - 1);
    if (TextFind(name, "-", std::nullopt, false) != -1) {
      const TextList words = TextSplit(name, "-");
      for (size_t i = 0; i < words.size(); ++i) {
        if (i > 0) out += '-';
        out += CapitalizeFirst(words[i]).view();
      }
    } else {
      out += CapitalizeFirst(name).view();
    }
    out += ": ";
    out += line.view().substr(static_cast<size_t>(colon + 1));
    out += "\r\n";
  }
  return TextLeft(out, TextLength(out) - 2);
}

Text CapitalizeFirst(std::string_view word) {
  return TextConcat(TextUpper(TextLeft(word, 1)), TextMid(word, 2, TextLength(word)));
}

}  // namespace zicha
