// A keyboard and a pointer for the Wayland end-to-end cases: headless compositors have none
// until a client makes one. wlroots compositors offer virtual devices; KWin offers its fake
// input instead, which types on KWin's own keymap, so there only the us layout and no group
// switch. Reads commands from stdin, one per line, and answers "ok" to each once the
// compositor has it:
//   layout L    a keymap that xkbcommon compiles for layout L (us, fr, de, ru ...)
//   key CODE    press and release an evdev key code
//   down CODE   press only
//   up CODE     release only
//   group N     make layout N of the keymap the active one
//   mods MASK   hold these modifiers (4 Control, 8 Alt), which a virtual keyboard's keys
//               do not change by themselves; KWin follows its keys and ignores it
//   move DX DY  a relative pointer motion
//   button CODE press and release an evdev button code (BTN_LEFT 272 ... BTN_EXTRA 276)
//   wheel STEPS turn the wheel by that many notches (negative: up)
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>

#include "virtual-keyboard-unstable-v1-client-protocol.h"
#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"
#ifdef SPIRANDEL_FAKE_INPUT
#include "fake-input-client-protocol.h"
#endif

namespace {

wl_seat* g_seat = nullptr;
zwp_virtual_keyboard_manager_v1* g_keyboards = nullptr;
zwlr_virtual_pointer_manager_v1* g_pointers = nullptr;
#ifdef SPIRANDEL_FAKE_INPUT
org_kde_kwin_fake_input* g_fake = nullptr;
#endif

void Global(void*, wl_registry* registry, std::uint32_t name, const char* interface,
            [[maybe_unused]] std::uint32_t version) {
  if (std::strcmp(interface, wl_seat_interface.name) == 0 && g_seat == nullptr) {
    g_seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
  } else if (std::strcmp(interface, zwp_virtual_keyboard_manager_v1_interface.name) == 0) {
    g_keyboards = static_cast<zwp_virtual_keyboard_manager_v1*>(
        wl_registry_bind(registry, name, &zwp_virtual_keyboard_manager_v1_interface, 1));
  } else if (std::strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0) {
    g_pointers = static_cast<zwlr_virtual_pointer_manager_v1*>(
        wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1));
#ifdef SPIRANDEL_FAKE_INPUT
  } else if (std::strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0 && version >= 4) {
    // Version 4 is the first with keys.
    g_fake = static_cast<org_kde_kwin_fake_input*>(
        wl_registry_bind(registry, name, &org_kde_kwin_fake_input_interface, 4));
#endif
  }
}

bool SendKeymap(zwp_virtual_keyboard_v1* keyboard, const std::string& layout) {
  xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
  const xkb_rule_names names{"evdev", "pc105", layout.c_str(), "", ""};
  xkb_keymap* keymap = xkb_keymap_new_from_names(context, &names, XKB_KEYMAP_COMPILE_NO_FLAGS);
  xkb_context_unref(context);  // the keymap holds a reference of its own
  if (keymap == nullptr) {
    return false;
  }
  char* text = xkb_keymap_get_as_string(keymap, XKB_KEYMAP_FORMAT_TEXT_V1);
  const std::size_t size = std::strlen(text) + 1;
  const int fd = memfd_create("keymap", MFD_CLOEXEC);
  const bool written = fd >= 0 && write(fd, text, size) == static_cast<ssize_t>(size);
  if (written) {
    zwp_virtual_keyboard_v1_keymap(keyboard, WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1, fd,
                                   static_cast<std::uint32_t>(size));
  }
  if (fd >= 0) {
    close(fd);
  }
  std::free(text);
  xkb_keymap_unref(keymap);
  return written;
}

// The virtual devices of a wlroots compositor, or else KWin's fake input (null: not offered).
struct SDevices {
  zwp_virtual_keyboard_v1* m_keyboard = nullptr;
  zwlr_virtual_pointer_v1* m_pointer = nullptr;
#ifdef SPIRANDEL_FAKE_INPUT
  org_kde_kwin_fake_input* m_fake = nullptr;
#endif
};

// Runs one command; false when these devices cannot do it.
bool Send(const SDevices& devices, const std::string& command, const std::string& argument,
          double dy, std::uint32_t time) {
  const auto number = static_cast<std::uint32_t>(std::strtoul(argument.c_str(), nullptr, 10));
  const bool press = command == "key" || command == "down";
  const bool release = command == "key" || command == "up";
#ifdef SPIRANDEL_FAKE_INPUT
  if (devices.m_fake != nullptr) {
    if (press) {
      org_kde_kwin_fake_input_keyboard_key(devices.m_fake, number, WL_KEYBOARD_KEY_STATE_PRESSED);
    }
    if (release) {
      org_kde_kwin_fake_input_keyboard_key(devices.m_fake, number, WL_KEYBOARD_KEY_STATE_RELEASED);
    }
    if (command == "move") {
      org_kde_kwin_fake_input_pointer_motion(devices.m_fake,
                                             wl_fixed_from_double(std::atof(argument.c_str())),
                                             wl_fixed_from_double(dy));
    }
    if (command == "button") {
      org_kde_kwin_fake_input_button(devices.m_fake, number, WL_POINTER_BUTTON_STATE_PRESSED);
      org_kde_kwin_fake_input_button(devices.m_fake, number, WL_POINTER_BUTTON_STATE_RELEASED);
    }
    if (command == "wheel") {
      org_kde_kwin_fake_input_axis(devices.m_fake, WL_POINTER_AXIS_VERTICAL_SCROLL,
                                   wl_fixed_from_int(15 * std::atoi(argument.c_str())));
    }
    return (command != "layout" || argument == "us") && command != "group";
  }
#endif
  if (command == "layout" && !SendKeymap(devices.m_keyboard, argument)) {
    return false;
  }
  if (press) {
    zwp_virtual_keyboard_v1_key(devices.m_keyboard, time, number, WL_KEYBOARD_KEY_STATE_PRESSED);
  }
  if (release) {
    zwp_virtual_keyboard_v1_key(devices.m_keyboard, time + 1, number,
                                WL_KEYBOARD_KEY_STATE_RELEASED);
  }
  if (command == "group") {
    zwp_virtual_keyboard_v1_modifiers(devices.m_keyboard, 0, 0, 0, number);
  }
  if (command == "mods") {
    zwp_virtual_keyboard_v1_modifiers(devices.m_keyboard, number, 0, 0, 0);
  }
  if (command == "move") {
    zwlr_virtual_pointer_v1_motion(devices.m_pointer, time,
                                   wl_fixed_from_double(std::atof(argument.c_str())),
                                   wl_fixed_from_double(dy));
    zwlr_virtual_pointer_v1_frame(devices.m_pointer);
  }
  if (command == "button") {
    zwlr_virtual_pointer_v1_button(devices.m_pointer, time, number,
                                   WL_POINTER_BUTTON_STATE_PRESSED);
    zwlr_virtual_pointer_v1_frame(devices.m_pointer);
    zwlr_virtual_pointer_v1_button(devices.m_pointer, time + 1, number,
                                   WL_POINTER_BUTTON_STATE_RELEASED);
    zwlr_virtual_pointer_v1_frame(devices.m_pointer);
  }
  if (command == "wheel") {
    const int steps = std::atoi(argument.c_str());
    zwlr_virtual_pointer_v1_axis_source(devices.m_pointer, WL_POINTER_AXIS_SOURCE_WHEEL);
    zwlr_virtual_pointer_v1_axis_discrete(devices.m_pointer, time, WL_POINTER_AXIS_VERTICAL_SCROLL,
                                          wl_fixed_from_int(15 * steps), steps);
    zwlr_virtual_pointer_v1_frame(devices.m_pointer);
  }
  return true;
}

}  // namespace

int main() {
  wl_display* display = wl_display_connect(nullptr);
  if (display == nullptr) {
    std::fputs("no compositor\n", stderr);
    return 1;
  }
  static const wl_registry_listener kListener{Global, [](void*, wl_registry*, std::uint32_t) {}};
  wl_registry_add_listener(wl_display_get_registry(display), &kListener, nullptr);
  wl_display_roundtrip(display);
  SDevices devices;
  if (g_seat != nullptr && g_keyboards != nullptr && g_pointers != nullptr) {
    devices.m_keyboard =
        zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(g_keyboards, g_seat);
    devices.m_pointer = zwlr_virtual_pointer_manager_v1_create_virtual_pointer(g_pointers, g_seat);
#ifdef SPIRANDEL_FAKE_INPUT
  } else if (g_fake != nullptr) {
    // KWin drops the events of a client that has not said who it is.
    org_kde_kwin_fake_input_authenticate(g_fake, "spirandel tests", "end-to-end input");
    devices.m_fake = g_fake;
#endif
  } else {
    std::fputs("the compositor offers no virtual keyboard or pointer\n", stderr);
    return 1;
  }
  std::uint32_t time = 1;
  std::string line;
  while (std::getline(std::cin, line)) {
    std::istringstream words(line);
    std::string command;
    std::string argument;
    double dy = 0;
    words >> command >> argument >> dy;
    if (!Send(devices, command, argument, dy, ++time)) {
      std::fprintf(stderr, "cannot do here: %s\n", line.c_str());
      return 1;
    }
    if (wl_display_roundtrip(display) < 0) {
      return 1;
    }
    std::puts("ok");
    std::fflush(stdout);
  }
  return 0;
}
