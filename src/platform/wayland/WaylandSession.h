#pragma once

#include <wayland-client.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "platform/unix/DisplayLoop.h"
#include "platform/wayland/WaylandDrawingWindow.h"
#include "platform/wayland/WaylandSeat.h"
#include "platform/wayland/WaylandSurface.h"
#include "settings/SaverSettings.h"

// One run of the saver on Wayland: the connection, the compositor's globals and outputs, the
// figure's surface and a black surface over every other output; the seat's input on any of
// them goes to the figure's core (CWaylandSeat).
//
// The figure's surface is created without an output, so the compositor puts it where a user
// expects it, on its focused output: sway the one with the focused window, Weston the one
// with the keyboard's window or the pointer.
// Once it has appeared there, every other output, also one added later, gets a black surface
// of the same kind, an overlay or a fullscreen toplevel on that output. A compositor that
// never says where it is (cage) gets the figure on the first output after a short wait, and
// toplevel covers only once it does.
//
// An output that goes takes its cover with it. The figure's own output going away closes its
// layer surface, which ends the run; a toplevel is moved by the compositor instead, and the
// figure then replaces the cover of the output it has come to.
class CWaylandSession final : public IDisplayConnection {
 public:
  // Connects to the compositor WAYLAND_DISPLAY names; null, quietly, when none answers.
  static std::unique_ptr<CWaylandSession> Connect();
  ~CWaylandSession() override;
  CWaylandSession(const CWaylandSession&) = delete;
  CWaylandSession& operator=(const CWaylandSession&) = delete;

  // Nonzero when the saver's surfaces exist and Run is to follow; otherwise one line on
  // stderr.
  int CreateFullScreen(SaverSettings& settings);

  // The event loop, until the figure closes, its surface is closed, the connection is lost
  // or an ending signal comes; 0 in each case.
  int Run();

  // IDisplayConnection
  int Fd() const override { return wl_display_get_fd(m_display); }
  bool DispatchQueued() override;
  bool Finished() const override { return m_closed || m_lost; }
  bool PrepareRead() override { return wl_display_prepare_read(m_display) == 0; }
  void CancelRead() override { wl_display_cancel_read(m_display); }
  bool Read() override;
  bool Flush() override;
  bool OnlyAnswersDue() const override {
    return m_figure && !Finished() && m_figure->Surface().ReleaseDue();
  }
  std::optional<Clock::time_point> Deadline() const override;
  void DeadlinePassed() override;

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
  void FigureConfigured();
  void FigureEntered(wl_output* output);
  void FigureMoved(wl_output* output);
  void CoverOtherOutputs();
  SOutput* OutputOf(wl_output* output);
  std::int32_t ScaleOfSurface(wl_surface* surface);

  wl_display* m_display;
  wl_registry* m_registry = nullptr;
  SWaylandGlobals m_globals;
  std::unique_ptr<CWaylandSeat> m_seat;
  std::vector<std::unique_ptr<SOutput>> m_outputs;
  std::unique_ptr<CWaylandDrawingWindow> m_figure;
  wl_output* m_figureOutput = nullptr;
  // Whether the figure has its output, chosen by the compositor or after the wait.
  bool m_figurePlaced = false;
  // Whether the compositor has said where the figure's surface is.
  bool m_figureSeen = false;
  // Until then the compositor may still say where the figure's surface is.
  std::optional<Clock::time_point> m_chooseOutputBy;
  bool m_closed = false;
  bool m_lost = false;
};
