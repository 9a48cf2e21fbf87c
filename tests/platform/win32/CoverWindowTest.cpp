#include "platform/win32/CoverWindow.h"

#include <gtest/gtest.h>

// The cover's place; what it passes on to the saver window the end-to-end cases show, on a
// display whose second monitor lies left of the primary.
namespace {

TEST(CoverWindowTest, LiesOverTheVirtualScreenAgainWheneverTheMonitorsChange) {
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  const RECT area{left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                  top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  HWND cover = CCoverWindow::Create();
  // As made, and after news of a change of monitors wherever it was by then.
  for (const UINT news : {WM_NULL, WM_DISPLAYCHANGE}) {
    SendMessageA(cover, news, 32, 0);
    RECT got{};
    GetWindowRect(cover, &got);
    EXPECT_TRUE(EqualRect(&got, &area) && IsWindowVisible(cover)) << news;
    SetWindowPos(cover, nullptr, 10, 10, 20, 20, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  DestroyWindow(cover);
}

}  // namespace
