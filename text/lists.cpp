#include "text/lists.h"

#include <string>
#include <unordered_set>

#include "text/text_ops.h"

namespace zicha {

Text UniqueJoin(std::string_view text, std::string_view separator, bool split) {
  TextList members;
  if (split) {
    members = TextSplit(text, separator);
  } else {
    SplitCharacters(text, members);
  }
  // A hash set gives the same first-occurrence result as looking each member up in the members
  // kept so far, without the quadratic cost.
  std::unordered_set<std::string_view> seen;
  seen.reserve(members.size());
  std::string joined;
  for (const Text& m : members) {
    if (!seen.insert(m.view()).second) continue;
    joined.append(m.view());
    joined.append(separator);
  }
  return TextLeft(joined, TextLength(joined) - TextLength(separator));
}

int SplitCharacters(std::string_view text, TextList& list) {
  TextListClear(list);
  const size_t n = text.size();
  for (size_t i = 0; i < n;) {
    size_t step = 1;
    if (i + 1 < n) {
      const auto b = static_cast<unsigned char>(text[i]);
      if (b >= 0x81 || (b == 0x0D && text[i + 1] == 0x0A)) step = 2;
    }
    TextListAppend(list, Text(text.substr(i, step)));
    i += step;
  }
  return TextListCount(list);
}

int ListIndexOf(const TextList& list, std::string_view text) {
  const int count = TextListCount(list);
  for (int i = 1; i <= count; ++i)
    if (TextCompare(TextListAt(list, i), text) == 0) return i;
  return -1;
}

}  // namespace zicha
