#include "RenderOptions.h"

#include <set>

namespace {

// A decimal number of digits only (no sign, no blanks), at most the limit.
bool ParseNumber(const std::string& text, std::uint64_t limit, std::uint64_t& value) {
  if (text.empty() || text.size() > 20) {
    return false;
  }
  value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') {
      return false;
    }
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
    if (value > limit) {
      return false;
    }
  }
  return true;
}

bool ParseSize(const std::string& text, int& width, int& height) {
  const auto cross = text.find('x');
  if (cross == std::string::npos) {
    return false;
  }
  std::uint64_t w = 0;
  std::uint64_t h = 0;
  if (!ParseNumber(text.substr(0, cross), kLargestRenderSize, w) ||
      !ParseNumber(text.substr(cross + 1), kLargestRenderSize, h) || w < kSmallestRenderSize ||
      h < kSmallestRenderSize) {
    return false;
  }
  width = static_cast<int>(w);
  height = static_cast<int>(h);
  return true;
}

}  // namespace

bool ParseRenderOptions(const std::vector<std::string>& args, CRenderOptions& options,
                        std::string& error) {
  std::set<std::string> seen;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& name = args[i];
    if (!seen.insert(name).second) {
      error = name + " given twice";
      return false;
    }
    if (name == "--trace") {
      options.trace = true;
      continue;
    }
    if (name == "--help" || name == "-h") {
      options.help = true;
      continue;
    }
    if (name != "--seed" && name != "--size" && name != "--settings" && name != "--figures" &&
        name != "--ticks" && name != "--out") {
      error = "unknown option " + name;
      return false;
    }
    if (i + 1 >= args.size()) {
      error = name + " needs a value";
      return false;
    }
    const std::string& value = args[++i];
    std::uint64_t number = 0;
    bool ok = true;
    if (name == "--seed") {
      ok = ParseNumber(value, 0xFFFFFFFFu, number);
      options.seed = static_cast<std::uint32_t>(number);
    } else if (name == "--size") {
      ok = ParseSize(value, options.width, options.height);
    } else if (name == "--settings") {
      ok = !value.empty();
      options.settingsFile = value;
    } else if (name == "--figures") {
      ok = ParseNumber(value, kMostFigures, number) && number >= 1;
      options.figures = static_cast<std::uint32_t>(number);
    } else if (name == "--ticks") {
      ok = ParseNumber(value, kMostTicks, number);
      options.ticks = static_cast<std::uint32_t>(number);
    } else {
      ok = !value.empty();
      options.outFile = value;
    }
    if (!ok) {
      error = "bad value for " + name + ": " + value;
      return false;
    }
  }
  if (seen.count("--figures") != 0 && seen.count("--ticks") != 0) {
    error = "--figures and --ticks exclude each other";
    return false;
  }
  return true;
}

const char* RenderUsage() {
  return "usage: spirandel-render [--seed N] [--size WxH] [--settings FILE]\n"
         "                        [--figures F | --ticks T] [--out FILE] [--trace]\n"
         "  --seed N         seed of the random numbers, 0 to 4294967295 (default: the time)\n"
         "  --size WxH       client size, 3 to 16384 each way (default: 640x480)\n"
         "  --settings FILE  a Settings.reg file (default: the default settings)\n"
         "  --figures F      run until F figures are complete, 1 to 100000 (default: 1)\n"
         "  --ticks T        run exactly T ticks of the drawing timer, 0 to 100000000\n"
         "  --out FILE       write the drawing area: a PNG file when FILE ends in .png,\n"
         "                   else a 32-bit BMP file\n"
         "  --trace          print one line per figure with its planned values\n";
}
