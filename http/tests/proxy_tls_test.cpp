// libcurl transport through a real proxy (tinyproxy) and over TLS with a test certificate
// authority, all on 127.0.0.1.
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "http/curl_transport.h"
#include "http/request.h"
#include "http/tests/child_process.h"
#include "http/tests/test_server.h"

namespace zicha {
namespace {

namespace fs = std::filesystem;
using testing::Answer;
using testing::ReceivedRequest;
using testing::TestServer;

using testing::Child;
using testing::RunShell;
using testing::WaitForPort;

class ProxyAndTls : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new fs::path(fs::temp_directory_path() / ("zicha-tls-" + std::to_string(getpid())));
    fs::create_directories(*dir_);
    const std::string d = dir_->string();
    // A certificate authority and a server certificate for 127.0.0.1 signed by it.
    ok_ = 0 == RunShell("cd " + d + " && openssl req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out ca.crt -days 2 "
              "-subj /CN=zicha-test-ca >/dev/null 2>&1 && "
              "openssl req -newkey rsa:2048 -nodes -keyout server.key -out server.csr -subj /CN=127.0.0.1 "
              ">/dev/null 2>&1 && printf 'subjectAltName=IP:127.0.0.1\\n' > san.ext && "
              "openssl x509 -req -in server.csr -CA ca.crt -CAkey ca.key -CAcreateserial -out server.crt -days 2 "
              "-extfile san.ext >/dev/null 2>&1");
    tlsPort_ = testing::UnusedPort();
    tls_ = new Child({"python3", ZICHA_TLS_SERVER, d + "/server.crt", d + "/server.key", std::to_string(tlsPort_)});
    proxyPort_ = testing::UnusedPort();
    std::ofstream(d + "/tinyproxy.conf") << "Port " << proxyPort_ << "\nListen 127.0.0.1\nTimeout 30\n"
                                         << "MaxClients 8\nAllow 127.0.0.1\nLogLevel Critical\n";
    proxy_ = new Child({"tinyproxy", "-d", "-c", d + "/tinyproxy.conf"});
    ok_ = ok_ && tls_->started() && proxy_->started() && WaitForPort(tlsPort_) && WaitForPort(proxyPort_);
  }
  static void TearDownTestSuite() {
    delete proxy_;
    delete tls_;
    fs::remove_all(*dir_);
    delete dir_;
  }
  void SetUp() override { ASSERT_TRUE(ok_) << "test CA, TLS server or proxy did not start"; }

  static CurlTransportOptions TrustingTestCa() {
    CurlTransportOptions o;
    o.caFile = (*dir_ / "ca.crt").string();
    return o;
  }
  static std::string TlsUrl() { return "https://127.0.0.1:" + std::to_string(tlsPort_) + "/hello"; }
  static Text Proxy() { return Text("127.0.0.1:" + std::to_string(proxyPort_)); }

  static inline fs::path* dir_ = nullptr;
  static inline Child* tls_ = nullptr;
  static inline Child* proxy_ = nullptr;
  static inline int tlsPort_ = 0, proxyPort_ = 0;
  static inline bool ok_ = false;
};

TEST_F(ProxyAndTls, TlsWithTrustedAndUntrustedCertificates) {
  CurlTransport trusting(TrustingTestCa());
  EXPECT_EQ(HttpRequest(trusting, TlsUrl()).view(), "hello over tls");
  CurlTransport system;  // the system store does not know the test authority
  Text rawHeaders;
  EXPECT_TRUE(HttpRequest(system, TlsUrl(), {.returnedHeaders = &rawHeaders}).empty());
  EXPECT_EQ(rawHeaders, std::string(5000, ' '));
}

TEST_F(ProxyAndTls, PlainHttpThroughTheProxyLoopbackIncluded) {
  TestServer server([](const ReceivedRequest& r) { return Answer(200, "", "via:" + r.Header("Via")); });
  CurlTransport transport;
  const Bytes answer = HttpRequest(transport, server.Url("/p?q=1"), {.method = 1, .postText = Text("a=1"),
                                                                      .proxy = Proxy()});
  EXPECT_NE(answer.view().find("tinyproxy"), std::string_view::npos) << answer.view();
  ASSERT_EQ(server.Requests().size(), 1u);
  EXPECT_EQ(server.Requests()[0].target(), "/p?q=1");
  EXPECT_EQ(server.Requests()[0].body, "a=1");
  EXPECT_FALSE(server.Requests()[0].HasHeader("Proxy-Connection"));
}

TEST_F(ProxyAndTls, HttpsThroughTheProxyTunnel) {
  CurlTransport transport(TrustingTestCa());
  EXPECT_EQ(HttpRequest(transport, TlsUrl(), {.proxy = Proxy()}).view(), "hello over tls");
  // The same request through a proxy that is not there fails: the tunnel really is used.
  const Text deadProxy("127.0.0.1:" + std::to_string(testing::UnusedPort()));
  EXPECT_TRUE(HttpRequest(transport, TlsUrl(), {.proxy = deadProxy}).empty());
}

TEST_F(ProxyAndTls, ProxyTextForPlainHttpOnlyLeavesHttpsDirect) {
  // "http=host:port" names a proxy for plain http only; the TLS request goes direct.
  CurlTransport transport(TrustingTestCa());
  HttpTransport& t = transport;
  HttpHandle internet = t.InternetOpenA(Text("a"), kAccessProxy, Text("http=127.0.0.1:1"), Text::PresentEmpty(), 0);
  HttpHandle connection = t.InternetConnectA(internet, Text("127.0.0.1"), tlsPort_, Text(), Text(), kServiceHttp, 0, 0);
  HttpHandle request = t.HttpOpenRequestA(connection, Text("GET"), Text("/hello"), Text("HTTP/1.1"), Text(), nullptr,
                                          kFlagSecure, 0);
  EXPECT_TRUE(t.HttpSendRequestA(request, Text(), 0, nullptr, 0));
  char buffer[64] = {};
  uint32_t read = 0;
  t.InternetReadFile(request, buffer, sizeof buffer, &read);
  EXPECT_EQ(std::string(buffer, read), "hello over tls");
  t.InternetCloseHandle(request);
  t.InternetCloseHandle(connection);
  t.InternetCloseHandle(internet);
}

TEST_F(ProxyAndTls, ProxyEnvironmentVariablesAreIgnored) {
  TestServer server([](const ReceivedRequest& r) { return Answer(200, "", "via:" + r.Header("Via")); });
  setenv("http_proxy", ("http://" + Proxy().str()).c_str(), 1);
  setenv("HTTP_PROXY", ("http://" + Proxy().str()).c_str(), 1);
  CurlTransport transport;
  const Bytes answer = HttpRequest(transport, server.Url("/direct"));
  unsetenv("http_proxy");
  unsetenv("HTTP_PROXY");
  EXPECT_EQ(answer.view(), "via:");
}

}  // namespace
}  // namespace zicha
