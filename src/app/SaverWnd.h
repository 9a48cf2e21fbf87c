#pragma once

#include <cstdint>

#include "app/SaverInput.h"
#include "app/SaverWndHost.h"
#include "engine/CurveWnd.h"

// The full-screen saver window: a drawing window that ends the saver on user input, except
// for the pause and screenshot hotkeys, after which it carries on. The platform layers
// translate their events into these handlers and do what the host calls ask.
class CSaverWnd : public CCurveWnd {
 public:
  // System commands that must not reach default processing while the saver runs.
  static constexpr std::uint32_t kScScreenSave = 0xF140;
  static constexpr std::uint32_t kScClose = 0xF060;

  CSaverWnd(SaverSettings& settings, ISaverWndHost& host);
  ~CSaverWnd() override;

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
  int OnSysCommand(std::uint32_t command) const;
  // Nonzero when the frame may change to the state asked for: never to inactive.
  int OnNcActivate(int active) const;

  // Writes what the window shows as the next numbered BMP file in the chosen folder and
  // stores the advanced number, whether or not the file could be written.
  void TakeScreenshot();

  std::int32_t m_mouseStartX = kNoMousePosition;
  std::int32_t m_mouseStartY = kNoMousePosition;

 private:
  // The engine only reads the settings; the saver window also toggles the pause and
  // advances the screenshot number.
  SaverSettings& m_saverSettings;
  ISaverWndHost& m_saverHost;
};
