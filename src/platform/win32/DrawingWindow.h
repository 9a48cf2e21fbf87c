#pragma once

#include <memory>

#include "engine/CurveWnd.h"
#include "platform/win32/Win32.h"

// A drawing window on Win32: one window class for both modes, whose procedure hands the
// drawing messages to the engine's handlers. The object lives on the heap and belongs to its
// window once created: it deletes itself after the window's last message.
class CDrawingWindow {
 public:
  virtual ~CDrawingWindow() = default;
  CDrawingWindow(const CDrawingWindow&) = delete;
  CDrawingWindow& operator=(const CDrawingWindow&) = delete;

  // Registers the class on the first call and creates the window with an empty title at the
  // rectangle (parent client coordinates, or screen ones without a parent). Returns the window;
  // on failure null, and the object is gone.
  static HWND Create(std::unique_ptr<CDrawingWindow> window, DWORD exStyle, DWORD style,
                     const RECT& rect, HWND parent);

  // The class's name: one class, registered once per process.
  static const char* ClassName();

  // The application's main window ends the message loop when it goes.
  void SetMainWindow(bool main) { m_mainWindow = main; }

 protected:
  CDrawingWindow() = default;

  virtual CCurveWnd& Engine() = 0;
  virtual HWND Window() const = 0;
  virtual void Attach(HWND window) = 0;
  // The window's messages; the default handles the engine's and leaves the rest to Windows.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK StaticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  bool m_mainWindow = false;
  // Set once CreateWindowExA has returned a window: from then on the window owns the object.
  bool m_ownedByWindow = false;
};
