#include "http/request.h"

#include <cstring>
#include <string>

#include "http/cookies.h"
#include "http/headers.h"
#include "http/url.h"
#include "text/numbers.h"
#include "text/text_ops.h"

namespace zicha {
namespace {

constexpr uint32_t kReadChunk = 1024;
constexpr uint32_t kRawHeaderBuffer = 5000;

// Closes the handles that are open, innermost first, when the routine leaves.
class OpenHandles {
 public:
  explicit OpenHandles(HttpTransport& transport) : transport_(transport) {}
  ~OpenHandles() {
    for (int i = count_ - 1; i >= 0; --i) transport_.InternetCloseHandle(handles_[i]);
  }
  OpenHandles(const OpenHandles&) = delete;
  OpenHandles& operator=(const OpenHandles&) = delete;
  HttpHandle Add(HttpHandle h) {
    if (h != nullptr) handles_[count_++] = h;
    return h;
  }
  // Closes every handle now.
  void CloseAll() {
    for (int i = count_ - 1; i >= 0; --i) transport_.InternetCloseHandle(handles_[i]);
    count_ = 0;
  }

 private:
  HttpTransport& transport_;
  HttpHandle handles_[3] = {};
  int count_ = 0;
};

}  // namespace

Text HttpMethodNames(int method) {
  if (method < 0 || method > 7) return Text();
  return Text(kHttpMethodNames[static_cast<size_t>(method)]);
}

uint32_t HttpRequestFlags(bool cookiesGiven, bool noRedirect, bool secure) {
  int flags = BitOr(static_cast<int>(kFlagReload), static_cast<int>(kFlagNeedFile));
  if (cookiesGiven) flags = BitOr(flags, static_cast<int>(kFlagNoCookies));
  if (noRedirect) flags = BitOr(flags, static_cast<int>(kFlagNoAutoRedirect));
  flags = BitOr(flags, static_cast<int>(secure ? kFlagSecure : kFlagIgnoreRedirectToHttps));
  return static_cast<uint32_t>(flags);
}

Bytes HttpRequest(HttpTransport& transport, std::string_view url, const HttpRequestOptions& options) {
  int method = options.method.value_or(0);
  if (method < 0 || method > 7) method = 0;
  const bool mergeCookies = options.mergeCookies.value_or(true);
  const bool completeHeaders = options.completeHeaders.value_or(true);
  const Text verb = HttpMethodNames(method);
  const bool secure = TextLower(TextLeft(url, 8)) == "https://";

  // Omitted in/out arguments are private values that are thrown away afterwards.
  Text localHeaders, localReturnedHeaders, localReturnedCookies;
  Bytes localPostBytes;
  Text& extraHeaders = options.extraHeaders ? *options.extraHeaders : localHeaders;
  Text& returnedHeaders = options.returnedHeaders ? *options.returnedHeaders : localReturnedHeaders;
  Text& returnedCookies = options.returnedCookies ? *options.returnedCookies : localReturnedCookies;
  Bytes& postBytes = options.postBytes ? *options.postBytes : localPostBytes;

  const Text agent = PickUserAgent(extraHeaders);
  OpenHandles handles(transport);
  const Text proxy = options.proxy.value_or(Text());
  HttpHandle internet;
  if (proxy.empty()) {
    internet = transport.InternetOpenA(agent, kAccessDirect, Text(), Text(), 0);
  } else {
    const Text proxyText = secure ? proxy : TextConcat("http=", proxy);
    internet = transport.InternetOpenA(agent, kAccessProxy, proxyText, Text::PresentEmpty(), 0);
  }
  if (handles.Add(internet) == nullptr) return Bytes();

  HttpHandle connection = transport.InternetConnectA(internet, UrlHost(url), UrlPort(url), Text(), Text(),
                                                     kServiceHttp, 0, 0);
  if (handles.Add(connection) == nullptr) return Bytes();

  const uint32_t flags = HttpRequestFlags(options.cookies != nullptr, options.noRedirect.value_or(false), secure);
  HttpHandle request = transport.HttpOpenRequestA(connection, verb, UrlPath(url), Text("HTTP/1.1"), Text(), nullptr,
                                                  flags, 0);
  if (handles.Add(request) == nullptr) return Bytes();

  // From here on the caller's extraHeaders holds exactly the header text that is sent.
  if (completeHeaders) AddDefaultHeaders(extraHeaders, url, method);
  extraHeaders = NormalizeHeaderNames(extraHeaders);
  if (options.cookies != nullptr) AppendCookieLine(extraHeaders, *options.cookies);

  const auto headersLength = static_cast<uint32_t>(TextLength(extraHeaders));
  if (method == 0) {
    transport.HttpSendRequestA(request, extraHeaders, headersLength, nullptr, 0);
  } else {
    if (postBytes.empty()) postBytes = TextToBytes(options.postText.value_or(Text()));
    transport.HttpSendRequestA(request, extraHeaders, headersLength, postBytes.Data(),
                               static_cast<uint32_t>(BytesLength(postBytes)));
  }

  // One growing buffer, handed back without a copy.
  std::string body;
  char chunk[kReadChunk];
  for (;;) {
    uint32_t count = 0;
    transport.InternetReadFile(request, chunk, kReadChunk, &count);
    if (count == 0) break;
    body.append(chunk, count);
  }

  char raw[kRawHeaderBuffer];
  std::memset(raw, ' ', sizeof raw);
  uint32_t rawLength = kRawHeaderBuffer;
  if (transport.HttpQueryInfoA(request, kQueryRawHeadersCrlf, raw, &rawLength, nullptr)) {
    returnedHeaders = Text(std::string_view(raw, strnlen(raw, sizeof raw)));
  } else {
    returnedHeaders = BlankText(static_cast<int>(kRawHeaderBuffer));
  }
  handles.CloseAll();

  returnedCookies = CollectSetCookies(returnedHeaders);
  if (mergeCookies && options.cookies != nullptr) returnedCookies = MergeCookies(*options.cookies, returnedCookies);
  return Bytes(std::move(body));
}

Bytes HttpRequest(std::string_view url, const HttpRequestOptions& options) {
  return HttpRequest(DefaultHttpTransport(), url, options);
}

}  // namespace zicha
