// The code-page seam on Linux. UTF-8 is decoded and encoded here, following the replacement rules
// of the Windows functions; code page 936 goes through two tables filled once from glibc's iconv
// (CP936, which like Windows maps 0x80 to the euro sign), completed by the mappings that only
// Windows has (user-defined areas, best-fit encodings: cp936_windows_extra.inc). Converting through
// tables keeps every call linear and independent of iconv's own handling of invalid input.
#include <iconv.h>

#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "codec/codepage.h"
#include "platform/fatal_error.h"

namespace zicha {
namespace {

constexpr char16_t kReplacement = 0xFFFD;
constexpr char16_t kDefault936 = u'?';

bool IsHighSurrogate(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

#include "codec/cp936_windows_extra.inc"

class Iconv {
 public:
  Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) FatalError(std::string("iconv: 无法打开转换 ") + from + " -> " + to);
  }
  ~Iconv() { iconv_close(cd_); }
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;

  // Converts `in` whole; returns false when iconv refuses any of it.
  bool Convert(const char* in, size_t inLength, char* out, size_t outCapacity, size_t* written) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char* inPtr = const_cast<char*>(in);
    char* outPtr = out;
    size_t outLeft = outCapacity;
    size_t r = iconv(cd_, &inPtr, &inLength, &outPtr, &outLeft);
    if (r == static_cast<size_t>(-1) || inLength != 0) return false;
    // Flush any shift state (none for these encodings, but iconv may buffer).
    if (iconv(cd_, nullptr, nullptr, &outPtr, &outLeft) == static_cast<size_t>(-1)) return false;
    *written = outCapacity - outLeft;
    return true;
  }

 private:
  iconv_t cd_;
};

// Code page 936 in both directions. decode[lead][trail] gives the character of a double-byte
// sequence (0 when unmapped); single[b] the character of a single byte (0 when unmapped, except
// for the zero byte). encode[u] gives the bytes of U+u: a value below 0x100 is one byte, otherwise
// lead << 8 | trail; 0 means not representable (except for U+0000).
struct Tables936 {
  std::array<char16_t, 256> single{};
  std::vector<char16_t> decode = std::vector<char16_t>(256 * 256, 0);
  std::vector<uint16_t> encode = std::vector<uint16_t>(65536, 0);

  Tables936() {
    Iconv toUtf16("UTF-16LE", "CP936");
    char out[8];
    size_t written = 0;
    for (int b = 0; b < 0x80; ++b) single[static_cast<size_t>(b)] = static_cast<char16_t>(b);
    for (int b = 0x80; b <= 0xFF; ++b) {
      const char in[1] = {static_cast<char>(b)};
      if (toUtf16.Convert(in, 1, out, sizeof out, &written) && written == 2) single[static_cast<size_t>(b)] = Unit(out);
    }
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
      for (int trail = 0x40; trail <= 0xFE; ++trail) {
        const char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
        if (toUtf16.Convert(in, 2, out, sizeof out, &written) && written == 2)
          decode[static_cast<size_t>(lead * 256 + trail)] = Unit(out);
      }
    }
    for (const auto& [bytes, unit] : kExtraDecode) {
      if (bytes < 0x100) {
        single[bytes] = unit;
      } else {
        decode[bytes] = unit;
      }
    }
    Iconv fromUtf16("CP936", "UTF-16LE");
    for (unsigned u = 1; u <= 0xFFFF; ++u) {
      if (u >= 0xD800 && u <= 0xDFFF) continue;
      const char in[2] = {static_cast<char>(u & 0xFF), static_cast<char>(u >> 8)};
      if (!fromUtf16.Convert(in, 2, out, sizeof out, &written)) continue;
      if (written == 1) {
        encode[u] = static_cast<unsigned char>(out[0]);
      } else if (written == 2) {
        encode[u] = static_cast<uint16_t>(static_cast<unsigned char>(out[0]) << 8 | static_cast<unsigned char>(out[1]));
      }
    }
    for (const auto& [unit, bytes] : kExtraEncode) encode[unit] = bytes;
  }

  static char16_t Unit(const char* le) {
    return static_cast<char16_t>(static_cast<unsigned char>(le[0]) | static_cast<unsigned char>(le[1]) << 8);
  }
};

const Tables936& Tables() {
  static const Tables936 tables;
  return tables;
}

// Appends units to a sink that either counts or writes into a bounded buffer.
template <class Unit>
class Sink {
 public:
  Sink(Unit* destination, int capacity)
      : out_(capacity > 0 ? destination : nullptr), capacity_(capacity > 0 ? static_cast<size_t>(capacity) : 0) {}
  void Put(Unit u) {
    if (count_ < capacity_) out_[count_] = u;
    ++count_;
  }
  // The Windows result: the count when measuring or when it fit, else 0.
  int Result() const {
    if (out_ == nullptr || count_ <= capacity_) return static_cast<int>(count_);
    return 0;
  }

 private:
  Unit* out_;
  size_t capacity_;
  size_t count_ = 0;
};

// UTF-8 to UTF-16 as Windows does it: an ill-formed sequence becomes one U+FFFD for the longest
// prefix of a well-formed sequence, or for a single byte when there is none, except that a first
// continuation byte outside the lead's range (overlong forms, surrogates, above U+10FFFF) is taken
// into that U+FFFD with the lead.
void DecodeUtf8(const unsigned char* s, size_t n, Sink<char16_t>& sink) {
  size_t i = 0;
  while (i < n) {
    const unsigned b = s[i];
    if (b < 0x80) {
      sink.Put(static_cast<char16_t>(b));
      ++i;
      continue;
    }
    size_t need;
    unsigned code, lo = 0x80, hi = 0xBF;
    if (b >= 0xC2 && b <= 0xDF) {
      need = 1, code = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
      need = 2, code = b & 0x0F;
      if (b == 0xE0) lo = 0xA0;
      if (b == 0xED) hi = 0x9F;  // no surrogates
    } else if (b >= 0xF0 && b <= 0xF4) {
      need = 3, code = b & 0x07;
      if (b == 0xF0) lo = 0x90;
      if (b == 0xF4) hi = 0x8F;
    } else {
      sink.Put(kReplacement);
      ++i;
      continue;
    }
    // A lead that needs more bytes than are left before the end (terminator included) makes all
    // of them one U+FFFD, as kernel32 does; the terminator itself is kept.
    if (need > n - 1 - i) {
      sink.Put(kReplacement);
      if (s[n - 1] == 0) sink.Put(0);
      break;
    }
    // Take continuation bytes; on the first fault the bytes taken so far become one U+FFFD.
    size_t k = 1;
    bool bad = false;
    for (; k <= need; ++k) {
      const unsigned c = s[i + k];  // in range: the end was handled above
      if (c < 0x80 || c > 0xBF) {
        bad = true;
        break;
      }
      if (c < lo || c > hi) {  // overlong, a surrogate or above U+10FFFF: Windows takes this byte too
        ++k;
        bad = true;
        break;
      }
      code = (code << 6) | (c & 0x3F);
      lo = 0x80, hi = 0xBF;
    }
    if (bad) {
      sink.Put(kReplacement);
      i += k;
      continue;
    }
    if (code >= 0x10000) {
      code -= 0x10000;
      sink.Put(static_cast<char16_t>(0xD800 + (code >> 10)));
      sink.Put(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
    } else {
      sink.Put(static_cast<char16_t>(code));
    }
    i += need + 1;
  }
}

// UTF-16 to UTF-8; a lone surrogate becomes U+FFFD.
void EncodeUtf8(const char16_t* s, size_t n, Sink<char>& sink) {
  for (size_t i = 0; i < n; ++i) {
    unsigned u = s[i];
    if (IsHighSurrogate(s[i]) && i + 1 < n && IsLowSurrogate(s[i + 1])) {
      u = 0x10000 + ((u - 0xD800) << 10) + (s[i + 1] - 0xDC00u);
      ++i;
    } else if (IsHighSurrogate(s[i]) || IsLowSurrogate(s[i])) {
      u = kReplacement;
    }
    if (u < 0x80) {
      sink.Put(static_cast<char>(u));
    } else if (u < 0x800) {
      sink.Put(static_cast<char>(0xC0 | (u >> 6)));
      sink.Put(static_cast<char>(0x80 | (u & 0x3F)));
    } else if (u < 0x10000) {
      sink.Put(static_cast<char>(0xE0 | (u >> 12)));
      sink.Put(static_cast<char>(0x80 | ((u >> 6) & 0x3F)));
      sink.Put(static_cast<char>(0x80 | (u & 0x3F)));
    } else {
      sink.Put(static_cast<char>(0xF0 | (u >> 18)));
      sink.Put(static_cast<char>(0x80 | ((u >> 12) & 0x3F)));
      sink.Put(static_cast<char>(0x80 | ((u >> 6) & 0x3F)));
      sink.Put(static_cast<char>(0x80 | (u & 0x3F)));
    }
  }
}

// Code page 936 to UTF-16. A lead byte takes the byte after it whatever that is, unless it is the
// zero byte or the input has ended; an unmapped pair, a lone lead byte and an unmapped single byte
// each become the default character.
void Decode936(const unsigned char* s, size_t n, Sink<char16_t>& sink) {
  const Tables936& t = Tables();
  for (size_t i = 0; i < n;) {
    const unsigned b = s[i];
    if (b >= 0x81 && b <= 0xFE && i + 1 < n && s[i + 1] != 0) {
      const char16_t u = t.decode[b * 256 + s[i + 1]];
      sink.Put(u != 0 ? u : kDefault936);
      i += 2;
      continue;
    }
    const char16_t u = t.single[b];
    sink.Put(u != 0 || b == 0 ? u : kDefault936);
    ++i;
  }
}

// UTF-16 to code page 936; what it cannot hold, lone surrogates included, becomes "?".
void Encode936(const char16_t* s, size_t n, Sink<char>& sink) {
  const Tables936& t = Tables();
  for (size_t i = 0; i < n; ++i) {
    if (s[i] < 0x80) {
      sink.Put(static_cast<char>(s[i]));
      continue;
    }
    const uint16_t code = t.encode[s[i]];
    if (code == 0) {
      sink.Put(static_cast<char>(kDefault936));
    } else if (code < 0x100) {
      sink.Put(static_cast<char>(code));
    } else {
      sink.Put(static_cast<char>(code >> 8));
      sink.Put(static_cast<char>(code & 0xFF));
    }
  }
}

unsigned Resolve(unsigned codePage) { return codePage == kCpAcp ? kCp936 : codePage; }

}  // namespace

int MultiByteToWideChar(unsigned codePage, uint32_t /*flags*/, const char* source, int sourceLength,
                        char16_t* destination, int capacity) {
  codePage = Resolve(codePage);
  if (source == nullptr || capacity < 0 || (codePage != kCpUtf8 && codePage != kCp936)) return 0;
  const size_t n = sourceLength < 0 ? std::strlen(source) + 1 : static_cast<size_t>(sourceLength);
  Sink<char16_t> sink(destination, capacity);
  const auto* bytes = reinterpret_cast<const unsigned char*>(source);
  if (codePage == kCpUtf8) {
    DecodeUtf8(bytes, n, sink);
  } else {
    Decode936(bytes, n, sink);
  }
  return sink.Result();
}

int WideCharToMultiByte(unsigned codePage, uint32_t /*flags*/, const char16_t* source, int sourceLength,
                        char* destination, int capacity, const char* defaultChar, int* usedDefault) {
  codePage = Resolve(codePage);
  if (source == nullptr || capacity < 0 || defaultChar != nullptr || usedDefault != nullptr ||
      (codePage != kCpUtf8 && codePage != kCp936))
    return 0;
  size_t n = 0;
  if (sourceLength < 0) {
    while (source[n] != 0) ++n;
    ++n;  // the terminator is converted too
  } else {
    n = static_cast<size_t>(sourceLength);
  }
  Sink<char> sink(destination, capacity);
  if (codePage == kCpUtf8) {
    EncodeUtf8(source, n, sink);
  } else {
    Encode936(source, n, sink);
  }
  return sink.Result();
}

}  // namespace zicha
