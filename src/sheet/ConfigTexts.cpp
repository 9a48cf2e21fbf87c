#include "sheet/ConfigTexts.h"

std::string FormatConfigMessage(std::string_view pattern, std::initializer_list<std::string> args) {
  std::string result;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    // "%1" stands for the first argument; a '%' before anything else stays as it is.
    const std::size_t index = i + 1 < pattern.size() && pattern[i] == '%'
                                  ? static_cast<std::size_t>(pattern[i + 1] - '1')
                                  : args.size();
    if (index < args.size()) {
      result += args.begin()[index];
      ++i;
    } else {
      result += pattern[i];
    }
  }
  return result;
}
