#pragma once
// Request header text: lines "Name: value" joined by CR LF, without a CR LF at the end. The agent
// is chosen from it, missing standard headers are added and names are capitalised.

#include <string_view>

#include "text/text.h"

namespace zicha {

inline constexpr std::string_view kDefaultUserAgent = "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";

// The agent for the request: kDefaultUserAgent when the headers have no "User-Agent:" (any case);
// else the trimmed value of a "User-Agent:" line spelt exactly so; when that is empty, the value
// after the first ":" of the whole header text. The User-Agent line itself stays in the headers.
Text PickUserAgent(std::string_view extraHeaders);

// The trimmed text after the first ":", or empty when there is none.
Text ValueAfterColon(std::string_view text);

// Adds, each with a leading CR LF, the lines the headers lack (found by a case-insensitive
// substring search of "Name:"): "Accept: */*", "Referer: " + url, "Accept-Language: zh-cn", and
// for POST (method 1) only "Content-Type: application/x-www-form-urlencoded". Empty headers
// become "Accept: */*" first.
void AddDefaultHeaders(Text& headers, std::string_view url, int method);

// Rebuilds each line as its name, ": " and its value, the name capitalised word by word at "-"
// ("x-my-header" -> "X-My-Header"; the rest of each word keeps its case). A line without ": " is
// dropped. The value is everything after the first ": ", so one that itself contains ": " is kept
// whole. Empty lines go; no CR LF at the end.
Text NormalizeHeaderNames(std::string_view headers);

// The word with its first byte upper-cased.
Text CapitalizeFirst(std::string_view word);

}  // namespace zicha
