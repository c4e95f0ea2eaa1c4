#include "text/text_ops.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace zicha {
namespace {

using std::nullopt;

TEST(Text, AbsentAndPresentEmptyDifferOnlyAsCString) {
  const Text absent;
  const Text present = Text::PresentEmpty();
  EXPECT_EQ(absent, present);
  EXPECT_EQ(absent.CStrOrNull(), nullptr);
  ASSERT_NE(present.CStrOrNull(), nullptr);
  EXPECT_EQ(*present.CStrOrNull(), '\0');
  EXPECT_TRUE(Text("").IsAbsent());
  EXPECT_EQ(Text(std::string("ab\0cd", 5)), "ab");  // a Text never holds a zero byte
}

TEST(Text, EmptyResultsAreAbsentExceptConcat) {
  EXPECT_TRUE(TextLeft("abc", 0).IsAbsent());
  EXPECT_TRUE(TextMid("abc", 4, 1).IsAbsent());
  EXPECT_TRUE(TextTrim("  ").IsAbsent());
  EXPECT_TRUE(TextReplace("?", "?", nullopt, nullopt, nullopt, true).IsAbsent());
  EXPECT_TRUE(CharFromCode(0).IsAbsent());
  EXPECT_FALSE(TextConcat(Text(), Text()).IsAbsent());
  EXPECT_EQ(TextConcat("a", Text(), "bc"), "abc");
}

struct SliceCase {
  const char* name;
  Text result;
  const char* expected;
};

TEST(Text, Slicing) {
  const SliceCase cases[] = {
      {"left negative", TextLeft("abc", -2), ""},
      {"left zero", TextLeft("abc", 0), ""},
      {"left part", TextLeft("abc", 2), "ab"},
      {"left beyond", TextLeft("abc", 9), "abc"},
      {"right part", TextRight("abc", 2), "bc"},
      {"right beyond", TextRight("abc", 5), "abc"},
      {"right negative", TextRight("abc", -1), ""},
      {"mid start 0", TextMid("abc", 0, 2), ""},
      {"mid start -1", TextMid("abc", -1, 9), ""},
      {"mid runs past end", TextMid("abc", 2, 5), "bc"},
      {"mid after end", TextMid("abc", 4, 1), ""},
      {"mid count 0", TextMid("abc", 1, 0), ""},
      {"mid cuts a double-byte character", TextMid("\x81" "AB", 2, 2), "AB"},
      {"blank", BlankText(3), "   "},
      {"blank negative", BlankText(-1), ""},
  };
  for (const auto& c : cases) EXPECT_EQ(c.result, c.expected) << c.name;
  EXPECT_EQ(TextLength("\xD6\xD0" "a"), 3);
}

struct FindCase {
  const char* text;
  const char* needle;
  std::optional<int> start;
  bool ignoreCase;
  int expected;
};

TEST(Text, Find) {
  const FindCase cases[] = {
      {"abc", "", nullopt, false, 1},
      {"abc", "", 3, false, 1},  // an empty needle gives 1 whatever the start
      {"abc", "", 4, false, -1},
      {"", "", nullopt, false, -1},
      {"abcabc", "c", 4, false, 6},  // counted from the first byte of the text
      {"abcabc", "c", -5, false, 3},
      {"aXb", "x", nullopt, true, 2},
      {"aXb", "x", nullopt, false, -1},
      {"abc", "abcd", nullopt, false, -1},
      {"\x81" "AB", "AB", nullopt, false, -1},  // 0x41 is a second byte
      {"\x81" "AB", "B", nullopt, false, 3},
      {"\x81" "AB", "AB", 2, false, 2},  // the region's first byte counts as a character start
      {"\x81\x41", "\x81\x61", nullopt, true, 1},  // folding reaches second bytes
      {"\xC1\x81", "\xE1\x81", nullopt, true, -1},  // bytes >= 0x80 compare exactly
      {"ab\x81", "\x81", nullopt, false, 3},  // a lone lead byte at the end still matches
      {"\x81", "x", nullopt, false, -1},
  };
  for (const auto& c : cases)
    EXPECT_EQ(TextFind(c.text, c.needle, c.start, c.ignoreCase), c.expected)
        << '"' << c.text << "\" / \"" << c.needle << '"';
}

TEST(Text, FindReverse) {
  const FindCase cases[] = {
      {"a.b.c", ".", nullopt, false, 4},
      {"a.b.c", ".", 4, false, 2},  // the match must end before byte start
      {"a.b.c", ".", 5, false, 4},
      {"a.b.c", ".", 1, false, -1},
      {"a.b.c", ".", 0, false, -1},
      {"a.b.c", ".", -1, false, -1},
      {"a.b.c", ".", 99, false, 4},
      {"aaa", "aa", nullopt, false, 2},  // matches overlap
      {"abc", "", nullopt, false, 1},
      {"abc", "", 1, false, -1},
      {"", "", nullopt, false, -1},
      {"\x81.", ".", nullopt, false, -1},  // "." is the second byte
      {"A.B", "a", nullopt, true, 1},
  };
  for (const auto& c : cases)
    EXPECT_EQ(TextFindReverse(c.text, c.needle, c.start, c.ignoreCase), c.expected)
        << '"' << c.text << "\" / \"" << c.needle << "\" start " << c.start.value_or(-999);
}

TEST(Text, CaseMapping) {
  EXPECT_EQ(TextUpper("aZ-z\xD6\xD0q"), "AZ-Z\xD6\xD0Q");
  EXPECT_EQ(TextUpper("\x81\x61"), "\x81\x61");  // a second byte keeps its case
  EXPECT_EQ(TextLower("ABC\x81\x41" "D"), "abc\x81\x41" "d");
  EXPECT_EQ(TextUpper("a\x81"), "A\x81");
}

TEST(Text, TrimAndRemoveSpaces) {
  const SliceCase cases[] = {
      {"spaces around", TextTrim("  a b  "), "a b"},
      {"tab stays", TextTrim("\ta "), "\ta"},
      {"CR LF stay", TextTrim("\r\na\r\n"), "\r\na\r\n"},
      {"full-width space goes", TextTrim("\xA1\xA1" "a" "\xA1\xA1 "), "a"},
      {"spaces only", TextTrim(" \xA1\xA1 "), ""},
      {"A1 as a second byte is no space", TextTrim("\xB0\xA1\xA1"), "\xB0\xA1\xA1"},
      {"lone A1 at the end", TextTrim("a \xA1"), "a \xA1"},
      {"space inside a run then text", TextTrim("a  b"), "a  b"},
      {"remove", TextRemoveSpaces("k=a b"), "k=ab"},
      {"remove keeps tabs", TextRemoveSpaces("a\tb \xA1\xA1" "c"), "a\tbc"},
      {"remove keeps second-byte 0x20", TextRemoveSpaces("\x81 x"), "\x81 x"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.result, c.expected) << c.name;
}

struct ReplaceCase {
  const char* text;
  const char* find;
  std::optional<const char*> with;
  std::optional<int> start;
  std::optional<int> count;
  bool exactCase;
  const char* expected;
};

TEST(Text, Replace) {
  const ReplaceCase cases[] = {
      {"a?b?c", "?", nullopt, nullopt, 1, true, "ab?c"},
      {"a?b?c", "?", nullopt, nullopt, nullopt, true, "abc"},
      {"a?b?c", "?", nullopt, nullopt, -3, true, "abc"},
      {"Set-Cookie: x", "set-cookie:", nullopt, nullopt, nullopt, false, " x"},
      {"Set-Cookie: x", "set-cookie:", nullopt, nullopt, nullopt, true, "Set-Cookie: x"},
      {"abc", "b", "X", 9, nullopt, true, "abc"},  // start beyond the end
      {"abc", "b", "X", nullopt, 0, true, "abc"},
      {"abc", "", "X", nullopt, nullopt, true, "abc"},
      {"abab", "ab", "x", 2, nullopt, true, "abx"},  // the first start - 1 bytes stay
      {"abab", "ab", "x", 0, nullopt, true, "xx"},
      {"aaa", "a", "aa", nullopt, nullopt, true, "aaaaaa"},  // inserted text is not scanned again
      {"\x81?\x81?", "?", "!", nullopt, nullopt, true, "\x81?\x81?"},  // "?" only as second bytes
      {"x\x81", "\x81", "y", nullopt, nullopt, true, "xy"},
      {"abc", "bcd", "X", nullopt, nullopt, true, "abc"},  // fewer bytes remain than find has
  };
  for (const auto& c : cases) {
    std::optional<std::string_view> with;
    if (c.with) with = *c.with;
    EXPECT_EQ(TextReplace(c.text, c.find, with, c.start, c.count, c.exactCase), c.expected)
        << '"' << c.text << "\" / \"" << c.find << '"';
  }
}

TEST(Text, Split) {
  struct Case {
    const char* text;
    const char* delimiter;
    TextList expected;
  };
  const Case cases[] = {
      {"a;;b", ";", {"a", "", "b"}},
      {";a", ";", {"", "a"}},
      {"a;", ";", {"a"}},
      {";", ";", {""}},
      {"", ";", {}},
      {"abc", "", {"abc"}},
      {"a\r\nb\r\n", "\r\n", {"a", "b"}},
      {"\x81;a;b", ";", {"\x81;a", "b"}},  // ";" as a second byte does not split
  };
  for (const auto& c : cases) EXPECT_EQ(TextSplit(c.text, c.delimiter), c.expected) << c.text;
}

TEST(Text, CompareAndCharCodes) {
  EXPECT_EQ(TextCompare("a", "a"), 0);
  EXPECT_EQ(TextCompare(Text(), Text::PresentEmpty()), 0);
  EXPECT_LT(TextCompare("a", "ab"), 0);
  EXPECT_GT(TextCompare("\xB0", "a"), 0);  // unsigned bytes
  EXPECT_EQ(CharCode("=", nullopt), 61);
  EXPECT_EQ(CharCode("\xB0", nullopt), -80);
  EXPECT_EQ(CharCode("a", 2), 0);
  EXPECT_EQ(CharCode("a", 0), 0);
  EXPECT_EQ(CharFromCode(0x141), "A");
  EXPECT_EQ(CharFromCode(-31), "\xE1");
}

TEST(Text, ToInt) {
  struct Case {
    const char* text;
    int expected;
  };
  const Case cases[] = {
      {"  -12ab", -12},
      {"\xA3\xB8\xA3\xB0\xA3\xB8\xA3\xB0", 8080},  // full-width digits
      {"\xA1\xA1\xA3\xAB" "5", 5},                 // full-width space and plus
      {"0x10", 0},
      {"", 0},
      {"\t\n+7", 7},
      {"3.9", 3},
      {"--1", 0},
      {"4294967297", 1},  // wraps around in 32 bits
      {"-2147483648", -2147483647 - 1},
  };
  for (const auto& c : cases) EXPECT_EQ(TextToInt(c.text), c.expected) << c.text;
}

}  // namespace
}  // namespace zicha
