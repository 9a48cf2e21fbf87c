#pragma once

#include <xkbcommon/xkbcommon.h>

#include <cstdint>

#include "platform/unix/LatinLayouts.h"

// Turns the compositor's key events into Windows virtual-key codes by the same rules as on
// X11 (VirtualKeyOfPress), through the keymap the compositor sends and the layout it says is
// active, so a new keymap or a layout switch while the saver runs is followed.
class CWaylandKeyboard {
 public:
  CWaylandKeyboard();
  ~CWaylandKeyboard();
  CWaylandKeyboard(const CWaylandKeyboard&) = delete;
  CWaylandKeyboard& operator=(const CWaylandKeyboard&) = delete;

  // A keymap in the XKB text format, size bytes at fd (which is closed); false when it
  // cannot be read, keeping the one before.
  bool LoadKeymap(int fd, std::uint32_t size);
  void UpdateModifiers(std::uint32_t depressed, std::uint32_t latched, std::uint32_t locked,
                       std::uint32_t group);

  // For an evdev key code; vk::kNone without a keymap.
  std::uint32_t VirtualKey(std::uint32_t evdevKey);
  bool AltDown() const;
  bool ControlDown() const;

 private:
  std::uint32_t Symbol(xkb_keycode_t keycode, xkb_layout_index_t layout,
                       xkb_level_index_t level) const;

  xkb_context* m_context;
  xkb_keymap* m_keymap = nullptr;
  xkb_state* m_state = nullptr;
  CLatinLayouts m_latinLayouts;
};
