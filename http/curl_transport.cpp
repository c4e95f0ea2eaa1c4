#include "http/curl_transport.h"

#include <curl/curl.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "http/url.h"
#include "text/text_ops.h"

namespace zicha {
namespace {

constexpr int kMaxRedirects = 30;
// Body bytes held for InternetReadFile before the transfer is paused.
constexpr size_t kPauseAt = 256 * 1024;

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && TextFind(text.substr(0, prefix.size()), prefix, std::nullopt, true) == 1;
}

std::string Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r' || s.back() == '\n')) s.remove_suffix(1);
  return std::string(s);
}

// The "host:port" a WinINet proxy text gives for a scheme: an entry "scheme=host:port" for that
// scheme, else an entry without "=", else none (direct). Entries are separated by spaces or ";".
std::string ProxyFor(std::string_view proxyText, std::string_view scheme) {
  std::string bare;
  size_t i = 0;
  while (i < proxyText.size()) {
    size_t j = proxyText.find_first_of(" ;", i);
    if (j == std::string_view::npos) j = proxyText.size();
    std::string_view entry = proxyText.substr(i, j - i);
    i = j + 1;
    if (entry.empty()) continue;
    const size_t eq = entry.find('=');
    if (eq == std::string_view::npos) {
      if (bare.empty()) bare = std::string(entry);
    } else if (StartsWithNoCase(entry.substr(0, eq), scheme) && eq == scheme.size()) {
      return std::string(entry.substr(eq + 1));
    }
  }
  return bare;
}

struct Handle {
  virtual ~Handle() = default;
};

struct InternetHandle : Handle {
  std::string agent;
  std::string proxyText;  // empty: direct
};

struct ConnectHandle : Handle {
  InternetHandle internet;
  std::string host;
  int port = 0;
};

struct RequestHandle : Handle {
  ConnectHandle connection;
  std::string verb, path;
  uint32_t flags = 0;

  // What HttpSendRequestA was given.
  std::string headerText, body;

  // The hop being transferred.
  bool secure = false;
  std::string host, method;
  int port = 0;
  std::string target;  // the path of this hop

  CURL* easy = nullptr;
  CURLM* multi = nullptr;
  curl_slist* headerList = nullptr;
  curl_slist* proxyHeaderList = nullptr;
  bool transferDone = false;
  CURLcode result = CURLE_OK;

  // Answer headers of the current hop: the block being received, and the final one.
  std::string block;
  int blockStatus = 0;
  bool headersDone = false;
  std::string finalHeaders;
  bool failed = false;

  // Body bytes received and not yet read.
  std::string pending;
  size_t pendingOffset = 0;
  bool paused = false;

  ~RequestHandle() override { StopTransfer(); }

  void StopTransfer() {
    if (multi != nullptr) {
      if (easy != nullptr) curl_multi_remove_handle(multi, easy);
      curl_multi_cleanup(multi);
    }
    if (easy != nullptr) curl_easy_cleanup(easy);
    curl_slist_free_all(headerList);
    curl_slist_free_all(proxyHeaderList);
    easy = nullptr, multi = nullptr, headerList = nullptr, proxyHeaderList = nullptr;
  }
};

size_t OnHeader(char* data, size_t size, size_t count, void* user) {
  auto& r = *static_cast<RequestHandle*>(user);
  const size_t length = size * count;
  if (r.headersDone) return length;  // trailers of a chunked body
  std::string_view line(data, length);
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
  if (line.substr(0, 5) == "HTTP/") {
    r.block.clear();
    const size_t space = line.find(' ');
    r.blockStatus = space == std::string_view::npos ? 0 : TextToInt(line.substr(space + 1, 3));
  }
  if (line.empty()) {
    if (r.blockStatus >= 100 && r.blockStatus < 200) {
      r.block.clear();  // an interim answer such as 100 Continue
    } else {
      r.finalHeaders = r.block + "\r\n";
      r.headersDone = true;
    }
    return length;
  }
  r.block.append(line);
  r.block.append("\r\n");
  return length;
}

size_t OnBody(char* data, size_t size, size_t count, void* user) {
  auto& r = *static_cast<RequestHandle*>(user);
  if (r.pending.size() - r.pendingOffset >= kPauseAt) {
    r.paused = true;
    return CURL_WRITEFUNC_PAUSE;
  }
  r.pending.append(data, size * count);
  return size * count;
}

// The value of the first header line `name` (case-insensitive) of a raw header block.
std::string HeaderValue(std::string_view headers, std::string_view name) {
  for (const Text& line : TextSplit(headers, "\r\n")) {
    const std::string_view l = line.view();
    if (l.size() > name.size() && l[name.size()] == ':' && StartsWithNoCase(l, name))
      return Trim(l.substr(name.size() + 1));
  }
  return {};
}

}  // namespace

struct CurlTransport::State {
  CurlTransportOptions options;
  CURLSH* cookies = nullptr;
  std::unordered_map<HttpHandle, std::unique_ptr<Handle>> handles;

  template <class T>
  T* Find(HttpHandle h) {
    auto it = handles.find(h);
    return it == handles.end() ? nullptr : dynamic_cast<T*>(it->second.get());
  }

  HttpHandle Keep(std::unique_ptr<Handle> h) {
    HttpHandle key = h.get();
    handles.emplace(key, std::move(h));
    return key;
  }

  void StartTransfer(RequestHandle& r);
  void Drive(RequestHandle& r);
  bool Send(RequestHandle& r);
};

void CurlTransport::State::StartTransfer(RequestHandle& r) {
  r.StopTransfer();
  r.transferDone = false;
  r.result = CURLE_OK;
  r.block.clear();
  r.blockStatus = 0;
  r.headersDone = false;
  r.finalHeaders.clear();
  r.pending.clear();
  r.pendingOffset = 0;
  r.paused = false;

  CURL* easy = r.easy = curl_easy_init();
  r.multi = curl_multi_init();
  const std::string scheme = r.secure ? "https" : "http";
  const std::string origin = scheme + "://" + r.host + ":" + std::to_string(r.port);
  const std::string proxy = ProxyFor(r.connection.internet.proxyText, scheme);
  curl_easy_setopt(easy, CURLOPT_URL, (origin + "/").c_str());
  // The path reaches the server exactly as given; a plain request through a proxy names the
  // whole URL, as WinINet does.
  std::string target = r.target;
  if (!proxy.empty() && !r.secure)
    target = "http://" + r.host + (r.port == 80 ? "" : ":" + std::to_string(r.port)) + r.target;
  curl_easy_setopt(easy, CURLOPT_REQUEST_TARGET, target.c_str());
  curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_1);
  curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 0L);
  curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT, options.connectSeconds);
  curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, options.stallSeconds);
  curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, OnHeader);
  curl_easy_setopt(easy, CURLOPT_HEADERDATA, &r);
  curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, OnBody);
  curl_easy_setopt(easy, CURLOPT_WRITEDATA, &r);
  if (!options.caFile.empty()) curl_easy_setopt(easy, CURLOPT_CAINFO, options.caFile.c_str());
  // An empty proxy disables proxies, environment variables included; an empty no-proxy list
  // lets nothing bypass a proxy that is set.
  curl_easy_setopt(easy, CURLOPT_PROXY, proxy.empty() ? "" : ("http://" + proxy).c_str());
  curl_easy_setopt(easy, CURLOPT_NOPROXY, "");
  curl_easy_setopt(easy, CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L);
  if ((r.flags & kFlagNoCookies) == 0) {
    curl_easy_setopt(easy, CURLOPT_SHARE, cookies);
    curl_easy_setopt(easy, CURLOPT_COOKIEFILE, "");  // the in-memory cookie engine
  }
  // Only the caller's header lines, in WinINet's order: after Host the body's length, then the
  // agent (unless the caller's lines carry one), then the caller's lines; and removals of what
  // curl would add of its own.
  const bool withBody = r.method != "HEAD" && !(r.method == "GET" && r.body.empty());
  if (withBody || r.method == "HEAD") {
    const std::string length = "Content-Length: " + std::to_string(withBody ? r.body.size() : 0);
    r.headerList = curl_slist_append(r.headerList, length.c_str());
  }
  bool hasAccept = false, hasContentType = false, hasAgent = false;
  std::vector<std::string> lines;
  for (const Text& line : TextSplit(r.headerText, "\r\n")) {
    std::string l(line.view());
    const size_t colon = l.find(':');
    if (colon == std::string::npos) continue;
    const std::string name = TextLower(l.substr(0, colon)).str();
    hasAccept |= name == "accept";
    hasContentType |= name == "content-type";
    hasAgent |= name == "user-agent";
    // curl drops "Name:" with an empty value; "Name;" sends it empty.
    if (Trim(l.substr(colon + 1)).empty()) l = l.substr(0, colon) + ";";
    lines.push_back(std::move(l));
  }
  const std::string& agent = r.connection.internet.agent;
  if (!hasAgent && !agent.empty()) r.headerList = curl_slist_append(r.headerList, ("User-Agent: " + agent).c_str());
  for (const std::string& l : lines) r.headerList = curl_slist_append(r.headerList, l.c_str());
  if (!hasAgent) r.headerList = curl_slist_append(r.headerList, "User-Agent:");
  if (!hasAccept) r.headerList = curl_slist_append(r.headerList, "Accept:");
  if (!hasContentType) r.headerList = curl_slist_append(r.headerList, "Content-Type:");
  r.headerList = curl_slist_append(r.headerList, "Expect:");
  r.headerList = curl_slist_append(r.headerList, "Proxy-Connection:");
  r.proxyHeaderList = curl_slist_append(r.proxyHeaderList, "Proxy-Connection:");
  if (!agent.empty()) curl_easy_setopt(easy, CURLOPT_USERAGENT, agent.c_str());  // for a proxy's CONNECT

  if (r.method == "HEAD") {
    curl_easy_setopt(easy, CURLOPT_NOBODY, 1L);
  } else if (!withBody) {
    curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
  } else {
    // Any verb with a body (possibly empty).
    if (r.method != "POST") curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, r.method.c_str());
    curl_easy_setopt(easy, CURLOPT_POST, 1L);
    curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(r.body.size()));
    curl_easy_setopt(easy, CURLOPT_POSTFIELDS, r.body.c_str());
  }
  curl_easy_setopt(easy, CURLOPT_HTTPHEADER, r.headerList);
  curl_easy_setopt(easy, CURLOPT_PROXYHEADER, r.proxyHeaderList);
  curl_multi_add_handle(r.multi, easy);
}

// One round of work on the transfer: progress, then a bounded wait when nothing happened.
void CurlTransport::State::Drive(RequestHandle& r) {
  int running = 0;
  curl_multi_perform(r.multi, &running);
  int queued = 0;
  while (CURLMsg* msg = curl_multi_info_read(r.multi, &queued)) {
    if (msg->msg == CURLMSG_DONE) {
      r.transferDone = true;
      r.result = msg->data.result;
    }
  }
  if (!r.transferDone && !r.headersDone) curl_multi_poll(r.multi, nullptr, 0, 1000, nullptr);
}

bool CurlTransport::State::Send(RequestHandle& r) {
  for (int hop = 0;; ++hop) {
    StartTransfer(r);
    while (!r.headersDone && !r.transferDone) Drive(r);
    if (!r.headersDone) break;  // refused, reset, timed out, TLS failure...

    const int status = TextToInt(r.finalHeaders.substr(r.finalHeaders.find(' ') + 1, 3));
    const bool redirect = status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
    const std::string location = redirect ? HeaderValue(r.finalHeaders, "Location") : std::string();
    if ((r.flags & kFlagNoAutoRedirect) != 0 || location.empty()) return true;

    // Follow it as WinINet does.
    std::string next;
    const std::string origin = std::string(r.secure ? "https" : "http") + "://" + r.host + ":" + std::to_string(r.port);
    if (location.find("://") != std::string::npos) {
      next = location;
    } else if (location.rfind("//", 0) == 0) {
      next = (r.secure ? "https:" : "http:") + location;
    } else if (location.front() == '/') {
      next = origin + location;
    } else {
      const std::string path = r.target.substr(0, r.target.find_first_of("?#"));
      next = origin + path.substr(0, path.rfind('/') + 1) + location;
    }
    const bool nextSecure = StartsWithNoCase(next, "https://");
    if (!StartsWithNoCase(next, "http://") && !nextSecure) break;
    if (r.secure && !nextSecure) break;  // no silent downgrade
    if (!r.secure && nextSecure && (r.flags & kFlagIgnoreRedirectToHttps) == 0) break;
    if (hop + 1 >= kMaxRedirects) break;
    r.secure = nextSecure;
    r.host = UrlHost(next).str();
    r.port = UrlPort(next);
    r.target = UrlPath(next).str();
    if (status <= 303 && r.method != "HEAD") {
      // Continues as a GET without the body and without the body's type.
      r.method = "GET";
      r.body.clear();
      std::string kept;
      for (const Text& line : TextSplit(r.headerText, "\r\n")) {
        if (StartsWithNoCase(line, "Content-Type:")) continue;
        kept += (kept.empty() ? "" : "\r\n") + line.str();
      }
      r.headerText = kept;
    }
  }
  r.StopTransfer();
  r.failed = true;
  r.headersDone = false;
  r.finalHeaders.clear();
  return false;
}

CurlTransport::CurlTransport(CurlTransportOptions options) : state_(std::make_unique<State>()) {
  curl_global_init(CURL_GLOBAL_DEFAULT);
  state_->options = std::move(options);
  state_->cookies = curl_share_init();
  curl_share_setopt(state_->cookies, CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE);
}

CurlTransport::~CurlTransport() {
  state_->handles.clear();
  curl_share_cleanup(state_->cookies);
  curl_global_cleanup();
}

HttpHandle CurlTransport::InternetOpenA(const Text& agent, uint32_t accessType, const Text& proxy,
                                        const Text& /*proxyBypass*/, uint32_t /*flags*/) {
  auto h = std::make_unique<InternetHandle>();
  h->agent = agent.str();
  if (accessType == kAccessProxy) h->proxyText = proxy.str();
  return state_->Keep(std::move(h));
}

HttpHandle CurlTransport::InternetConnectA(HttpHandle internet, const Text& serverName, int port,
                                           const Text& /*userName*/, const Text& /*password*/, uint32_t service,
                                           uint32_t /*flags*/, uintptr_t /*context*/) {
  auto* parent = state_->Find<InternetHandle>(internet);
  if (parent == nullptr || serverName.empty() || service != kServiceHttp) return nullptr;
  auto h = std::make_unique<ConnectHandle>();
  h->internet = *parent;
  h->host = serverName.str();
  h->port = port;
  return state_->Keep(std::move(h));
}

HttpHandle CurlTransport::HttpOpenRequestA(HttpHandle connect, const Text& verb, const Text& objectName,
                                           const Text& /*version*/, const Text& /*referrer*/,
                                           const char* const* /*acceptTypes*/, uint32_t flags,
                                           uintptr_t /*context*/) {
  auto* parent = state_->Find<ConnectHandle>(connect);
  if (parent == nullptr) return nullptr;
  auto h = std::make_unique<RequestHandle>();
  h->connection = *parent;
  h->verb = verb.empty() ? "GET" : verb.str();
  h->path = objectName.empty() ? "/" : objectName.str();
  h->flags = flags;
  return state_->Keep(std::move(h));
}

bool CurlTransport::HttpSendRequestA(HttpHandle request, const Text& headers, uint32_t headersLength,
                                     const void* optional, uint32_t optionalLength) {
  auto* r = state_->Find<RequestHandle>(request);
  if (r == nullptr) return false;
  r->headerText = headers.str().substr(0, headersLength);
  r->body = optional != nullptr ? std::string(static_cast<const char*>(optional), optionalLength) : std::string();
  r->secure = (r->flags & kFlagSecure) != 0;
  r->host = r->connection.host;
  r->port = r->connection.port;
  r->target = r->path;
  r->method = r->verb;
  r->failed = false;
  return state_->Send(*r);
}

bool CurlTransport::InternetReadFile(HttpHandle file, void* buffer, uint32_t bytesToRead, uint32_t* bytesRead) {
  *bytesRead = 0;
  auto* r = state_->Find<RequestHandle>(file);
  if (r == nullptr || r->failed || r->easy == nullptr) return false;
  for (;;) {
    if (r->pendingOffset < r->pending.size()) {
      const size_t n = std::min<size_t>(bytesToRead, r->pending.size() - r->pendingOffset);
      std::memcpy(buffer, r->pending.data() + r->pendingOffset, n);
      r->pendingOffset += n;
      if (r->pendingOffset == r->pending.size()) r->pending.clear(), r->pendingOffset = 0;
      *bytesRead = static_cast<uint32_t>(n);
      return true;
    }
    if (r->paused) {
      r->paused = false;
      curl_easy_pause(r->easy, CURLPAUSE_CONT);  // may deliver the held bytes at once
      continue;
    }
    if (r->transferDone) return r->result == CURLE_OK;
    state_->Drive(*r);
    if (!r->transferDone && r->pending.empty() && !r->paused)
      curl_multi_poll(r->multi, nullptr, 0, 1000, nullptr);
  }
}

bool CurlTransport::HttpQueryInfoA(HttpHandle request, uint32_t infoLevel, void* buffer, uint32_t* bufferLength,
                                   uint32_t* /*index*/) {
  auto* r = state_->Find<RequestHandle>(request);
  if (r == nullptr || infoLevel != kQueryRawHeadersCrlf || !r->headersDone || bufferLength == nullptr) return false;
  const size_t need = r->finalHeaders.size() + 1;
  if (need > *bufferLength) {
    *bufferLength = static_cast<uint32_t>(need);
    return false;
  }
  std::memcpy(buffer, r->finalHeaders.c_str(), need);
  *bufferLength = static_cast<uint32_t>(need - 1);
  return true;
}

bool CurlTransport::InternetCloseHandle(HttpHandle handle) { return state_->handles.erase(handle) == 1; }

HttpTransport& DefaultHttpTransport() {
  static CurlTransport transport;
  return transport;
}

}  // namespace zicha
