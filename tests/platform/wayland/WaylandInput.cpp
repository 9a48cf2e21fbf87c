// A keyboard and a pointer for the Wayland end-to-end cases: headless compositors have none
// until a client makes one. Reads commands from stdin, one per line, and answers "ok" to each
// once the compositor has it:
//   layout L    a keymap that xkbcommon compiles for layout L (us, fr, de, ru ...)
//   key CODE    press and release an evdev key code
//   down CODE   press only
//   up CODE     release only
//   group N     make layout N of the keymap the active one
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

namespace {

wl_seat* g_seat = nullptr;
zwp_virtual_keyboard_manager_v1* g_keyboards = nullptr;
zwlr_virtual_pointer_manager_v1* g_pointers = nullptr;

void Global(void*, wl_registry* registry, std::uint32_t name, const char* interface,
            std::uint32_t) {
  if (std::strcmp(interface, wl_seat_interface.name) == 0 && g_seat == nullptr) {
    g_seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
  } else if (std::strcmp(interface, zwp_virtual_keyboard_manager_v1_interface.name) == 0) {
    g_keyboards = static_cast<zwp_virtual_keyboard_manager_v1*>(
        wl_registry_bind(registry, name, &zwp_virtual_keyboard_manager_v1_interface, 1));
  } else if (std::strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0) {
    g_pointers = static_cast<zwlr_virtual_pointer_manager_v1*>(
        wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1));
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
  if (g_seat == nullptr || g_keyboards == nullptr || g_pointers == nullptr) {
    std::fputs("the compositor offers no virtual keyboard or pointer\n", stderr);
    return 1;
  }
  auto* keyboard = zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(g_keyboards, g_seat);
  auto* pointer = zwlr_virtual_pointer_manager_v1_create_virtual_pointer(g_pointers, g_seat);
  std::uint32_t time = 1;
  std::string line;
  while (std::getline(std::cin, line)) {
    std::istringstream words(line);
    std::string command;
    std::string argument;
    double dy = 0;
    words >> command >> argument >> dy;
    const auto number = static_cast<std::uint32_t>(std::strtoul(argument.c_str(), nullptr, 10));
    ++time;
    if (command == "layout" && !SendKeymap(keyboard, argument)) {
      std::fprintf(stderr, "no keymap for %s\n", argument.c_str());
      return 1;
    }
    if (command == "key" || command == "down") {
      zwp_virtual_keyboard_v1_key(keyboard, time, number, WL_KEYBOARD_KEY_STATE_PRESSED);
    }
    if (command == "key" || command == "up") {
      zwp_virtual_keyboard_v1_key(keyboard, time + 1, number, WL_KEYBOARD_KEY_STATE_RELEASED);
    }
    if (command == "group") {
      zwp_virtual_keyboard_v1_modifiers(keyboard, 0, 0, 0, number);
    }
    if (command == "move") {
      zwlr_virtual_pointer_v1_motion(pointer, time,
                                     wl_fixed_from_double(std::atof(argument.c_str())),
                                     wl_fixed_from_double(dy));
      zwlr_virtual_pointer_v1_frame(pointer);
    }
    if (command == "button") {
      zwlr_virtual_pointer_v1_button(pointer, time, number, WL_POINTER_BUTTON_STATE_PRESSED);
      zwlr_virtual_pointer_v1_frame(pointer);
      zwlr_virtual_pointer_v1_button(pointer, time + 1, number, WL_POINTER_BUTTON_STATE_RELEASED);
      zwlr_virtual_pointer_v1_frame(pointer);
    }
    if (command == "wheel") {
      const int steps = std::atoi(argument.c_str());
      zwlr_virtual_pointer_v1_axis_source(pointer, WL_POINTER_AXIS_SOURCE_WHEEL);
      zwlr_virtual_pointer_v1_axis_discrete(pointer, time, WL_POINTER_AXIS_VERTICAL_SCROLL,
                                            wl_fixed_from_int(15 * steps), steps);
      zwlr_virtual_pointer_v1_frame(pointer);
    }
    if (wl_display_roundtrip(display) < 0) {
      return 1;
    }
    std::puts("ok");
    std::fflush(stdout);
  }
  return 0;
}
