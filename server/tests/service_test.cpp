// zicha-server as a user meets it: imported from CSV, then running and answering over real HTTP
// on 127.0.0.1; and the program's own lookup code against it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/lookup.h"
#include "app/tests/in_memory_window.h"
#include "codec/base64.h"
#include "codec/percent.h"
#include "http/request.h"
#include "http/tests/child_process.h"
#include "http/tests/test_server.h"
#include "text/text_ops.h"

namespace zicha {
namespace {

namespace fs = std::filesystem;
using testing::Child;
using testing::RunShell;

std::string Slurp(const fs::path& p) {
  std::ifstream in(p);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class Service : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new fs::path(fs::temp_directory_path() / ("zicha-service-" + std::to_string(::getpid())));
    fs::create_directories(*dir_);
    std::ofstream(*dir_ / "leaks.csv") << "address,leak,date,kinds\n"
                                          "alice@example.com,Old Forum,2019-11-25,邮箱、密码\n"
                                          "alice@example.com,New Shop,2024-03-18,邮箱、手机号\n"
                                          "张伟@example.com,在线课堂,2022-09-09,邮箱、姓名\n"
                                          "not-an-address,Bad,2020-01-01,x\n"
                                          "bob@example.org,No Date,2020-13-01,x\n"
                                          "carol@example.com,Too,Many,Fields,Here\n";
    importOutput_ = new std::string(Import());
    port_ = testing::UnusedPort();
    server_ = new Child({ZICHA_SERVER, "--db", Db(), "--listen", "127.0.0.1:" + std::to_string(port_), "--rate", "0"},
                        (*dir_ / "server.log").string());
    ready_ = testing::WaitForPort(port_);
  }
  static void TearDownTestSuite() {
    delete server_;
    delete importOutput_;
    fs::remove_all(*dir_);
    delete dir_;
  }
  void SetUp() override { ASSERT_TRUE(ready_) << "zicha-server did not start"; }

  static std::string Db() { return (*dir_ / "leaks.db").string(); }
  static std::string Import() {
    const fs::path out = *dir_ / "import.txt";
    importStatus_ = RunShell(std::string(ZICHA_SERVER) + " import --db " + Db() + " " + (*dir_ / "leaks.csv").string() +
                             " > " + out.string() + " 2>&1");
    return Slurp(out);
  }
  static std::string Url() { return "http://127.0.0.1:" + std::to_string(port_) + "/index.php"; }
  // The answer to a lookup of `gbk` (code page 936 bytes), decoded as the program decodes it.
  static std::string Lookup(std::string_view gbk, Text* rawHeaders = nullptr) {
    const Bytes answer = HttpRequest(Url(), {.method = 1, .postText = TextConcat("data=", EncodeEmail(gbk)),
                                             .returnedHeaders = rawHeaders});
    return PercentDecode(BytesToText(answer), false).str();  // UTF-8
  }

  static inline fs::path* dir_ = nullptr;
  static inline Child* server_ = nullptr;
  static inline std::string* importOutput_ = nullptr;
  static inline int port_ = 0, importStatus_ = 0;
  static inline bool ready_ = false;
};

TEST_F(Service, ImportReportsBadRowsWithLineNumbers) {
  EXPECT_EQ(importStatus_, 3);  // some rows were bad
  EXPECT_NE(importOutput_->find("3 new records, 0 already present, 3 bad rows"), std::string::npos) << *importOutput_;
  EXPECT_NE(importOutput_->find("leaks.csv:5: skipped: not a plausible e-mail address"), std::string::npos);
  EXPECT_NE(importOutput_->find("leaks.csv:6: skipped: date is not YYYY-MM-DD"), std::string::npos);
  EXPECT_NE(importOutput_->find("leaks.csv:7: skipped: expected 4 fields, found 5"), std::string::npos);
}

TEST_F(Service, ReimportAddsNoDuplicates) {
  const std::string again = Import();
  EXPECT_NE(again.find("0 new records, 3 already present, 3 bad rows; 3 records"), std::string::npos) << again;
}

TEST_F(Service, FoundNewestFirstNormalisedAndNotFound) {
  const std::string found = Lookup("alice@example.com");
  EXPECT_EQ(found.substr(0, 3), "\xEF\xBB\xBF");
  EXPECT_NE(found.find("2 次"), std::string::npos) << found;
  EXPECT_LT(found.find("New Shop"), found.find("Old Forum"));
  EXPECT_EQ(Lookup("  ALICE@Example.COM "), found);
  EXPECT_NE(Lookup("\xD5\xC5\xCE\xB0@EXAMPLE.com").find("在线课堂"), std::string::npos);  // 张伟, upper-case domain
  EXPECT_NE(Lookup("nobody@example.com").find("没有找到"), std::string::npos);
  EXPECT_NE(Lookup("").find("请先输入"), std::string::npos);
  EXPECT_NE(Lookup("nonsense").find("不是一个有效的邮箱地址"), std::string::npos);
}

TEST_F(Service, MalformedRequestsAndOtherPathsAndMethods) {
  Text raw;
  for (const char* body : {"", "data=", "data=%%%", "data=!!!!", "mail=WVdKag==", "data=WVdKag"}) {
    const Bytes answer = HttpRequest(Url(), {.method = 1, .postText = Text(body), .returnedHeaders = &raw});
    const std::string text = PercentDecode(BytesToText(answer), false).str();
    EXPECT_TRUE(text.find("格式不正确") != std::string::npos || text.find("请先输入") != std::string::npos)
        << body << ": " << text;
  }
  HttpRequest(Url(), {.returnedHeaders = &raw});
  EXPECT_EQ(raw.view().substr(0, 12), "HTTP/1.1 405");
  HttpRequest("http://127.0.0.1:" + std::to_string(port_) + "/other", {.method = 1, .returnedHeaders = &raw});
  EXPECT_EQ(raw.view().substr(0, 12), "HTTP/1.1 404");
  const Bytes big = HttpRequest(Url(), {.method = 1, .postText = Text("data=" + std::string(100000, 'A')),
                                        .returnedHeaders = &raw});
  EXPECT_EQ(raw.view().substr(0, 12), "HTTP/1.1 413");  // bounded request size
}

TEST_F(Service, TheProgramsOwnLookupShowsTheAnswer) {
  testing::InMemoryWindow window;
  window.email = Text("Alice@Example.com");
  QueryLeak(window, Url());
  // What 编辑框2 shows, in code page 936: no "?" of the byte-order mark, the Chinese intact.
  EXPECT_EQ(window.result.str().substr(0, 4), "\xD5\xE2\xB8\xF6");  // 这个
  EXPECT_EQ(window.result.view().find('?'), std::string_view::npos);
  EXPECT_NE(window.result.view().find("New Shop"), std::string_view::npos);
  EXPECT_NE(window.result.view().find("\r\n"), std::string_view::npos);
}

TEST_F(Service, TooManyLookupsAndTheListenFailure) {
  const int port = testing::UnusedPort();
  Child limited({ZICHA_SERVER, "--db", Db(), "--listen", "127.0.0.1:" + std::to_string(port), "--rate", "1", "--burst",
                 "2"},
                (*dir_ / "limited.log").string());
  ASSERT_TRUE(testing::WaitForPort(port));
  const std::string url = "http://127.0.0.1:" + std::to_string(port) + "/index.php";
  Text raw;
  std::string last;
  for (int i = 0; i < 4; ++i) {
    const Bytes a = HttpRequest(url, {.method = 1, .postText = TextConcat("data=", EncodeEmail("a@b.cn")),
                                      .returnedHeaders = &raw});
    last = PercentDecode(BytesToText(a), false).str();
  }
  EXPECT_EQ(raw.view().substr(0, 12), "HTTP/1.1 429");
  EXPECT_NE(last.find("查询过于频繁"), std::string::npos);
  EXPECT_EQ(limited.Stop(), 0);  // SIGTERM: a clean shutdown
  EXPECT_NE(Slurp(*dir_ / "limited.log").find("stopped"), std::string::npos);

  // The port is taken: a clear message and a failure exit.
  const fs::path log = *dir_ / "busy.log";
  EXPECT_EQ(RunShell(std::string(ZICHA_SERVER) + " --db " + Db() + " --listen 127.0.0.1:" + std::to_string(port_) +
                     " > " + log.string() + " 2>&1"),
            1);
  EXPECT_NE(Slurp(log).find("cannot listen on 127.0.0.1:" + std::to_string(port_)), std::string::npos) << Slurp(log);
}

}  // namespace
}  // namespace zicha
