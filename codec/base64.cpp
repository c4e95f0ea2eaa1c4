#include "codec/base64.h"

#include <string>

namespace zicha {
namespace {
constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
}

Text Base64Encode(const Bytes& data) {
  const size_t n = data.size();
  if (n == 0) return Text();
  std::string out((n + 2) / 3 * 4, '=');
  size_t j = 0, i = 0;
  // Missing bytes of the last group count as zero; the characters they would give are the padding.
  for (; i < n; i += 3, j += 4) {
    const unsigned t0 = data[i];
    const unsigned t1 = i + 1 < n ? data[i + 1] : 0u;
    const unsigned t2 = i + 2 < n ? data[i + 2] : 0u;
    out[j] = kAlphabet[t0 >> 2];
    out[j + 1] = kAlphabet[((t0 & 3u) << 4) | (t1 >> 4)];
    if (i + 1 < n) out[j + 2] = kAlphabet[((t1 & 15u) << 2) | (t2 >> 6)];
    if (i + 2 < n) out[j + 3] = kAlphabet[t2 & 63u];
  }
  return Text(std::move(out));
}

bool Base64Decode(std::string_view text, Bytes& out) {
  out = Bytes();
  if (text.size() % 4 != 0) return false;
  auto value = [](char c) -> int {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
  };
  std::string bytes;
  bytes.reserve(text.size() / 4 * 3);
  for (size_t i = 0; i < text.size(); i += 4) {
    const bool last = i + 4 == text.size();
    const int pads = (text[i + 3] == '=') + (text[i + 2] == '=');
    if (pads > 0 && (!last || (pads == 1 && text[i + 2] == '='))) return false;
    int v[4];
    for (int k = 0; k < 4 - pads; ++k)
      if ((v[k] = value(text[i + static_cast<size_t>(k)])) < 0) return false;
    bytes.push_back(static_cast<char>(v[0] << 2 | v[1] >> 4));
    if (pads == 2) {
      if ((v[1] & 0x0F) != 0) return false;
      break;
    }
    bytes.push_back(static_cast<char>((v[1] & 0x0F) << 4 | v[2] >> 2));
    if (pads == 1) {
      if ((v[2] & 0x03) != 0) return false;
      break;
    }
    bytes.push_back(static_cast<char>((v[2] & 0x03) << 6 | v[3]));
  }
  out = Bytes(std::move(bytes));
  return true;
}

Text EncodeEmail(std::string_view address) {
  return Base64Encode(TextToBytes(Base64Encode(TextToBytes(address))));
}

}  // namespace zicha
