#pragma once
// Cookie texts: items "name=value" joined by "; ". Set-Cookie values are collected from raw
// response headers, and the cookies sent and received are merged into one jar text.

#include <string_view>

#include "text/text.h"

namespace zicha {

// Appends "\r\nCookie: " + cookies to the header text, or "\r\n" + cookies when the cookies
// already hold "Cookie:". Nothing when cookies are empty. The line is not normalised.
void AppendCookieLine(Text& headers, std::string_view cookies);

// The items of the lines whose name is exactly "Set-Cookie" (followed by ": "), in order: the
// trimmed text up to the first ";", attributes dropped. Repeated cookies are all kept. A line in
// another case ("set-cookie: ") or without the space ("Set-Cookie:x") is not collected.
Text CollectSetCookies(std::string_view rawHeaders);

// Merges the cookies sent and those returned: spaces are removed from both (and both texts are
// written back so), returned items come first, then sent items whose name was not returned (the
// first of several sent items with one name wins), items ending in "=deleted" are dropped and
// identical items reduced to their first occurrence. The merged text is left in `sent` and
// returned. Linear in the number of items.
Text MergeCookies(Text& sent, Text& returned);

// The trimmed text before the first "=" of the item, or the whole item trimmed.
Text CookieName(std::string_view item);

// True when an item of the list has exactly that name.
bool CookieListHasName(const TextList& items, std::string_view name);

}  // namespace zicha
