// gtest first: Xlib defines None, a name gtest uses.
#include <gtest/gtest.h>
// clang-format off
#include "platform/x11/X11Presenter.h"
#include <X11/Xutil.h>
// clang-format on
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/x11/X11Errors.h"

namespace {

// An Xvfb of the test's own, on the display number it picks, with MIT-SHM or without (as a
// remote display is).
class CPrivateXvfb {
 public:
  explicit CPrivateXvfb(bool shared) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) {
      return;
    }
    m_pid = fork();
    if (m_pid == 0) {
      // Quiet, and gone with the test even when it crashes.
      prctl(PR_SET_PDEATHSIG, SIGTERM);
      const int nowhere = open("/dev/null", O_WRONLY);
      dup2(nowhere, 1);
      dup2(nowhere, 2);
      dup2(pipeFds[1], 3);
      std::vector<const char*> args{"Xvfb", "-displayfd", "3", "-nolisten",
                                    "tcp",  "-screen",    "0", "640x480x24"};
      if (!shared) {
        args.insert(args.end(), {"-extension", "MIT-SHM"});
      }
      args.push_back(nullptr);
      execvp("Xvfb", const_cast<char* const*>(args.data()));
      _exit(127);
    }
    close(pipeFds[1]);
    char number[16] = {};
    const ssize_t got = read(pipeFds[0], number, sizeof number - 1);
    close(pipeFds[0]);
    if (got > 0) {
      m_display = XOpenDisplay((":" + std::to_string(std::stoul(number))).c_str());
    }
  }
  ~CPrivateXvfb() {
    if (m_display != nullptr) {
      XCloseDisplay(m_display);
    }
    if (m_pid > 0) {
      kill(m_pid, SIGTERM);
      waitpid(m_pid, nullptr, 0);
    }
  }
  Display* Get() const { return m_display; }

 private:
  pid_t m_pid = -1;
  Display* m_display = nullptr;
};

// A 640x480 canvas whose every pixel differs from the one before it, per call.
class CCanvas {
 public:
  // Clipped to the canvas, as a stamp over its edge is.
  void Paint(int left, int top, int right, int bottom, std::uint32_t seed) {
    for (int y = std::max(top, 0); y < std::min(bottom, kHeight); ++y) {
      for (int x = std::max(left, 0); x < std::min(right, kWidth); ++x) {
        pixels[y * kWidth + x] = (seed * 0x9E3779B1u + x * 131u + y * 7919u) & 0xFFFFFF;
      }
    }
  }
  static constexpr int kWidth = 640;
  static constexpr int kHeight = 480;
  std::vector<std::uint32_t> pixels = std::vector<std::uint32_t>(kWidth * kHeight, 0);
};

std::vector<std::uint32_t> Shown(Display* display, Drawable drawable) {
  std::vector<std::uint32_t> pixels;
  XImage* image =
      XGetImage(display, drawable, 0, 0, CCanvas::kWidth, CCanvas::kHeight, AllPlanes, ZPixmap);
  for (int y = 0; image != nullptr && y < CCanvas::kHeight; ++y) {
    for (int x = 0; x < CCanvas::kWidth; ++x) {
      pixels.push_back(static_cast<std::uint32_t>(XGetPixel(image, x, y)) & 0xFFFFFF);
    }
  }
  if (image != nullptr) {
    XDestroyImage(image);
  }
  return pixels;
}

// Takes every event queued; true when the presenter claimed one.
bool HandleQueued(Display* display, CX11Presenter& presenter) {
  bool heard = false;
  while (XPending(display) > 0) {
    XEvent event;
    XNextEvent(display, &event);
    heard = presenter.HandleEvent(event) || heard;
  }
  return heard;
}

class X11PresenterTest : public testing::TestWithParam<bool> {};

// Whole screens (each more than the ring holds at once, so it wraps again and again), small
// rectangles between them and rectangles over the edges: the screen shows the canvas, whether the
// rectangles went through the shared ring or through the connection; the server's word that it has
// read a shared put comes as an event the presenter claims, and no other.
TEST_P(X11PresenterTest, ShowsWhatTheCanvasHolds) {
  const bool shared = GetParam();
  CPrivateXvfb server(shared);
  Display* display = server.Get();
  ASSERT_NE(display, nullptr) << "Xvfb did not start";
  InstallX11ErrorRecorder();
  const int screen = DefaultScreen(display);
  const Pixmap target =
      XCreatePixmap(display, RootWindow(display, screen), CCanvas::kWidth, CCanvas::kHeight, 24);
  CX11Presenter presenter(display, target, DefaultVisual(display, screen), 24);
  CCanvas canvas;
  struct STick {
    int left, top, right, bottom;
  };
  const std::vector<STick> ticks{{0, 0, 640, 480}, {10, 10, 30, 20},   {600, 440, 640, 480},
                                 {0, 0, 640, 480}, {0, 5, 2, 6},       {0, 0, 640, 480},
                                 {0, 0, 640, 480}, {100, 0, 101, 480}, {-5, 470, 30, 500},
                                 {630, -3, 700, 8}};
  std::uint32_t seed = 1;
  for (const STick& tick : ticks) {
    canvas.Paint(tick.left, tick.top, tick.right, tick.bottom, seed++);
    presenter.Present(canvas.pixels.data(), CCanvas::kWidth, CCanvas::kHeight, tick.left, tick.top,
                      tick.right - tick.left, tick.bottom - tick.top);
    EXPECT_EQ(presenter.AllRead(), !shared);
  }
  XSync(display, False);
  EXPECT_EQ(Shown(display, target), canvas.pixels);
  EXPECT_EQ(HandleQueued(display, presenter), shared);
  EXPECT_TRUE(presenter.AllRead());
  XEvent other{};
  other.type = Expose;
  EXPECT_FALSE(presenter.HandleEvent(other));
  XFreePixmap(display, target);
}

INSTANTIATE_TEST_SUITE_P(SharedOrNot, X11PresenterTest, testing::Values(false, true));

}  // namespace
