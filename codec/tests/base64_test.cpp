#include "codec/base64.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace zicha {
namespace {

TEST(Base64, Rfc4648Vectors) {
  const std::pair<const char*, const char*> vectors[] = {
      {"", ""},           {"f", "Zg=="},         {"fo", "Zm8="},         {"foo", "Zm9v"},
      {"foob", "Zm9vYg=="}, {"fooba", "Zm9vYmE="}, {"foobar", "Zm9vYmFy"},
  };
  for (const auto& [in, out] : vectors) EXPECT_EQ(Base64Encode(TextToBytes(in)), out) << in;
  EXPECT_TRUE(Base64Encode(Bytes()).IsAbsent());
}

TEST(Base64, ZeroAndHighBytes) {
  EXPECT_EQ(Base64Encode(Bytes(std::string(1, '\0'))), "AA==");
  EXPECT_EQ(Base64Encode(Bytes(std::string("\0\0\0", 3))), "AAAA");
  EXPECT_EQ(Base64Encode(Bytes(std::string("\xFF\xFE\xFD", 3))), "//79");
}

// A plain bit-by-bit encoder written independently of the one under test.
std::string SimpleBase64(const std::string& in) {
  const char* alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string bits;
  for (unsigned char c : in)
    for (int b = 7; b >= 0; --b) bits.push_back(((c >> b) & 1) ? '1' : '0');
  while (bits.size() % 6) bits.push_back('0');
  std::string out;
  for (size_t i = 0; i < bits.size(); i += 6) out.push_back(alphabet[std::stoi(bits.substr(i, 6), nullptr, 2)]);
  while (out.size() % 4) out.push_back('=');
  return out;
}

TEST(Base64, AgreesWithSimpleEncoderOnEveryLengthUpTo64) {
  std::mt19937 rng(42);
  for (int length = 0; length <= 64; ++length) {
    for (int round = 0; round < 8; ++round) {
      std::string in;
      for (int i = 0; i < length; ++i) in.push_back(static_cast<char>(rng() & 0xFF));
      ASSERT_EQ(Base64Encode(Bytes(in)).str(), SimpleBase64(in)) << "length " << length;
    }
  }
}

TEST(Base64, StrictDecoding) {
  struct Case {
    const char* text;
    bool ok;
    std::string bytes;
  };
  const Case cases[] = {
      {"", true, ""},          {"Zg==", true, "f"},     {"Zm8=", true, "fo"},   {"Zm9vYmFy", true, "foobar"},
      {"AA==", true, std::string(1, '\0')},              {"//79", true, "\xFF\xFE\xFD"},
      {"Zg=", false, ""},      {"Zg", false, ""},       {"Zh==", false, ""},    // pad bits must be zero
      {"Zm9=", false, ""},     {"Z===", false, ""},     {"=Zg=", false, ""},    {"Zg==Zg==", false, ""},
      {"Zm 9v", false, ""},    {"Zm9v\n", false, ""},  {"Zm-v", false, ""},    {"Zm=v", false, ""},
  };
  for (const auto& c : cases) {
    Bytes out(std::string_view("stale"));
    EXPECT_EQ(Base64Decode(c.text, out), c.ok) << c.text;
    EXPECT_EQ(out.view(), c.bytes) << c.text;
  }
  std::mt19937 rng(5);
  for (int length = 0; length <= 40; ++length) {
    std::string in;
    for (int i = 0; i < length; ++i) in.push_back(static_cast<char>(rng() & 0xFF));
    Bytes out;
    ASSERT_TRUE(Base64Decode(Base64Encode(Bytes(in)), out));
    ASSERT_EQ(out.view(), in);
  }
}

TEST(EncodeEmail, TwoPassesOverCodePage936Bytes) {
  EXPECT_EQ(EncodeEmail("abc"), "WVdKag==");
  EXPECT_EQ(Base64Encode(TextToBytes("\xD6\xD0")), "1tA=");  // 中
  EXPECT_EQ(EncodeEmail("\xD6\xD0"), "MXRBPQ==");
  EXPECT_TRUE(EncodeEmail("").empty());
  EXPECT_EQ(EncodeEmail("a+b/c?"), Base64Encode(TextToBytes(Base64Encode(TextToBytes("a+b/c?")))));
}

}  // namespace
}  // namespace zicha
