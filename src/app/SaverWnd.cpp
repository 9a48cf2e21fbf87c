#include "app/SaverWnd.h"

#include <string>
#include <vector>

#include "app/ScreenshotPath.h"
#include "image/DibFile.h"

CSaverWnd::CSaverWnd(SaverSettings& settings, ISaverWndHost& host)
    : CCurveWnd(settings, host), m_saverSettings(settings), m_saverHost(host) {}

CSaverWnd::~CSaverWnd() = default;

void CSaverWnd::OnMouseMove(std::int32_t x, std::int32_t y) {
  if (MouseMoveCloses(m_mouseStartX, m_mouseStartY, x, y)) {
    m_saverHost.PostClose();
  }
}

void CSaverWnd::OnButtonDown() {
  m_saverHost.PostClose();
}

void CSaverWnd::OnSysKeyDown(std::uint32_t) {
  OnButtonDown();
}

void CSaverWnd::OnKeyDown(std::uint32_t virtualKey) {
  switch (ClassifyKeyDown(m_saverSettings, virtualKey)) {
    case KeyAction::kScreenshot:
      m_saverHost.ShowWaitCursor();
      TakeScreenshot();
      m_saverHost.ShowInvisibleCursor();
      break;
    case KeyAction::kTogglePause:
      TogglePause(m_saverSettings);
      break;
    case KeyAction::kClose:
      m_saverHost.PostClose();
      break;
  }
}

void CSaverWnd::OnActivate(int active) {
  if (active == 0) {
    m_saverHost.PostClose();
  }
}

void CSaverWnd::OnActivateApp(int active) {
  OnActivate(active);
}

int CSaverWnd::OnSysCommand(std::uint32_t command) const {
  return (command == kScScreenSave || command == kScClose) ? 0 : 1;
}

int CSaverWnd::OnNcActivate(int active) const {
  return active != 0 ? 1 : 0;
}

void CSaverWnd::TakeScreenshot() {
  std::vector<std::uint8_t> storage;
  CDeviceBitmap bitmap;
  // A failed capture leaves the description empty, and the image with it; the number still
  // advances, as with any other failed screenshot.
  m_saverHost.CaptureClientArea(m_drawWidth, m_drawHeight, storage, bitmap);
  CDibFile image(&bitmap);

  m_saverSettings.m_sequenceNo = NextSequenceNo(m_saverSettings.m_sequenceNo);
  std::string path;
  // A path too long for the platform's limit is not written at all rather than cut short.
  if (FormatScreenshotPath(m_saverSettings.m_fileLocation, m_saverSettings.m_sequenceNo,
                           m_saverHost.PathSeparator(), path)) {
    image.Save(path);
  }
  m_saverSettings.SaveSequenceNo();
}
