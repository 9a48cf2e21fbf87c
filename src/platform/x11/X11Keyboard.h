#pragma once

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

#include <cstdint>

#include "platform/unix/LatinLayouts.h"

// Turns key presses into Windows virtual-key codes on any keyboard layout, as a Windows
// layout would give them (VirtualKeyFromKey): the hotkey strings name keys by these codes.
// Reads the keymap from the server and reads it again when it changes, so a layout switch
// while the saver runs is followed; the layout group of each press comes with the press.
class CX11Keyboard {
 public:
  explicit CX11Keyboard(Display* display);
  ~CX11Keyboard();
  CX11Keyboard(const CX11Keyboard&) = delete;
  CX11Keyboard& operator=(const CX11Keyboard&) = delete;

  std::uint32_t VirtualKey(XKeyEvent& event);
  // Every event passes here; a change of the keymap is followed.
  void HandleEvent(XEvent& event);

 private:
  void Load();
  unsigned long Symbol(unsigned keycode, unsigned group, bool shifted) const;

  Display* m_display;
  // The keymap with its key names; null without XKB, where the core keymap serves.
  XkbDescPtr m_keymap = nullptr;
  int m_eventBase = -1;
  CLatinLayouts m_latinGroups;
};
