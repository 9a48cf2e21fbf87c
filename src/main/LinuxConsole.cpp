#include <cstdio>

#include "main/LinuxRunModes.h"

void CLinuxRunModes::WriteText(std::string_view text, Stream stream) {
  std::FILE* out = stream == Stream::kErrors ? stderr : stdout;
  std::fwrite(text.data(), 1, text.size(), out);
  std::fflush(out);
}
