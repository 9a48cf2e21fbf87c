#pragma once

#include "platform/win32/Win32.h"

// Black over the whole virtual screen, below the full-screen saver window: the figure stays on
// the primary monitor where it always was, and every other monitor shows black instead of the
// desktop. The cover never takes activation or the keyboard; the mouse messages it gets go on
// to the saver window in that window's client coordinates, so that input on any monitor
// counts. When monitors come or go (WM_DISPLAYCHANGE) it spreads over the new virtual screen.
class CCoverWindow {
 public:
  // Creates and shows the cover without activating it; null on failure. It is made before the
  // saver window, so that the saver window, shown later, lies above it: not every window
  // system honours a place below a given window.
  static HWND Create();

  // Where the mouse messages go from now on; the pointer's place, when it is over the cover, is
  // the first of them.
  static void ForwardInputTo(HWND cover, HWND saver);

  // Spreads the cover over the virtual screen as it is now, keeping its place in the z-order.
  static void FitToVirtualScreen(HWND cover);

 private:
  static LRESULT CALLBACK WindowProc(HWND cover, UINT message, WPARAM wParam, LPARAM lParam);
};
