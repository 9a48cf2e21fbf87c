#include <stdlib.h>

#include <string_view>
#include <vector>

#include "platform/win32/Win32.h"
#include "platform/win32/Win32RunModes.h"

// The screen saver host starts us with "/s", "/p <window>", "/c[:<window>]" or nothing; the C
// runtime has already split the command line by its usual rules (__argc, __argv).
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  std::vector<std::string_view> arguments;
  for (int i = 1; i < __argc; ++i) {
    arguments.emplace_back(__argv[i]);
  }
  return RunSaverProgram(arguments);
}
