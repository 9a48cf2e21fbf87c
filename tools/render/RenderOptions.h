#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What the headless renderer was asked to do.
struct CRenderOptions {
  std::optional<std::uint32_t> seed;  // the time when absent
  int width = 640;
  int height = 480;
  std::string settingsFile;  // the settings record's defaults when empty
  // Exactly one of these counts: figures to complete (the last left on screen), or ticks of
  // the drawing timer.
  std::uint32_t figures = 1;
  std::optional<std::uint32_t> ticks;
  std::string outFile;  // no picture when empty
  bool trace = false;
  bool help = false;
};

// The client sizes the renderer accepts: a drawing area of at least one pixel each way, and
// no more than a large screen.
inline constexpr int kSmallestRenderSize = 3;
inline constexpr int kLargestRenderSize = 16384;
inline constexpr std::uint32_t kMostFigures = 100000;
inline constexpr std::uint32_t kMostTicks = 100000000;

// Parses the arguments after the program name. Returns false, with the reason in error,
// for anything it does not understand: unknown or repeated options, missing or malformed
// values, values out of range, --figures together with --ticks.
bool ParseRenderOptions(const std::vector<std::string>& args, CRenderOptions& options,
                        std::string& error);

const char* RenderUsage();
