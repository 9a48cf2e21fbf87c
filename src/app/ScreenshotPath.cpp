#include "app/ScreenshotPath.h"

#include <cstdio>

std::int32_t NextSequenceNo(std::int32_t current) {
  // Widened first: a stored 2147483647 must wrap like any other count past 10000, not overflow.
  const std::int64_t next = static_cast<std::int64_t>(current) + 1;
  return next > 10000 ? 0 : static_cast<std::int32_t>(next);
}

int FormatScreenshotPath(std::string_view folder, std::int32_t sequenceNo, char separator,
                         std::string& path) {
  char name[32];
  std::snprintf(name, sizeof name, "Spirandel %05ld.bmp", static_cast<long>(sequenceNo));
  path.clear();
  // A folder with a NUL in it cannot name a file; cutting it short would write elsewhere.
  if (folder.find('\0') != std::string_view::npos) {
    return 0;
  }
  std::string joined;
  joined.append(folder);
  joined.push_back(separator);
  joined.append(name);
  if (joined.size() > kMaxScreenshotPath) {
    return 0;
  }
  path = std::move(joined);
  return 1;
}
