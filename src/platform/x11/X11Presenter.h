#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <cstdint>
#include <vector>

// Puts a rectangle of a 0x00RRGGBB framebuffer (rows top-down, stride = width) into a
// window. On the usual 24-bit TrueColor visual the framebuffer is already the server's
// pixel format, so it goes out unchanged: through a shared-memory image when the server
// offers MIT-SHM on this machine, else with XPutImage. Any other visual is converted pixel
// by pixel. The shared image is a strip of rows, not a second framebuffer: large areas (an
// erase of the whole screen) go out strip by strip, so memory stays near one framebuffer
// whatever the screen size; the small area of a tick goes through the connection.
class CX11Presenter {
 public:
  CX11Presenter(Display* display, Drawable target, Visual* visual, int depth);
  ~CX11Presenter();

  CX11Presenter(const CX11Presenter&) = delete;
  CX11Presenter& operator=(const CX11Presenter&) = delete;

  // (x, y, w, h) is clipped to the framebuffer.
  void Present(const std::uint32_t* pixels, int width, int height, int x, int y, int w, int h);

  bool UsesSharedMemory() const { return m_shmUsable; }

 private:
  bool EnsureSharedImage(int width);
  void ReleaseSharedImage();
  void PresentConverted(const std::uint32_t* pixels, int width, int x, int y, int w, int h);
  unsigned long ConvertPixel(std::uint32_t rgb) const;

  Display* m_display;
  Drawable m_target;
  Visual* m_visual;
  int m_depth;
  GC m_gc;
  bool m_native = false;
  bool m_shmUsable = false;
  XShmSegmentInfo m_shmInfo{};
  XImage* m_shmImage = nullptr;
  std::vector<char> m_convertBuffer;
};
