#include "app/SwitchMatch.h"

#include <cctype>
#include <limits>
#include <utility>

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

namespace {

bool IsRootWord(std::string_view word) {
  return word == "--root" || word == "-root";
}
bool IsWindowIdWord(std::string_view word) {
  return word == "--window-id" || word == "-window-id";
}

ModeChoice Complaint(std::string text, int exitCode) {
  ModeChoice choice;
  choice.complaint = std::move(text);
  choice.exitCode = exitCode;
  return choice;
}

// The words of XScreenSaver-style hosts, in any order. A window id wins over --root; a bad or
// missing one is a bad value like any other option's, never a reason to draw over the whole
// screen instead. Hosts log what their hacks write to stderr, so a word that cannot be used
// says so there.
ModeChoice ChooseHostedMode(std::span<const std::string_view> arguments) {
  ModeChoice choice(RunMode::kHosted);
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    std::string complaint;
    if (IsRootWord(arguments[i])) {
      choice.rootWindow = true;
    } else if (IsWindowIdWord(arguments[i])) {
      std::string expected = "spirandel: --window-id takes an X window id, 0x... hex or decimal";
      if (i + 1 >= arguments.size()) {
        return Complaint(std::move(expected), 2);
      }
      choice.hostWindow = ParseHostWindowId(arguments[++i]);
      if (!choice.hostWindow) {
        return Complaint(expected + ", not \"" + std::string(arguments[i]) + "\"", 2);
      }
    } else if (const auto read = choice.options.ReadOption(arguments, i, complaint);
               read == CHostOptions::Read::kBadValue) {
      return Complaint(std::move(complaint), 2);
    } else if (read == CHostOptions::Read::kNotAnOption) {
      return Complaint(
          "spirandel: cannot use \"" + std::string(arguments[i]) + "\"; see spirandel --help", 0);
    }
  }
  if (choice.hostWindow) {
    choice.rootWindow = false;
  } else if (!choice.rootWindow) {
    return Complaint("spirandel: no window to draw in: give --root or --window-id ID", 0);
  }
  return choice;
}

}  // namespace

ModeChoice ChooseRunMode(std::span<const std::string_view> arguments) {
  if (arguments.empty()) {
    return ModeChoice(RunMode::kConfiguration);
  }
  const std::string_view first = arguments.front();
  // Whole words are read before the Windows rule. Most begin with a character that rule skips
  // or does not know; a few options would have matched a letter (-size, -speed, -shape,
  // -colour), which only a host's command line, never Windows, passes.
  if (first == "--help" || first == "-h") {
    return ModeChoice(RunMode::kUsage);
  }
  if (first == "--version") {
    return ModeChoice(RunMode::kVersion);
  }
  if (IsRootWord(first) || IsWindowIdWord(first) || CHostOptions::IsOptionWord(first)) {
    return ChooseHostedMode(arguments);
  }
  if (MatchSwitch(first, "c")) {
    return ModeChoice(RunMode::kConfiguration);
  }
  if (MatchSwitch(first, "p")) {
    std::optional<std::uint64_t> host;
    if (arguments.size() > 1) {
      host = ParseWindowHandle(arguments[1]);
    }
    return ModeChoice(RunMode::kPreview, host);
  }
  if (MatchSwitch(first, "s")) {
    return ModeChoice(RunMode::kFullScreen);
  }
  return ModeChoice();
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

std::optional<std::uint64_t> ParseHostWindowId(std::string_view text) {
  unsigned base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  if (text.empty()) {
    return std::nullopt;
  }
  std::uint64_t value = 0;
  for (const char c : text) {
    unsigned digit = 0;
    if (c >= '0' && c <= '9') {
      digit = static_cast<unsigned>(c - '0');
    } else if (base == 16 && c >= 'a' && c <= 'f') {
      digit = static_cast<unsigned>(c - 'a' + 10);
    } else if (base == 16 && c >= 'A' && c <= 'F') {
      digit = static_cast<unsigned>(c - 'A' + 10);
    } else {
      return std::nullopt;
    }
    if (value > (std::numeric_limits<std::uint64_t>::max() - digit) / base) {
      return std::nullopt;
    }
    value = value * base + digit;
  }
  if (value == 0) {
    return std::nullopt;
  }
  return value;
}
