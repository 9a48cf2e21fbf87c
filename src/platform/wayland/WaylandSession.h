#pragma once

#include <wayland-client.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/wayland/WaylandKeyboard.h"
#include "platform/wayland/WaylandSaverWindow.h"
#include "platform/wayland/WaylandSurface.h"
#include "settings/SaverSettings.h"

// One run of the saver on Wayland: the connection, the compositor's globals, the figure's
// surface and a black surface over every other output, and the seat's input.
//  - With the layer shell the figure's overlay surface is created without an output, so
//    the compositor puts it where a user expects it (the focused output); once it has
//    appeared there, every other output, also one added later, gets a black surface.
//  - Without the layer shell one fullscreen toplevel holds the figure.
class CWaylandSession {
 public:
  // Connects to the compositor WAYLAND_DISPLAY names; null, quietly, when none answers.
  static std::unique_ptr<CWaylandSession> Connect();
  ~CWaylandSession();
  CWaylandSession(const CWaylandSession&) = delete;
  CWaylandSession& operator=(const CWaylandSession&) = delete;

  // Nonzero when the saver's surfaces exist and Run is to follow; otherwise one line on
  // stderr.
  int CreateFullScreen(SaverSettings& settings);

  // The event loop, until the figure closes, its surface is closed, the connection is lost
  // or an ending signal comes; 0 in each case. Input comes before timer ticks, and between
  // ticks the loop sleeps in one wait on the connection.
  int Run();

 private:
  struct SOutput {
    SOutput(std::uint32_t name, wl_output* output) : name(name), output(output) {}
    ~SOutput();
    SOutput(const SOutput&) = delete;
    SOutput& operator=(const SOutput&) = delete;

    std::uint32_t name;
    wl_output* output;
    std::int32_t scale = 1;
    std::int32_t pendingScale = 1;
    std::unique_ptr<CWaylandSurface> cover;
  };

  explicit CWaylandSession(wl_display* display) : m_display(display) {}
  void AddGlobal(std::uint32_t name, const char* interface, std::uint32_t version);
  void RemoveGlobal(std::uint32_t name);
  void OutputDone(SOutput& output);
  void FigureEntered(wl_output* output);
  void CoverOtherOutputs();
  SOutput* OutputOf(wl_output* output);
  std::int32_t ScaleOfSurface(wl_surface* surface);
  void SeatCapabilities(std::uint32_t capabilities);
  void PointerAt(wl_surface* surface, wl_fixed_t x, wl_fixed_t y, bool entering);
  void KeyPressed(std::uint32_t key);
  bool Dispatch();
  bool Finished() const;

  wl_display* m_display;
  wl_registry* m_registry = nullptr;
  SWaylandGlobals m_globals;
  wl_seat* m_seat = nullptr;
  wl_pointer* m_pointer = nullptr;
  wl_keyboard* m_keyboard = nullptr;
  CWaylandKeyboard m_keys;
  std::vector<std::unique_ptr<SOutput>> m_outputs;
  std::unique_ptr<CWaylandSaverWindow> m_figure;
  wl_output* m_figureOutput = nullptr;
  // The surface under the pointer (null after it left), the last one it entered and where.
  wl_surface* m_pointerSurface = nullptr;
  wl_surface* m_enteredSurface = nullptr;
  std::int32_t m_enterX = 0;
  std::int32_t m_enterY = 0;
  bool m_closed = false;
  bool m_lost = false;
};
