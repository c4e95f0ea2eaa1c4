#include <gtest/gtest.h>

#include <random>
#include <string>

#include "text/lists.h"
#include "text/markers.h"
#include "text/text_ops.h"

namespace zicha {
namespace {

TEST(Markers, Between) {
  struct Case {
    const char* text;
    const char* left;
    const char* right;
    bool ignoreCase;
    const char* expected;
  };
  const Case cases[] = {
      {"[a.b]", "[", "]", false, "a.b"},
      {"[a][b]", "[", "]", false, "a"},
      {"User-Agent: X\r\n", "User-Agent:", "\r\n", false, " X"},
      {"USER-AGENT: X\r\n", "User-Agent:", "\r\n", false, ""},
      {"USER-AGENT: X\r\n", "User-Agent:", "\r\n", true, " X"},
      {"ab", "a", "b", false, ""},
      {"abc", "x", "c", false, ""},
      {"abc", "a", "x", false, ""},
      {"name=\"v\";", "=#\xD2\xFD\xBA\xC5", "#\xD2\xFD\xBA\xC5", false, "v"},  // "#引号" is a double quote
      {"a/b", "", "/", false, "a"},
      {"", "", "/", false, ""},
      {"a/b", "a", "", false, ""},
      {"aXa", "a", "a", false, "X"},  // the right marker is searched after the left one
      {"ab", "b", "", false, ""},     // left marker at the very end
  };
  for (const auto& c : cases)
    EXPECT_EQ(TextBetween(c.text, c.left, c.right, std::nullopt, c.ignoreCase), c.expected) << c.text;
  EXPECT_EQ(TextBetween("[a][b]", "[", "]", 3), "b");
}

TEST(Markers, Before) {
  EXPECT_EQ(TextBefore("Set-Cookie: a=1", ": "), "Set-Cookie");
  EXPECT_EQ(TextBefore("abc", ": "), "");
  EXPECT_EQ(TextBefore("a: b: c", ": ", 3), "a: b");
  EXPECT_EQ(TextBefore("a: b", ": ", -4), "a");
  EXPECT_EQ(TextBefore("abc", ""), "");
}

TEST(Lists, SplitCharacters) {
  struct Case {
    std::string text;
    TextList expected;
  };
  const Case cases[] = {
      {"a\r\nb", {"a", "\r\n", "b"}},
      {"\n\r", {"\n", "\r"}},
      {"\xD6\xD0" "A", {"\xD6\xD0", "A"}},
      {"\x80" "A", {"\x80", "A"}},  // 0x80 is a unit of its own here
      {"a\xD6", {"a", "\xD6"}},
      {"", {}},
  };
  for (const auto& c : cases) {
    TextList list = {"stale"};
    EXPECT_EQ(SplitCharacters(c.text, list), static_cast<int>(c.expected.size())) << c.text;
    EXPECT_EQ(list, c.expected) << c.text;
  }
}

TEST(Lists, IndexOf) {
  EXPECT_EQ(ListIndexOf({"a", "b", "a"}, "a"), 1);
  EXPECT_EQ(ListIndexOf({"a"}, "A"), -1);
  EXPECT_EQ(ListIndexOf({}, "a"), -1);
  EXPECT_EQ(ListIndexOf({"a", Text::PresentEmpty()}, Text()), 2);
}

TEST(Lists, UniqueJoin) {
  struct Case {
    const char* text;
    const char* separator;
    bool split;
    const char* expected;
  };
  const Case cases[] = {
      {"a=1; b=2; a=1", "; ", true, "a=1; b=2"},
      {"A; a", "; ", true, "A; a"},
      {"x; ", "; ", true, "x"},
      {"", "; ", true, ""},
      {"; ; x", "; ", true, "; x"},  // an empty member is joined once
      {"hello", ",", false, "h,e,l,o"},
      {"hello", "", false, "helo"},
  };
  for (const auto& c : cases) EXPECT_EQ(UniqueJoin(c.text, c.separator, c.split), c.expected) << c.text;
}

// The step-by-step definition: each member looked up in the members kept before it, the joined
// text grown by concatenation.
Text UniqueJoinStepByStep(std::string_view text, std::string_view separator, bool split) {
  TextList members;
  if (split) {
    members = TextSplit(text, separator);
  } else {
    SplitCharacters(text, members);
  }
  TextList seen;
  Text joined;
  const int count = TextListCount(members);
  for (int i = 1; i <= count; ++i) {
    const Text& m = TextListAt(members, i);
    if (ListIndexOf(seen, m) == -1) {
      TextListAppend(seen, m);
      joined = TextConcat(joined, m, separator);
    }
  }
  return TextLeft(joined, TextLength(joined) - TextLength(separator));
}

TEST(Lists, UniqueJoinMatchesStepByStepDefinition) {
  std::mt19937 rng(7);
  const std::string alphabet = "ab; =\xD6\xD0\r\n";
  for (int round = 0; round < 500; ++round) {
    std::string text;
    const int length = static_cast<int>(rng() % 40);
    for (int i = 0; i < length; ++i) text.push_back(alphabet[rng() % alphabet.size()]);
    for (const char* separator : {"; ", ";", "", "a"})
      for (bool split : {true, false})
        ASSERT_EQ(UniqueJoin(text, separator, split), UniqueJoinStepByStep(text, separator, split))
            << '"' << text << "\" sep \"" << separator << '"';
  }
}

}  // namespace
}  // namespace zicha
