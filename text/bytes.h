#pragma once
// Bytes: a byte buffer with an explicit length that may hold zero bytes, and its primitives.
//
// An empty Bytes is absent: Data() is then a null pointer, which is what a platform call gets for
// it. Every primitive returns a new value and changes none of its arguments; a count or start
// outside the buffer gives an empty result, never an error.

#include <string>
#include <string_view>
#include <initializer_list>

#include "text/text.h"

namespace zicha {

class Bytes {
 public:
  Bytes() = default;
  explicit Bytes(std::string_view bytes) : bytes_(bytes) {}
  // Takes over `bytes` without copying.
  explicit Bytes(std::string&& bytes) : bytes_(std::move(bytes)) {}

  bool empty() const { return bytes_.empty(); }
  size_t size() const { return bytes_.size(); }
  // Null for an empty buffer.
  const char* Data() const { return bytes_.empty() ? nullptr : bytes_.data(); }
  std::string_view view() const { return bytes_; }
  unsigned char operator[](size_t i) const { return static_cast<unsigned char>(bytes_[i]); }

  friend bool operator==(const Bytes& a, const Bytes& b) { return a.bytes_ == b.bytes_; }

 private:
  std::string bytes_;
};

// The bytes of the text, without a terminator.
Bytes TextToBytes(std::string_view text);
// The bytes before the first zero byte (all when there is none); empty Bytes give the absent text.
Text BytesToText(const Bytes& bytes);
int BytesLength(const Bytes& bytes);
// Empty when count <= 0; else the first count bytes, or all when there are fewer.
Bytes BytesLeft(const Bytes& bytes, int count);
// start is first moved into 1..length+1 (so below 1 counts as 1, unlike TextMid); a negative count
// counts as 0. count bytes from start, or all bytes to the end when fewer remain.
Bytes BytesMid(const Bytes& bytes, int start, int count);
// All parts in order, built in one piece; empty when the total is 0.
Bytes BytesConcat(std::initializer_list<std::string_view> parts);
template <class... Parts>
Bytes BytesConcat(const Parts&... parts) {
  static_assert(sizeof...(Parts) >= 2, "BytesConcat joins two or more buffers");
  return BytesConcat({parts.view()...});
}
// count zero bytes; empty when count <= 0.
Bytes BlankBytes(int count);

}  // namespace zicha
