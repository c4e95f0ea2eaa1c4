// The service's parts: request decoding, normalisation, answers, CSV records and the rate limit.
#include <gtest/gtest.h>

#include <sstream>

#include "codec/base64.h"
#include "server/address.h"
#include "server/answer.h"
#include "server/import.h"
#include "server/rate_limit.h"

namespace zicha::server {
namespace {

std::string Body(std::string_view gbk) { return "data=" + EncodeEmail(gbk).str(); }

TEST(LookupBody, DecodesAndNormalises) {
  struct Case {
    std::string body;
    AddressStatus status;
    const char* address;
  };
  const Case cases[] = {
      {Body("alice@example.com"), AddressStatus::kOk, "alice@example.com"},
      {Body("  ALICE@Example.COM\t"), AddressStatus::kOk, "alice@example.com"},
      {Body("\xA1\xA1" "Bob@Example.org"), AddressStatus::kOk, "bob@example.org"},         // full-width space
      {Body("\xD5\xC5\xCE\xB0@example.com"), AddressStatus::kOk, "张伟@example.com"},      // 张伟 in 936
      {"x=1&" + Body("a@b.cn") + "&y=2", AddressStatus::kOk, "a@b.cn"},
      {"data=" + EncodeEmail("a@b.cn").str().substr(0, 4) + "%3D%3D", AddressStatus::kMalformed, ""},
      {Body(""), AddressStatus::kEmpty, ""},
      {Body("   "), AddressStatus::kEmpty, ""},
      {Body("not-an-address"), AddressStatus::kImplausible, ""},
      {Body("a@@b.cn"), AddressStatus::kImplausible, ""},
      {Body("a b@c.cn"), AddressStatus::kImplausible, ""},
      {Body("a@localhost"), AddressStatus::kImplausible, ""},
      {Body(std::string(65, 'a') + "@b.cn"), AddressStatus::kImplausible, ""},
      {"", AddressStatus::kMalformed, ""},
      {"data", AddressStatus::kMalformed, ""},
      {"data=!!!!", AddressStatus::kMalformed, ""},
      {"data=" + Base64Encode(Bytes(std::string_view("!!!"))).str(), AddressStatus::kMalformed, ""},  // inner layer bad
      {"data=%G1", AddressStatus::kMalformed, ""},
      {Body("\x81\x30@b.cn"), AddressStatus::kMalformed, ""},  // not code page 936 text
      {"mail=" + EncodeEmail("a@b.cn").str(), AddressStatus::kMalformed, ""},
  };
  for (const auto& c : cases) {
    const DecodedAddress d = DecodeLookupBody(c.body);
    EXPECT_EQ(d.status, c.status) << c.body;
    if (c.status == AddressStatus::kOk) {
      EXPECT_EQ(d.address, c.address) << c.body;
    }
  }
}

TEST(Answers, EncodedWithByteOrderMarkAndListedNewestFirst) {
  EXPECT_EQ(EncodeAnswer("ok"), "%EF%BB%BFok");
  const std::string text = LeaksAnswer({{"B", "2024-01-02", "邮箱"}, {"A", "2020-05-06", "密码"}});
  EXPECT_NE(text.find("2 次"), std::string::npos);
  EXPECT_LT(text.find("2024-01-02  B"), text.find("2020-05-06  A"));
  EXPECT_NE(LeaksAnswer({}).find("没有找到"), std::string::npos);
}

TEST(Csv, Records) {
  std::istringstream in("a,b,c,d\r\n\"q,1\",\"say \"\"hi\"\"\",x,y\n\"multi\nline\",2,3,4\nlast,\"open\n");
  long line = 0;
  std::vector<std::string> f;
  bool open = false;
  ASSERT_TRUE(ReadCsvRecord(in, line, f, open));
  EXPECT_EQ(f, (std::vector<std::string>{"a", "b", "c", "d"}));
  ASSERT_TRUE(ReadCsvRecord(in, line, f, open));
  EXPECT_EQ(f, (std::vector<std::string>{"q,1", "say \"hi\"", "x", "y"}));
  ASSERT_TRUE(ReadCsvRecord(in, line, f, open));
  EXPECT_EQ(f[0], "multi\nline");
  EXPECT_EQ(line, 4);
  ASSERT_TRUE(ReadCsvRecord(in, line, f, open));
  EXPECT_TRUE(open);
  EXPECT_FALSE(ReadCsvRecord(in, line, f, open));
}

TEST(RateLimit, TokenBucketPerClient) {
  RateLimiter limiter(2, 3, 2);
  const auto t0 = RateLimiter::Clock::time_point{};
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(limiter.Allow("a", t0));  // the burst
  EXPECT_FALSE(limiter.Allow("a", t0));
  EXPECT_TRUE(limiter.Allow("b", t0));  // another client has its own bucket
  EXPECT_FALSE(limiter.Allow("a", t0 + std::chrono::milliseconds(400)));
  EXPECT_TRUE(limiter.Allow("a", t0 + std::chrono::milliseconds(500)));  // one token after 0.5 s
  EXPECT_TRUE(limiter.Allow("c", t0 + std::chrono::seconds(10)));        // the table stays bounded
  RateLimiter off(0, 0);
  for (int i = 0; i < 100; ++i) EXPECT_TRUE(off.Allow("a", t0));
}

}  // namespace
}  // namespace zicha::server
