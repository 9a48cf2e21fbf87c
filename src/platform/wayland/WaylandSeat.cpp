#include "platform/wayland/WaylandSeat.h"

#include <unistd.h>

#include <utility>

#include "platform/unix/OutputScale.h"

namespace {

// Evdev's button codes, in the order linux/input-event-codes.h gives them from BTN_LEFT.
constexpr std::uint32_t kFirstButton = 0x110;
constexpr unsigned kX11Numbers[] = {1, 3, 2, 8, 9};

}  // namespace

unsigned ButtonNumber(std::uint32_t evdevButton) {
  // Codes below the first wrap around to large indexes.
  const std::uint32_t index = evdevButton - kFirstButton;
  return index < std::size(kX11Numbers) ? kX11Numbers[index] : 0;
}

CWaylandSeat::CWaylandSeat(wl_seat* seat, std::function<std::int32_t(wl_surface*)> scaleOf)
    : m_seat(seat), m_scaleOf(std::move(scaleOf)) {
  static const wl_seat_listener kListener{
      [](void* data, wl_seat*, std::uint32_t capabilities) {
        static_cast<CWaylandSeat*>(data)->Capabilities(capabilities);
      },
      [](void*, wl_seat*, const char*) {}};
  wl_seat_add_listener(m_seat, &kListener, this);
}

CWaylandSeat::~CWaylandSeat() {
  if (m_pointer != nullptr) {
    wl_pointer_destroy(m_pointer);
  }
  if (m_keyboard != nullptr) {
    wl_keyboard_destroy(m_keyboard);
  }
  wl_seat_destroy(m_seat);
}

void CWaylandSeat::Capabilities(std::uint32_t capabilities) {
  const bool pointer = (capabilities & WL_SEAT_CAPABILITY_POINTER) != 0;
  if (pointer && m_pointer == nullptr) {
    m_pointer = wl_seat_get_pointer(m_seat);
    static const wl_pointer_listener kListener{
        .enter =
            [](void* data, wl_pointer* pointer, std::uint32_t serial, wl_surface* surface,
               wl_fixed_t x, wl_fixed_t y) {
              // No cursor over the saver.
              wl_pointer_set_cursor(pointer, serial, nullptr, 0, 0);
              static_cast<CWaylandSeat*>(data)->PointerAt(surface, x, y, true);
            },
        .leave = [](void* data, wl_pointer*, std::uint32_t,
                    wl_surface*) { static_cast<CWaylandSeat*>(data)->m_pointerSurface = nullptr; },
        .motion =
            [](void* data, wl_pointer*, std::uint32_t, wl_fixed_t x, wl_fixed_t y) {
              auto* self = static_cast<CWaylandSeat*>(data);
              self->PointerAt(self->m_pointerSurface, x, y, false);
            },
        .button =
            [](void* data, wl_pointer*, std::uint32_t, std::uint32_t, std::uint32_t button,
               std::uint32_t state) { static_cast<CWaylandSeat*>(data)->Button(button, state); },
        // The wheel is no button press, as on Windows.
        .axis = [](void*, wl_pointer*, std::uint32_t, std::uint32_t, wl_fixed_t) {},
        .frame = [](void*, wl_pointer*) {},
        .axis_source = [](void*, wl_pointer*, std::uint32_t) {},
        .axis_stop = [](void*, wl_pointer*, std::uint32_t, std::uint32_t) {},
        .axis_discrete = [](void*, wl_pointer*, std::uint32_t, std::int32_t) {},
        .axis_value120 = nullptr};
    wl_pointer_add_listener(m_pointer, &kListener, this);
  }
  const bool keyboard = (capabilities & WL_SEAT_CAPABILITY_KEYBOARD) != 0;
  if (keyboard && m_keyboard == nullptr) {
    m_keyboard = wl_seat_get_keyboard(m_seat);
    static const wl_keyboard_listener kListener{
        .keymap =
            [](void* data, wl_keyboard*, std::uint32_t format, std::int32_t fd,
               std::uint32_t size) {
              auto* self = static_cast<CWaylandSeat*>(data);
              if (format == WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1) {
                self->m_keys.LoadKeymap(fd, size);
              } else {
                close(fd);
              }
            },
        // Keys already down when a surface gets the keyboard are no presses.
        .enter = [](void* data, wl_keyboard*, std::uint32_t, wl_surface*,
                    wl_array*) { static_cast<CWaylandSeat*>(data)->m_focus.Entered(); },
        .leave =
            [](void* data, wl_keyboard*, std::uint32_t, wl_surface*) {
              static_cast<CWaylandSeat*>(data)->m_focus.Left(CKeyboardFocus::Clock::now());
            },
        .key = [](void* data, wl_keyboard*, std::uint32_t, std::uint32_t, std::uint32_t key,
                  std::uint32_t state) { static_cast<CWaylandSeat*>(data)->Key(key, state); },
        .modifiers =
            [](void* data, wl_keyboard*, std::uint32_t, std::uint32_t depressed,
               std::uint32_t latched, std::uint32_t locked, std::uint32_t group) {
              static_cast<CWaylandSeat*>(data)->m_keys.UpdateModifiers(depressed, latched, locked,
                                                                       group);
            },
        .repeat_info = [](void*, wl_keyboard*, std::int32_t, std::int32_t) {}};
    wl_keyboard_add_listener(m_keyboard, &kListener, this);
  }
}

void CWaylandSeat::PointerAt(wl_surface* surface, wl_fixed_t x, wl_fixed_t y, bool entering) {
  if (entering) {
    m_pointerSurface = surface;
  }
  if (surface == nullptr || m_core == nullptr) {
    return;
  }
  const std::int32_t scale = m_scaleOf(surface);
  const std::int32_t pixelX = PointerPixel(wl_fixed_to_double(x), scale);
  const std::int32_t pixelY = PointerPixel(wl_fixed_to_double(y), scale);
  if (entering) {
    m_core->AddPointerEnter(reinterpret_cast<std::uintptr_t>(surface), pixelX, pixelY);
  } else {
    m_core->AddPointerMotion(pixelX, pixelY);
  }
}

void CWaylandSeat::Button(std::uint32_t button, std::uint32_t state) {
  if (m_core != nullptr) {
    m_core->AddButton(ButtonNumber(button), state == WL_POINTER_BUTTON_STATE_PRESSED);
  }
}

void CWaylandSeat::Key(std::uint32_t key, std::uint32_t state) {
  if (m_core != nullptr) {
    m_core->AddKey(m_keys.VirtualKey(key), state == WL_KEYBOARD_KEY_STATE_PRESSED,
                   {m_keys.AltDown(), m_keys.ControlDown()});
  }
}

void CWaylandSeat::DeadlinePassed(CKeyboardFocus::Clock::time_point now) {
  if (m_focus.TakeLoss(now) && m_core != nullptr) {
    m_core->AddFocusLost();
  }
}
