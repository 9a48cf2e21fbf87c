#include "config/UnsignedText.h"

#include <limits>

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

int ParseUnsignedText(std::string_view text, std::uint32_t& value) {
  std::size_t pos = 0;
  while (pos < text.size() && IsBlank(text[pos])) {
    ++pos;
  }
  const char first = pos < text.size() ? text[pos] : '\0';
  if (first == '-') {
    return 0;
  }
  if (first == '+') {
    ++pos;
  }
  constexpr std::uint64_t kMax = std::numeric_limits<std::uint32_t>::max();
  std::uint64_t number = 0;
  while (pos < text.size() && IsDigit(text[pos])) {
    number = number * 10 + static_cast<std::uint64_t>(text[pos] - '0');
    if (number > kMax) {
      number = kMax + 1;  // saturated; more digits cannot overflow 64 bits from here
    }
    ++pos;
  }
  if (number > kMax) {
    number = kMax;
  }
  // No digits read looks the same as a real 0; only a text that starts with the digit 0 is one.
  // So "+0" fails, as does an empty box.
  if (number == 0 && first != '0') {
    return 0;
  }
  while (pos < text.size() && IsBlank(text[pos])) {
    ++pos;
  }
  if (pos != text.size()) {
    return 0;
  }
  value = static_cast<std::uint32_t>(number);
  return 1;
}
