#include <gtest/gtest.h>

#include <string>

#include "text/bytes.h"
#include "text/numbers.h"

namespace zicha {
namespace {

Bytes B(std::string_view s) { return Bytes(s); }

TEST(Bytes, EmptyIsAbsent) {
  EXPECT_EQ(Bytes().Data(), nullptr);
  EXPECT_EQ(BytesConcat(Bytes(), Bytes()).Data(), nullptr);
  EXPECT_EQ(BlankBytes(0).Data(), nullptr);
  EXPECT_NE(B("a").Data(), nullptr);
}

TEST(Bytes, ConversionsStopAtZero) {
  EXPECT_EQ(BytesLength(TextToBytes("abc")), 3);
  EXPECT_EQ(BytesToText(B(std::string("a\0b", 3))), "a");
  EXPECT_TRUE(BytesToText(B(std::string("\0b", 2))).IsAbsent());
  EXPECT_TRUE(BytesToText(Bytes()).IsAbsent());
}

TEST(Bytes, Slicing) {
  struct Case {
    const char* name;
    Bytes result;
    std::string expected;
  };
  const Case cases[] = {
      {"left beyond", BytesLeft(B("abcd"), 10), "abcd"},
      {"left zero", BytesLeft(B("abcd"), 0), ""},
      {"left negative", BytesLeft(B("abcd"), -1), ""},
      {"mid start 0 counts as 1", BytesMid(B("abc"), 0, 2), "ab"},
      {"mid runs past end", BytesMid(B("abc"), 3, 5), "c"},
      {"mid after end", BytesMid(B("abc"), 4, 1), ""},
      {"mid negative count", BytesMid(B("abc"), 1, -2), ""},
      {"concat", BytesConcat(Bytes(), B("ab")), "ab"},
      {"concat keeps zeros", BytesConcat(B(std::string("\0", 1)), B("a")), std::string("\0a", 2)},
      {"blank", BlankBytes(3), std::string(3, '\0')},
  };
  for (const auto& c : cases) EXPECT_EQ(c.result.view(), c.expected) << c.name;
}

TEST(Numbers, Arithmetic) {
  EXPECT_EQ(TruncateToInt(2.9), 2);
  EXPECT_EQ(TruncateToInt(-2.9), -2);
  EXPECT_EQ(TruncateToInt(7.0 * 4 / 3), 9);
  EXPECT_EQ(TruncateToInt(1e300), 2147483647);
  EXPECT_EQ(ToByte(61), 61);
  EXPECT_EQ(ToByte(0x1FF), 255);
  EXPECT_EQ(ToByte(-1), 255);
  EXPECT_EQ(Modulo(7, {3}), 1);
  EXPECT_EQ(Modulo(-7, {3}), -1);
  EXPECT_EQ(Modulo(6, {3}), 0);
  EXPECT_EQ(Modulo(17, {7, 2}), 1);
  EXPECT_EQ(BitOr(0x100, 0x10, 0x4), 0x114);
  EXPECT_EQ(BitAnd(0xB5, 3), 1);
  EXPECT_EQ(BitOr(static_cast<int>(0x80000000u), 0x10), static_cast<int>(0x80000010u));
  EXPECT_EQ(ShiftRight(-8, 1), -4);
  EXPECT_EQ(ShiftRight(0xB5, 2), 0x2D);
  EXPECT_EQ(ShiftLeft(1, 33), 2);
  EXPECT_EQ(ShiftLeft(3, 4), 0x30);
  EXPECT_EQ(ShiftLeft(1, 31), static_cast<int>(0x80000000u));  // no overflow trap
}

}  // namespace
}  // namespace zicha
