#include "app/SwitchMatch.h"

#include <cctype>
#include <limits>

int MatchSwitch(std::string_view argument, std::string_view mode) {
  if (!argument.empty() && (argument.front() == '-' || argument.front() == '/')) {
    argument.remove_prefix(1);
  }
  if (argument.empty() || mode.empty()) {
    return 0;
  }
  const auto upper = [](char c) { return std::toupper(static_cast<unsigned char>(c)); };
  return upper(argument.front()) == upper(mode.front()) ? 1 : 0;
}

ModeChoice ChooseRunMode(std::span<const std::string_view> arguments) {
  if (arguments.empty()) {
    return {RunMode::kConfiguration, std::nullopt};
  }
  const std::string_view first = arguments.front();
  if (MatchSwitch(first, "c")) {
    return {RunMode::kConfiguration, std::nullopt};
  }
  if (MatchSwitch(first, "p")) {
    std::optional<std::uint64_t> host;
    if (arguments.size() > 1) {
      host = ParseWindowHandle(arguments[1]);
    }
    return {RunMode::kPreview, host};
  }
  if (MatchSwitch(first, "s")) {
    return {RunMode::kFullScreen, std::nullopt};
  }
  return {RunMode::kNone, std::nullopt};
}

std::optional<std::uint64_t> ParseWindowHandle(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) {
    ++i;
  }
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  std::uint64_t value = 0;
  bool anyDigit = false;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    const auto digit = static_cast<std::uint64_t>(text[i] - '0');
    if (value > (std::numeric_limits<std::uint64_t>::max() - digit) / 10) {
      return std::nullopt;
    }
    value = value * 10 + digit;
    anyDigit = true;
  }
  if (!anyDigit || value == 0 || negative) {
    return std::nullopt;
  }
  return value;
}
