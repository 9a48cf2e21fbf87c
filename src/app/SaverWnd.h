#pragma once

#include <cstdint>

#include "app/SaverInput.h"
#include "app/SaverWndHost.h"
#include "engine/CurveWnd.h"

// The full-screen saver window: a drawing window that ends the saver on user input, except
// for the pause and screenshot hotkeys, after which it carries on. Its input state lives in a
// CSaverInput that outlives the engine (a fresh figure keeps where the pointer started, and
// input counts before any figure has started); the window holds the pause: while it is set,
// ticks reach the engine no more.
class CSaverWnd : public CCurveWnd {
 public:
  // System commands that must not reach default processing while the saver runs.
  static constexpr std::uint32_t kScScreenSave = 0xF140;
  static constexpr std::uint32_t kScClose = 0xF060;

  CSaverWnd(SaverSettings& settings, ISaverWndHost& host, CSaverInput& input);
  ~CSaverWnd() override;

  void OnTimer(std::uint32_t id) override;

  // The handlers of the window's input messages, where a platform has them as Windows does.
  // Mouse movement in client coordinates.
  void OnMouseMove(std::int32_t x, std::int32_t y);
  // Any of the left, middle and right buttons, and any system key (Alt with a key, F10):
  // system keys never act as hotkeys.
  void OnButtonDown();
  void OnSysKeyDown(std::uint32_t virtualKey);
  void OnKeyDown(std::uint32_t virtualKey);
  // Losing activation, to another window or another application, ends the saver.
  void OnActivate(int active);
  void OnActivateApp(int active);
  // Nonzero when the system command gets default processing; the request to start a screen
  // saver and the close command are swallowed.
  static int OnSysCommand(std::uint32_t command);
  // Nonzero when the frame may change to the state asked for: never to inactive.
  static int OnNcActivate(int active);

 private:
  void CarryOut(SaverAction action);

  // The engine only reads the settings; the saver window also advances the screenshot number.
  SaverSettings& m_saverSettings;
  ISaverWndHost& m_saverHost;
  CSaverInput& m_input;
};
