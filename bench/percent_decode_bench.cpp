// PercentDecode(text, fromUtf8 = true) on percent-encoded UTF-8 Chinese text of 1 MiB and 16 MiB,
// against a direct iconv UTF-8 -> CP936 conversion of the same decoded text (the floor).
#include <iconv.h>

#include <cstdio>
#include <string>

#include "bench/bench_util.h"
#include "codec/percent.h"

namespace {

// Percent-encoded UTF-8 of common Chinese characters and some ASCII, `size` bytes long.
std::string EncodedText(size_t size) {
  const std::string piece = "%E6%95%B0%E6%8D%AE%E6%B3%84%E9%9C%B2%E8%87%AA%E6%9F%A5 user%40example.com%0A";
  std::string out;
  out.reserve(size + piece.size());
  while (out.size() < size) out += piece;
  out.resize(size - size % 3);  // never end inside an escape of the piece
  return out;
}

std::string Decoded(const std::string& encoded) {
  return std::string(zicha::PercentDecode(encoded, false).view());
}

size_t IconvToGbk(const std::string& utf8) {
  iconv_t cd = iconv_open("CP936", "UTF-8");
  std::string out(utf8.size() + 16, '\0');
  char* in = const_cast<char*>(utf8.data());
  size_t inLeft = utf8.size(), outLeft = out.size();
  char* o = out.data();
  iconv(cd, &in, &inLeft, &o, &outLeft);
  iconv_close(cd);
  return out.size() - outLeft;
}

}  // namespace

int main() {
  std::printf("%-10s %12s %12s %10s\n", "size", "decode s", "iconv s", "decode/iconv");
  double small = 0, large = 0;
  for (size_t mib : {1u, 16u}) {
    const std::string encoded = EncodedText(mib << 20);
    const std::string utf8 = Decoded(encoded);
    size_t sink = 0;
    const int runs = mib == 1 ? 21 : 5;
    const double decode = zicha::bench::MedianSeconds(runs, [&] { sink += zicha::PercentDecode(encoded, true).size(); });
    const double floor = zicha::bench::MedianSeconds(runs, [&] { sink += IconvToGbk(utf8); });
    std::printf("%-10s %12.4f %12.4f %10.2fx\n", (std::to_string(mib) + " MiB").c_str(), decode, floor, decode / floor);
    (mib == 1 ? small : large) = decode;
    if (sink == 0) std::printf("(nothing decoded)\n");
  }
  std::printf("16 MiB / 1 MiB decode time: %.2fx (linear: about 16x; target at most 20x)\n", large / small);
  return 0;
}
