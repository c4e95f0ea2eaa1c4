#pragma once
// Text: the system's string value, and TextList, an ordered list of texts.
//
// A Text is a byte string in code page 936 (GBK) that holds no zero byte. An empty Text is either
// absent (no storage) or present. The two are equal for every operation and differ only as an
// argument of a platform call: CStrOrNull() gives a null pointer for an absent text and a pointer
// to a zero byte for a present empty one.
//
// Text converts implicitly to std::string_view, which is what the primitives take, so passing a
// Text or a literal to a primitive never allocates.

#include <string>
#include <string_view>
#include <vector>

namespace zicha {

class Text {
 public:
  // The absent text.
  Text() = default;
  // The bytes of `bytes` up to its first zero byte. Empty gives the absent text.
  Text(std::string_view bytes) { Assign(std::string(bytes)); }
  Text(const char* bytes) : Text(bytes ? std::string_view(bytes) : std::string_view()) {}
  // Takes over `bytes` without copying; cut at its first zero byte. Empty gives the absent text.
  explicit Text(std::string&& bytes) { Assign(std::move(bytes)); }

  // The present empty text.
  static Text PresentEmpty() {
    Text t;
    t.present_ = true;
    return t;
  }

  bool IsAbsent() const { return !present_; }
  bool empty() const { return bytes_.empty(); }
  size_t size() const { return bytes_.size(); }
  const char* data() const { return bytes_.data(); }
  const std::string& str() const { return bytes_; }
  std::string_view view() const { return bytes_; }
  operator std::string_view() const { return bytes_; }

  // For platform calls: null for the absent text, otherwise a zero-terminated string.
  const char* CStrOrNull() const { return present_ ? bytes_.c_str() : nullptr; }

  friend bool operator==(const Text& a, const Text& b) { return a.bytes_ == b.bytes_; }
  friend bool operator==(const Text& a, std::string_view b) { return a.view() == b; }
  friend bool operator==(const Text& a, const char* b) { return a.view() == std::string_view(b ? b : ""); }

 private:
  void Assign(std::string&& bytes);

  std::string bytes_;
  bool present_ = false;
};

// Members are numbered from 1. A new list is empty.
using TextList = std::vector<Text>;

// The number of members.
int TextListCount(const TextList& list);
// Member i, 1 <= i <= count; any other index is outside the contract (checked in debug builds).
const Text& TextListAt(const TextList& list, int i);
// Adds a copy of `text` as the new last member; an absent text stays absent.
void TextListAppend(TextList& list, const Text& text);
// Releases every member and leaves the list empty.
void TextListClear(TextList& list);

}  // namespace zicha
