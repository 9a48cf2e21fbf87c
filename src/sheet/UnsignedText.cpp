#include "sheet/UnsignedText.h"

#include <algorithm>
#include <limits>

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

}  // namespace

int ParseUnsignedText(std::string_view text, std::uint32_t& value) {
  while (!text.empty() && IsBlank(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && IsBlank(text.back())) {
    text.remove_suffix(1);
  }
  // A text without digits would read as 0 like a real one: only a text that starts with the
  // digit 0 is one, so "+0" fails.
  const bool startsWithZero = text.starts_with('0');
  if (text.starts_with('+')) {
    text.remove_prefix(1);
  }
  constexpr std::uint64_t kMax = std::numeric_limits<std::uint32_t>::max();
  std::uint64_t number = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') {
      return 0;
    }
    // Held at the largest 32-bit value, so that more digits cannot overflow.
    number = std::min(number * 10 + static_cast<std::uint64_t>(c - '0'), kMax);
  }
  if (number == 0 && !startsWithZero) {
    return 0;
  }
  value = static_cast<std::uint32_t>(number);
  return 1;
}
