#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "app/HostOptions.h"

// Nonzero when the argument selects the mode letter: a leading '-' or '/' is skipped and only
// the next character counts, in either case ("/s", "-S", "s", "/screensaver", "/S:123").
int MatchSwitch(std::string_view argument, std::string_view mode);

// kHosted, kUsage and kVersion come from the long words of Unix screen-saver hosts and
// command lines (--root, --window-id ID, the options, --help, --version); the Windows switches
// never produce them.
enum class RunMode { kConfiguration, kPreview, kFullScreen, kHosted, kUsage, kVersion, kNone };

struct ModeChoice {
  ModeChoice(RunMode chosen = RunMode::kNone, std::optional<std::uint64_t> window = std::nullopt)
      : mode(chosen), hostWindow(window) {}

  RunMode mode;
  // The host window for the preview, or for kHosted the window given with --window-id;
  // empty when the argument is missing or names no window.
  std::optional<std::uint64_t> hostWindow;
  // kHosted only: --root was given, so without a window id the host's window (or the
  // screen's root window) is the drawing window.
  bool rootWindow = false;
  // kHosted only: the settings given on the command line for this run.
  CHostOptions options;
  // kNone from a host's command line: one line for stderr on what could not be used, and the
  // exit code (2 for a bad value; an unusable word ends the program as any unknown one).
  std::string complaint;
  int exitCode = 0;
};

// The mode chosen by the arguments after the program name.
ModeChoice ChooseRunMode(std::span<const std::string_view> arguments);

// A window id as Unix screen-saver hosts write it: "0x" and hex digits, or decimal digits,
// with nothing else around them. Zero and values beyond 64 bits name no window.
std::optional<std::uint64_t> ParseHostWindowId(std::string_view text);

// The preview's window handle as the C runtime reads a decimal integer: leading white space
// and a sign accepted, reading stops at the first non-digit. A value that cannot name a
// window (no digits, zero, negative, beyond 64 bits) is empty.
std::optional<std::uint64_t> ParseWindowHandle(std::string_view text);
