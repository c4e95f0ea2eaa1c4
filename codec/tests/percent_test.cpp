#include "codec/percent.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "codec/codepage.h"
#include "codec/wide.h"
#include "text/text_ops.h"

namespace zicha {
namespace {

TEST(PercentDecode, Escapes) {
  struct Case {
    const char* in;
    std::string expected;
  };
  const Case cases[] = {
      {"%41%42", "AB"},
      {"%4a", "J"},
      {"%4A", "J"},
      {"a+b", "a+b"},
      {"plain text", "plain text"},
      {"%e4%b8%ad", "\xE4\xB8\xAD"},
      {"%00", ""},
      {"a%00b", "ab"},
      {"a%", "a"},        // a final "%" adds nothing
      {"%4", "\x40"},     // a missing digit counts as 0
      {"%G1", "\xE1"},    // -2 * 16 + 1
      {"%1G", "\x0E"},    // 1 * 16 - 2
      {"%GG", "\xDE"},    // -34
      {"%%41", "\xE4" "1"},  // digits "%" and "4": -2 * 16 + 4, then "1"
      {"%\xD6\xD0", "\xDE"},  // the bytes after "%" are consumed even inside a character
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(PercentDecode(c.in).str(), c.expected) << c.in;
  EXPECT_TRUE(PercentDecode("").IsAbsent());
}

TEST(PercentDecode, FromUtf8ConvertsToCodePage936) {
  EXPECT_EQ(PercentDecode("%e4%b8%ad", true), "\xD6\xD0");
  EXPECT_EQ(PercentDecode("%E4%B8%AD", false), "\xE4\xB8\xAD");
  EXPECT_EQ(PercentDecode("abc?", true), "abc?");
  EXPECT_EQ(PercentDecode("%EF%BB%BF%E6%B3%84%E9%9C%B2", true), "?\xD0\xB9\xC2\xB6");  // BOM, 泄露
  EXPECT_EQ(PercentDecode("%F0%9F%98%80x", true), "??x");  // outside 936: one "?" per UTF-16 unit
  EXPECT_TRUE(PercentDecode("", true).empty());
}

TEST(PercentDecode, InPiecesEqualsDecodingThenConvertingWhole) {
  // Answers over many 32 KiB pieces, with broken and cut sequences everywhere.
  std::mt19937 rng(9);
  const char* pool[] = {"%E4%B8%AD", "%E4%B8", "%F0%9F%98%80", "%F0", "%ED%A0%80", "%C2", "%80", "%EF%BB%BF",
                        "a", "?", "%0D%0A", "%E2%82%AC", "%FF", "%00", "%", "%G1", "\xD6\xD0"};
  for (int round = 0; round < 6; ++round) {
    std::string text;
    while (text.size() < 200000) text += pool[rng() % (sizeof pool / sizeof *pool)];
    const Text whole = FromWide(ToWide(PercentDecode(text)), kCp936);  // one conversion of all of it
    ASSERT_TRUE(PercentDecode(text, true) == whole) << "round " << round;
  }
}

TEST(PercentEncode, RoundTripsThroughTheDecoder) {
  EXPECT_EQ(PercentEncode("a-b_c.d~e"), "a-b_c.d~e");
  EXPECT_EQ(PercentEncode("a b+?%"), "a%20b%2B%3F%25");
  EXPECT_EQ(PercentEncode("\xEF\xBB\xBF\xE4\xB8\xAD"), "%EF%BB%BF%E4%B8%AD");
  const std::string all = [] {
    std::string s;
    for (int b = 1; b < 256; ++b) s.push_back(static_cast<char>(b));
    return s;
  }();
  EXPECT_EQ(PercentDecode(PercentEncode(all)).str(), all);
}

// The step-by-step definition: the result grown by concatenation, the digit value found in the
// digit table with the text primitives.
Text PercentDecodeStepByStep(std::string_view text) {
  auto digit = [](const Text& ch) { return TextFind("0123456789ABCDEF", TextUpper(ch), std::nullopt, false) - 1; };
  const int n = TextLength(text);
  Text result;
  for (int i = 1; i <= n; ++i) {
    if (TextCompare(TextMid(text, i, 1), "%") == 0) {
      ++i;
      const int high = digit(TextMid(text, i, 1));
      ++i;
      const int low = digit(TextMid(text, i, 1));
      result = TextConcat(result, CharFromCode(high * 16 + low));
    } else {
      result = TextConcat(result, TextMid(text, i, 1));
    }
  }
  return result;
}

TEST(PercentDecode, MatchesStepByStepDefinition) {
  std::mt19937 rng(3);
  const std::string alphabet = "%%%0123456789abcdefABCDEFgG+ \xD6\xD0\x80";
  for (int round = 0; round < 2000; ++round) {
    std::string text;
    const int length = static_cast<int>(rng() % 24);
    for (int i = 0; i < length; ++i) text.push_back(alphabet[rng() % alphabet.size()]);
    ASSERT_EQ(PercentDecode(text), PercentDecodeStepByStep(text)) << text;
    ASSERT_EQ(PercentDecode(text, true), Utf8ToGbk(PercentDecodeStepByStep(text))) << text;
  }
}

}  // namespace
}  // namespace zicha
