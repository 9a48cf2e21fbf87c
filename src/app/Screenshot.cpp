#include "app/Screenshot.h"

#include <cstdint>
#include <string>
#include <vector>

#include "app/ScreenshotPath.h"
#include "image/DibFile.h"

void TakeScreenshot(SaverSettings& settings, ISaverWndHost& host, int width, int height) {
  std::vector<std::uint8_t> storage;
  CDeviceBitmap bitmap;
  // A failed capture leaves the description empty, and the image with it; the number still
  // advances, as with any other failed screenshot.
  host.CaptureClientArea(width, height, storage, bitmap);
  CDibFile image(&bitmap);

  settings.m_sequenceNo = NextSequenceNo(settings.m_sequenceNo);
  std::string path;
  // A path too long for the platform's limit is not written at all rather than cut short.
  if (FormatScreenshotPath(settings.m_fileLocation, settings.m_sequenceNo, host.PathSeparator(),
                           path)) {
    image.Save(path);
  }
  settings.SaveSequenceNo();
}

void CarryOut(SaverAction action, SaverSettings& settings, ISaverWndHost& host, int width,
              int height) {
  switch (action) {
    case SaverAction::kNone:
      break;
    case SaverAction::kClose:
      host.PostClose();
      break;
    case SaverAction::kScreenshot:
      host.ShowWaitCursor();
      TakeScreenshot(settings, host, width, height);
      host.ShowInvisibleCursor();
      break;
  }
}
