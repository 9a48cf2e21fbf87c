#include <stdlib.h>

#include <string_view>
#include <vector>

#include "app/SaverApp.h"
#include "platform/win32/RegistryStore.h"
#include "platform/win32/Win32.h"
#include "platform/win32/Win32RunModes.h"

#include <commctrl.h>

// The screen saver host starts us with "/s", "/p <window>", "/c[:<window>]" or nothing; the C
// runtime has already split the command line by its usual rules (__argc, __argv).
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // The property sheet's controls need the common controls loaded before any page is created.
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  std::vector<std::string_view> arguments;
  for (int i = 1; i < __argc; ++i) {
    arguments.emplace_back(__argv[i]);
  }
  CRegistryStore store;
  CWin32RunModes modes;
  CSaverApp app(store, modes);
  return app.Run(arguments);
}
