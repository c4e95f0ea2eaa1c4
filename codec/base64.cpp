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

Text EncodeEmail(std::string_view address) {
  return Base64Encode(TextToBytes(Base64Encode(TextToBytes(address))));
}

}  // namespace zicha
