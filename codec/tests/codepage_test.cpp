// Runs against the platform's own conversion functions: iconv-based on Linux, kernel32 under Wine.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "codec/codepage.h"
#include "codec/wide.h"

namespace zicha {
namespace {



TEST(CodePage, MeasureThenConvert) {
  const char* text = "a\xE4\xB8\xAD";  // a中
  EXPECT_EQ(MultiByteToWideChar(kCpUtf8, 0, text, -1, nullptr, 0), 3);  // terminator included
  char16_t units[3] = {1, 1, 1};
  EXPECT_EQ(MultiByteToWideChar(kCpUtf8, 0, text, -1, units, 3), 3);
  EXPECT_EQ(std::u16string(units, 3), std::u16string(u"a\u4E2D\0", 3));
  EXPECT_EQ(MultiByteToWideChar(kCpUtf8, 0, text, -1, units, 2), 0);  // does not fit

  const char16_t wide[] = u"a\u4E2D";
  EXPECT_EQ(WideCharToMultiByte(kCp936, 0, wide, -1, nullptr, 0, nullptr, nullptr), 4);
  char out[4] = {1, 1, 1, 1};
  EXPECT_EQ(WideCharToMultiByte(kCp936, 0, wide, -1, out, 4, nullptr, nullptr), 4);
  EXPECT_EQ(std::string(out, 4), std::string("a\xD6\xD0\0", 4));
  EXPECT_EQ(WideCharToMultiByte(kCp936, 0, wide, 1, out, 4, nullptr, nullptr), 1);  // explicit length: no terminator
}

TEST(CodePage, Utf8ToGbk) {
  struct Case {
    const char* name;
    std::string in;
    std::string expected;
  };
  const Case cases[] = {
      {"ascii unchanged", "user@example.com ?!", "user@example.com ?!"},
      {"chinese", "\xE6\x95\xB0\xE6\x8D\xAE", "\xCA\xFD\xBE\xDD"},  // 数据
      {"euro sign is 0x80", "\xE2\x82\xAC", "\x80"},
      {"not in 936", "\xE2\x98\x83", "?"},  // ☃
      {"best fit", "\xC2\xB2", "2"},        // ² as Windows maps it
      {"lone continuation", "a\x80" "b", "a?b"},
      {"overlong", "\xC0\xAF" "A", "??A"},
      {"surrogate", "\xED\xA0\x80" "A", "??A"},
      {"truncated inside", "\xE4\xB8" "A", "?A"},
      {"invalid lead", "\xFF" "A", "?A"},
      {"empty", "", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(Utf8ToGbk(c.in).str(), c.expected) << c.name;
}

TEST(CodePage, ToWideAndFromWide) {
  EXPECT_EQ(ToWide("\xD6\xD0", kCp936), std::u16string(u"\u4E2D\0", 2));
  EXPECT_EQ(ToWide("\xE4\xB8\xAD"), std::u16string(u"\u4E2D\0", 2));  // UTF-8 by default
  EXPECT_EQ(ToWide(""), std::u16string(1, u'\0'));
  EXPECT_EQ(FromWide(ToWide("\xE4\xB8\xAD")), FromWide(ToWide("\xE4\xB8\xAD"), kCpAcp));  // the system code page
#ifndef _WIN32
  EXPECT_EQ(FromWide(ToWide("\xE4\xB8\xAD")), "\xD6\xD0");  // which on Linux is 936
#endif
  EXPECT_EQ(FromWide(ToWide("\xE4\xB8\xAD"), kCp936), "\xD6\xD0");
  EXPECT_EQ(FromWide(ToWide("\xE4\xB8\xAD"), kCpUtf8), "\xE4\xB8\xAD");
  EXPECT_TRUE(FromWide(u"").empty());
  // A wide text is read only up to its first zero unit, and needs none of its own.
  EXPECT_EQ(FromWide(std::u16string_view(u"a\0b", 3)), "a");
  EXPECT_EQ(FromWide(std::u16string_view(u"ab", 1), kCp936), "a");
}

TEST(CodePage, WideTextAlwaysEndsWithZeroUnit) {
  // A sequence cut short by the terminator: Wine's kernel32 returns no terminator for it.
  for (const char* text : {"\xE4", "a\xF0\x9F", "\xE4\xB8\xAD\xE4"}) {
    const WideText wide = ToWide(text);
    ASSERT_FALSE(wide.empty()) << text;
    EXPECT_EQ(wide.back(), u'\0') << text;
    EXPECT_NE(wide.find(u'\uFFFD'), std::u16string::npos) << text;
  }
}

TEST(CodePage, Utf8ToGbkInPiecesEqualsOneConversion) {
  std::mt19937 rng(11);
  const unsigned char pool[] = {'a', '?', 0x80, 0xBF, 0xC2, 0xC0, 0xE4, 0xB8, 0xAD, 0xED, 0xA0, 0xF0, 0x9F, 0x98, 0xE2, 0x82, 0xAC, 0xFF};
  for (int round = 0; round < 400; ++round) {
    std::string text;
    const int length = static_cast<int>(rng() % 64);
    for (int i = 0; i < length; ++i) text.push_back(static_cast<char>(pool[rng() % sizeof pool]));
    const Text whole = FromWide(ToWide(Text(text)), kCp936);
    for (size_t piece : {1u, 2u, 3u, 5u, 32768u})
      ASSERT_EQ(Utf8ToGbk(text, piece), whole) << "piece " << piece << ", input " << testing::PrintToString(text);
  }
}

TEST(CodePage, CodePage936Decoding) {
  struct Case {
    const char* name;
    std::string in;
    std::u16string expected;
  };
  const Case cases[] = {
      {"pair", "\xD6\xD0", u"\u4E2D"},
      {"euro", "\x80", u"\u20AC"},
      {"full-width digit", "\xA3\xB1", u"\uFF11"},
      {"user-defined area", "\xAA\xA1", u"\uE000"},
      {"lead takes an invalid trail", "\x81\x30" "A", u"?A"},
      {"lone lead at the end", "A\x81", u"A?"},
  };
  for (const auto& c : cases) {
    std::u16string units(16, u'\0');
    const int n = MultiByteToWideChar(kCp936, 0, c.in.c_str(), -1, units.data(), 16);
    ASSERT_GT(n, 0) << c.name;
    EXPECT_EQ(units.substr(0, static_cast<size_t>(n - 1)), c.expected) << c.name;
  }
}

}  // namespace
}  // namespace zicha
