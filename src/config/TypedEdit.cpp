#include "config/TypedEdit.h"

#include <algorithm>

char32_t UpperCaseLetter(char32_t c) {
  if (c >= U'a' && c <= U'z') {
    return c - (U'a' - U'A');
  }
  // à..þ, except the division sign, have their capitals 32 below.
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) {
    return c - 0x20;
  }
  return c;
}

CTypedEdit ApplyTypedEdit(const std::u32string& before, const std::u32string& after,
                          std::size_t maxChars, bool upperCase) {
  // The edit replaced before[prefix, before.size() - suffix) by after[prefix, after.size() -
  // suffix): find the longest common ends without letting them overlap.
  const std::size_t shorter = std::min(before.size(), after.size());
  std::size_t prefix = 0;
  while (prefix < shorter && before[prefix] == after[prefix]) {
    ++prefix;
  }
  std::size_t suffix = 0;
  while (suffix < shorter - prefix &&
         before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
    ++suffix;
  }
  std::u32string inserted = after.substr(prefix, after.size() - suffix - prefix);
  const std::size_t kept = before.size() - (before.size() - suffix - prefix);  // untouched chars

  const std::size_t room = maxChars > kept ? maxChars - kept : 0;
  if (inserted.size() > room) {
    inserted.resize(room);
    // Nothing of the insertion fits and nothing was replaced: the keystroke is refused.
    if (inserted.empty() && after.size() >= before.size()) {
      return {before, prefix};
    }
  }
  if (upperCase) {
    std::transform(inserted.begin(), inserted.end(), inserted.begin(), UpperCaseLetter);
  }
  std::u32string text = before.substr(0, prefix) + inserted + before.substr(before.size() - suffix);
  return {text, prefix + inserted.size()};
}
