#pragma once

#include <wayland-client.h>

#include <cstdint>
#include <functional>
#include <optional>

#include "platform/unix/DrawingWindowCore.h"
#include "platform/wayland/KeyboardFocus.h"
#include "platform/wayland/WaylandKeyboard.h"

// The seat's pointer and keyboard, reported to the figure's core as they come: the pointer in
// the pixels of the surface it is on, buttons by number, keys by virtual-key code through the
// compositor's keymap, and the keyboard going to another client as a loss of focus. No cursor
// is shown over the saver's surfaces.
class CWaylandSeat {
 public:
  // scaleOf gives the scale of one of the saver's surfaces.
  CWaylandSeat(wl_seat* seat, std::function<std::int32_t(wl_surface*)> scaleOf);
  ~CWaylandSeat();
  CWaylandSeat(const CWaylandSeat&) = delete;
  CWaylandSeat& operator=(const CWaylandSeat&) = delete;

  // Where input goes from now on; none before there is a figure window.
  void ReportTo(CDrawingWindowCore* core) { m_core = core; }

  // When the keyboard counts as gone to another client, unless it comes back to the saver
  // first; and that time reached.
  std::optional<CKeyboardFocus::Clock::time_point> Deadline() const { return m_focus.Deadline(); }
  void DeadlinePassed(CKeyboardFocus::Clock::time_point now);

 private:
  void Capabilities(std::uint32_t capabilities);
  void PointerAt(wl_surface* surface, wl_fixed_t x, wl_fixed_t y, bool entering);
  void Button(std::uint32_t button, std::uint32_t state);
  void Key(std::uint32_t key, std::uint32_t state);

  wl_seat* m_seat;
  std::function<std::int32_t(wl_surface*)> m_scaleOf;
  wl_pointer* m_pointer = nullptr;
  wl_keyboard* m_keyboard = nullptr;
  CWaylandKeyboard m_keys;
  CKeyboardFocus m_focus;
  CDrawingWindowCore* m_core = nullptr;
  // The surface under the pointer; null after it left.
  wl_surface* m_pointerSurface = nullptr;
};

// The X11 number of an evdev button code (linux/input-event-codes.h): 1 left, 2 middle,
// 3 right, 8 side (back), 9 extra (forward); 0 for a button X11 has no number for.
unsigned ButtonNumber(std::uint32_t evdevButton);
