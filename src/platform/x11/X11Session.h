#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <memory>
#include <optional>

#include "platform/unix/DisplayLoop.h"
#include "platform/x11/X11DrawingWindow.h"
#include "platform/x11/X11FullScreen.h"
#include "settings/SaverSettings.h"

// One run of the saver on X11: the display connection and the one drawing window, full
// screen or in a window of a host's.
class CX11Session final : public IDisplayConnection {
 public:
  // Opens $DISPLAY; on failure writes one line to stderr, sets exitCode to 1 and returns
  // null.
  static std::unique_ptr<CX11Session> Open(int& exitCode);
  // Whether $DISPLAY can be opened, saying so as Open does when it cannot; for a program that
  // is about to hand the display to another one.
  static bool CanOpen(int& exitCode);
  ~CX11Session() override;
  CX11Session(const CX11Session&) = delete;
  CX11Session& operator=(const CX11Session&) = delete;

  // Each returns nonzero when the window exists and Run is to follow; a window id that
  // names no window creates nothing and says so in one line on stderr, for the host's log.
  int CreateFullScreen(SaverSettings& settings);
  int CreateChild(SaverSettings& settings, std::uint64_t parent);
  // Draws in the window given, or in the root window without one.
  int Adopt(SaverSettings& settings, std::optional<std::uint64_t> window);

  // The event loop; the process exit code.
  int Run();

  // IDisplayConnection
  int Fd() const override;
  bool DispatchQueued() override;
  bool Finished() const override;
  bool Read() override;
  bool Flush() override;
  bool OnlyAnswersDue() const override;

 private:
  explicit CX11Session(Display* display) : m_display(display) {}
  int ReportIfMissing(std::uint64_t windowId);
  CX11DrawingWindow* DrawingWindow() const;

  Display* m_display;
  std::unique_ptr<CX11FullScreen> m_fullScreen;
  std::unique_ptr<CX11DrawingWindow> m_window;
};
