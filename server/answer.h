#pragma once
// The service's answers: Simplified Chinese text, sent as percent-encoded UTF-8 that begins with
// the encoded byte-order mark (which the program turns into the one "?" it removes).

#include <string>
#include <vector>

#include "server/store.h"

namespace zicha::server {

// A one-line summary, then every leak (newest first) with its date and the kinds of data; or a
// plain sentence that none was found. Lines end with CR LF.
std::string LeaksAnswer(const std::vector<Leak>& leaks);
inline constexpr const char* kNoAddressAnswer = "请先输入要查询的邮箱地址。";
inline constexpr const char* kMalformedAnswer = "查询请求的格式不正确，无法识别其中的邮箱地址。请使用最新版本的查询工具。";
inline constexpr const char* kImplausibleAnswer = "这看起来不是一个有效的邮箱地址，请检查后重新输入。";
inline constexpr const char* kTooManyAnswer = "查询过于频繁，请稍后再试。";

// "%EF%BB%BF" followed by the percent-encoded UTF-8 text.
std::string EncodeAnswer(const std::string& utf8);

}  // namespace zicha::server
