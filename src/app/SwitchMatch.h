#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

// Nonzero when the argument selects the mode letter: a leading '-' or '/' is skipped and only
// the next character counts, in either case ("/s", "-S", "s", "/screensaver", "/S:123").
int MatchSwitch(std::string_view argument, std::string_view mode);

enum class RunMode { kConfiguration, kPreview, kFullScreen, kNone };

struct ModeChoice {
  RunMode mode = RunMode::kNone;
  // The host window for the preview; empty when the argument is missing or names no window.
  std::optional<std::uint64_t> hostWindow;
};

// The mode chosen by the arguments after the program name.
ModeChoice ChooseRunMode(std::span<const std::string_view> arguments);

// The preview's window handle as the C runtime reads a decimal integer: leading white space
// and a sign accepted, reading stops at the first non-digit. A value that cannot name a
// window (no digits, zero, negative, beyond 64 bits) is empty.
std::optional<std::uint64_t> ParseWindowHandle(std::string_view text);
