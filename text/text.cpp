#include "text/text.h"

#include <cassert>
#include <cstring>

namespace zicha {

void Text::Assign(std::string&& bytes) {
  size_t zero = bytes.find('\0');
  if (zero != std::string::npos) bytes.resize(zero);
  bytes_ = std::move(bytes);
  present_ = !bytes_.empty();
}

int TextListCount(const TextList& list) { return static_cast<int>(list.size()); }

const Text& TextListAt(const TextList& list, int i) {
  assert(i >= 1 && i <= TextListCount(list));
  return list[static_cast<size_t>(i - 1)];
}

void TextListAppend(TextList& list, const Text& text) { list.push_back(text); }

void TextListClear(TextList& list) { list.clear(); }

}  // namespace zicha
