#include "config/ConfigTexts.h"

std::string FormatConfigMessage(std::string_view pattern, std::initializer_list<std::string> args) {
  std::string result;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' &&
        pattern[i + 1] <= '9') {
      const auto index = static_cast<std::size_t>(pattern[i + 1] - '1');
      if (index < args.size()) {
        result += *(args.begin() + index);
        ++i;
        continue;
      }
    }
    result += pattern[i];
  }
  return result;
}
