#include "server/address.h"

#include "codec/base64.h"
#include "codec/codepage.h"
#include "codec/wide.h"

namespace zicha::server {
namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// The value of the form field `name`, %XX escapes decoded; false when absent or badly escaped.
bool FormField(std::string_view body, std::string_view name, std::string& value) {
  while (!body.empty()) {
    const size_t amp = body.find('&');
    std::string_view field = body.substr(0, amp);
    body = amp == std::string_view::npos ? std::string_view() : body.substr(amp + 1);
    if (field.substr(0, name.size()) != name || field.size() <= name.size() || field[name.size()] != '=') continue;
    field.remove_prefix(name.size() + 1);
    value.clear();
    for (size_t i = 0; i < field.size(); ++i) {
      if (field[i] != '%') {
        value.push_back(field[i]);
        continue;
      }
      if (i + 2 >= field.size() || HexValue(field[i + 1]) < 0 || HexValue(field[i + 2]) < 0) return false;
      value.push_back(static_cast<char>(HexValue(field[i + 1]) * 16 + HexValue(field[i + 2])));
      i += 2;
    }
    return true;
  }
  return false;
}

// Code page 936 bytes to UTF-8; false when they are not valid 936 text.
bool Gbk936ToUtf8(std::string_view bytes, std::string& utf8) {
  if (bytes.find('\0') != std::string_view::npos) return false;
  const WideText wide = ToWide(Text(bytes), kCp936);
  // A byte sequence that 936 does not define comes back as "?" where there was none.
  size_t questionMarksIn = 0, questionMarksOut = 0;
  for (char c : bytes) questionMarksIn += c == '?';
  for (char16_t u : wide) questionMarksOut += u == u'?';
  if (questionMarksOut != questionMarksIn) return false;
  utf8 = FromWide(wide, kCpUtf8).str();
  return true;
}

}  // namespace

DecodedAddress DecodeLookupBody(std::string_view body) {
  DecodedAddress result;
  std::string value;
  if (!FormField(body, "data", value)) return result;
  Bytes layer1, layer2;
  if (!Base64Decode(value, layer1) || !Base64Decode(layer1.view(), layer2)) return result;
  std::string utf8;
  if (!Gbk936ToUtf8(layer2.view(), utf8)) return result;
  result.address = NormalizeAddress(utf8);
  if (result.address.empty()) {
    result.status = AddressStatus::kEmpty;
  } else {
    result.status = IsPlausibleAddress(result.address) ? AddressStatus::kOk : AddressStatus::kImplausible;
  }
  return result;
}

std::string NormalizeAddress(std::string_view utf8) {
  auto space = [](std::string_view s, bool front) -> size_t {
    if (s.empty()) return 0;
    if (front ? (s.front() == ' ' || s.front() == '\t') : (s.back() == ' ' || s.back() == '\t')) return 1;
    constexpr std::string_view kIdeographicSpace = "\xE3\x80\x80";
    if (front ? s.substr(0, 3) == kIdeographicSpace : (s.size() >= 3 && s.substr(s.size() - 3) == kIdeographicSpace))
      return 3;
    return 0;
  };
  while (size_t n = space(utf8, true)) utf8.remove_prefix(n);
  while (size_t n = space(utf8, false)) utf8.remove_suffix(n);
  std::string out(utf8);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

bool IsPlausibleAddress(std::string_view a) {
  if (a.size() > 254) return false;
  for (char c : a)
    if (static_cast<unsigned char>(c) <= 0x20 || c == 0x7F) return false;
  const size_t at = a.find('@');
  if (at == std::string_view::npos || a.find('@', at + 1) != std::string_view::npos) return false;
  const std::string_view local = a.substr(0, at), domain = a.substr(at + 1);
  if (local.empty() || local.size() > 64) return false;
  const size_t dot = domain.find('.');
  return dot != std::string_view::npos && dot > 0 && domain.back() != '.';
}

}  // namespace zicha::server
