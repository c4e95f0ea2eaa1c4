#include "text/bytes.h"

#include <algorithm>

namespace zicha {

Bytes TextToBytes(std::string_view text) { return Bytes(text); }

Text BytesToText(const Bytes& bytes) { return Text(bytes.view()); }  // Text stops at a zero byte

int BytesLength(const Bytes& bytes) { return static_cast<int>(bytes.size()); }

Bytes BytesLeft(const Bytes& bytes, int count) {
  if (count <= 0) return Bytes();
  return Bytes(bytes.view().substr(0, static_cast<size_t>(count)));
}

Bytes BytesMid(const Bytes& bytes, int start, int count) {
  const int length = BytesLength(bytes);
  start = std::clamp(start, 1, length + 1);
  count = std::max(count, 0);
  return Bytes(bytes.view().substr(static_cast<size_t>(start - 1), static_cast<size_t>(count)));
}

Bytes BytesConcat(std::initializer_list<std::string_view> parts) {
  size_t total = 0;
  for (std::string_view p : parts) total += p.size();
  std::string out;
  out.reserve(total);
  for (std::string_view p : parts) out.append(p);
  return Bytes(std::move(out));
}

Bytes BlankBytes(int count) { return count <= 0 ? Bytes() : Bytes(std::string(static_cast<size_t>(count), '\0')); }

}  // namespace zicha
