#include "sheet/TypedEdit.h"

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
  // The edit replaced the middle of `before` by the middle of `after`: what lies between their
  // longest common start and their longest common end, which do not overlap.
  const auto prefix = static_cast<std::size_t>(
      std::mismatch(before.begin(), before.end(), after.begin(), after.end()).first -
      before.begin());
  const auto suffix = static_cast<std::size_t>(
      std::mismatch(before.rbegin(), before.rend() - prefix, after.rbegin(), after.rend() - prefix)
          .first -
      before.rbegin());
  const std::size_t kept = prefix + suffix;
  std::u32string inserted = after.substr(prefix, after.size() - kept);

  const std::size_t room = maxChars - std::min(maxChars, kept);
  // Nothing of an insertion fits, and the edit would not shorten the text: it is refused whole.
  if (room == 0 && after.size() >= before.size()) {
    return {before, prefix};
  }
  inserted.resize(std::min(inserted.size(), room));
  if (upperCase) {
    std::transform(inserted.begin(), inserted.end(), inserted.begin(), UpperCaseLetter);
  }
  return {before.substr(0, prefix) + inserted + before.substr(before.size() - suffix),
          prefix + inserted.size()};
}
