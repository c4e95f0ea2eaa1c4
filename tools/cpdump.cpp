// Dumps what the platform's code-page functions make of every input that matters to the system:
//   W <code point>: the code page 936 bytes of every BMP code point (UTF-16 -> 936)
//   M <bytes>:      the UTF-16 units of every single byte and every lead/trail pair of 936
//   U <bytes>:      the UTF-16 units of a fixed set of invalid (and some valid) UTF-8 inputs
// Run natively and under Wine, the two outputs must agree but for the listed differences.
#include <cstdio>
#include <string>
#include <vector>

#include "codec/codepage.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

using zicha::kCp936;
using zicha::kCpUtf8;

std::string Hex(const std::string& bytes) {
  std::string out;
  char buf[4];
  for (unsigned char b : bytes) {
    std::snprintf(buf, sizeof buf, "%02X", b);
    if (!out.empty()) out.push_back(' ');
    out += buf;
  }
  return out;
}

std::string Units(unsigned codePage, const std::string& bytes) {
  std::u16string units(bytes.size() + 2, u'\0');
  int n = zicha::MultiByteToWideChar(codePage, 0, bytes.c_str(), -1, units.data(), static_cast<int>(units.size()));
  std::string out;
  char buf[8];
  for (int i = 0; i + 1 < n; ++i) {  // the terminator is left out
    std::snprintf(buf, sizeof buf, "%04X", static_cast<unsigned>(units[static_cast<size_t>(i)]));
    if (!out.empty()) out.push_back(' ');
    out += buf;
  }
  return out;
}

}  // namespace

int main() {
#ifdef _WIN32
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  for (unsigned u = 1; u <= 0xFFFF; ++u) {
    const char16_t in[2] = {static_cast<char16_t>(u), 0};
    char out[16] = {};
    int n = zicha::WideCharToMultiByte(kCp936, 0, in, -1, out, sizeof out, nullptr, nullptr);
    std::printf("W %04X: %s\n", u, Hex(std::string(out, n > 0 ? static_cast<size_t>(n - 1) : 0)).c_str());
  }
  for (unsigned b = 1; b <= 0xFF; ++b) {
    const std::string s(1, static_cast<char>(b));
    std::printf("M %s: %s\n", Hex(s).c_str(), Units(kCp936, s).c_str());
  }
  for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
    for (unsigned trail = 0x01; trail <= 0xFF; ++trail) {
      const std::string s{static_cast<char>(lead), static_cast<char>(trail)};
      std::printf("M %s: %s\n", Hex(s).c_str(), Units(kCp936, s).c_str());
    }
  }
  const std::vector<std::string> utf8 = {
      "\xE4\xB8\xAD",          // valid 中
      "\xF0\x9F\x98\x80",      // valid, outside the BMP
      "\xE4\xB8",              // truncated
      "\xE4",                  // truncated to the lead
      "\xF0\x9F\x98",          // truncated four-byte
      "a\xE4\xB8z",            // truncated in the middle
      "\xC0\x80",              // overlong NUL
      "\xC1\xBF",              // overlong
      "\xE0\x80\x80",          // overlong three-byte
      "\xE0\x9F\xBF",          // overlong three-byte, high
      "\xF0\x80\x80\x80",      // overlong four-byte
      "\xED\xA0\x80",          // high surrogate
      "\xED\xBF\xBF",          // low surrogate
      "\xED\xA0\xBD\xED\xB8\x80",  // surrogate pair encoded separately
      "\xF4\x90\x80\x80",      // above U+10FFFF
      "\xF5\x80\x80\x80",      // invalid lead
      "\xF8\x88\x80\x80\x80",  // five-byte form
      "\xFE",                  // never valid
      "\xFF",                  // never valid
      "\x80",                  // stray continuation
      "\xBF\xBF",              // stray continuations
      "a\x80" "b",             // stray in text
      "\xC2",                  // lone two-byte lead
      "\xC2" "A",              // two-byte lead then ASCII
      "\xE4\xB8\xE4\xB8\xAD",  // truncated then valid
      "\xEF\xBB\xBF" "x",      // byte-order mark
      "\xEF\xBF\xBF",          // U+FFFF
      "\xF4\x8F\xBF\xBF",      // U+10FFFF
      "\xE0\x80",              // overlong, truncated
      "\xE0\x80" "A",          // overlong, then ASCII
      "\xF0\x90\x80" "A",     // truncated four-byte, then ASCII
      "\xF0\x90" "A",          // truncated four-byte, then ASCII
      "\xF0\x8F\x80\x80",    // overlong four-byte, high
      "\xF4\x8F\xBF",         // truncated U+10FFFF
      "\xC0\xAF" "A",          // overlong slash
      "\xE4\xB8\xAD\xE4",    // valid then truncated at the end
      "\xF0\x9F",              // truncated four-byte at the end
      "\xE1\x80\xC0",         // continuation replaced by a lead
      "\xF0" "A",               // four-byte lead two bytes before the end
      "\xF0\xE2",              // four-byte lead, then a three-byte lead, at the end
      "a\xE2",                  // three-byte lead as the last byte
      "\xF0" "AB",              // four-byte lead with three bytes left
  };
  for (const std::string& s : utf8) std::printf("U %s: %s\n", Hex(s).c_str(), Units(kCpUtf8, s).c_str());
  return 0;
}
