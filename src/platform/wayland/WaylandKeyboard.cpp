#include "platform/wayland/WaylandKeyboard.h"

#include <sys/mman.h>
#include <unistd.h>

#include <string_view>

#include "platform/unix/VirtualKeys.h"

CWaylandKeyboard::CWaylandKeyboard() : m_context(xkb_context_new(XKB_CONTEXT_NO_FLAGS)) {}

CWaylandKeyboard::~CWaylandKeyboard() {
  xkb_state_unref(m_state);
  xkb_keymap_unref(m_keymap);
  xkb_context_unref(m_context);
}

bool CWaylandKeyboard::LoadKeymap(int fd, std::uint32_t size) {
  void* text = size > 0 ? mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0) : MAP_FAILED;
  close(fd);
  if (text == MAP_FAILED || m_context == nullptr) {
    return false;
  }
  // The compositor's text ends with a NUL within size; a text without one is cut at size.
  const std::string_view keymapText(static_cast<const char*>(text), size);
  xkb_keymap* keymap = xkb_keymap_new_from_buffer(
      m_context, keymapText.data(), keymapText.substr(0, keymapText.find('\0')).size(),
      XKB_KEYMAP_FORMAT_TEXT_V1, XKB_KEYMAP_COMPILE_NO_FLAGS);
  munmap(text, size);
  if (keymap == nullptr) {
    return false;
  }
  xkb_state_unref(m_state);
  xkb_keymap_unref(m_keymap);
  m_keymap = keymap;
  m_state = xkb_state_new(keymap);
  m_latinLayouts.Forget();
  return m_state != nullptr;
}

void CWaylandKeyboard::UpdateModifiers(std::uint32_t depressed, std::uint32_t latched,
                                       std::uint32_t locked, std::uint32_t group) {
  if (m_state != nullptr) {
    xkb_state_update_mask(m_state, depressed, latched, locked, 0, 0, group);
  }
}

std::uint32_t CWaylandKeyboard::Symbol(xkb_keycode_t keycode, xkb_layout_index_t layout,
                                       xkb_level_index_t level) const {
  const xkb_keysym_t* symbols = nullptr;
  const int count = xkb_keymap_key_get_syms_by_level(m_keymap, keycode, layout, level, &symbols);
  return count == 1 ? symbols[0] : 0;
}

std::uint32_t CWaylandKeyboard::VirtualKey(std::uint32_t evdevKey) {
  if (m_state == nullptr) {
    return vk::kNone;
  }
  // Evdev codes are XKB key codes less 8.
  const xkb_keycode_t keycode = evdevKey + 8;
  const xkb_layout_index_t layout = xkb_state_key_get_layout(m_state, keycode);
  if (layout == XKB_LAYOUT_INVALID) {
    return vk::kNone;
  }
  const char* name = xkb_keymap_key_get_name(m_keymap, keycode);
  return VirtualKeyOfPress(
      Symbol(keycode, layout, 0), Symbol(keycode, layout, 1),
      xkb_state_key_get_one_sym(m_state, keycode),
      name != nullptr ? std::string_view(name) : std::string_view(),
      m_latinLayouts.IsLatin(layout, xkb_keymap_min_keycode(m_keymap),
                             xkb_keymap_max_keycode(m_keymap),
                             [this](xkb_keycode_t key, xkb_layout_index_t group, bool shifted) {
                               return Symbol(key, group, shifted ? 1 : 0);
                             }));
}

bool CWaylandKeyboard::AltDown() const {
  return m_state != nullptr &&
         xkb_state_mod_name_is_active(m_state, XKB_MOD_NAME_ALT, XKB_STATE_MODS_EFFECTIVE) > 0;
}

bool CWaylandKeyboard::ControlDown() const {
  return m_state != nullptr &&
         xkb_state_mod_name_is_active(m_state, XKB_MOD_NAME_CTRL, XKB_STATE_MODS_EFFECTIVE) > 0;
}
