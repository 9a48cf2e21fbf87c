#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <cstddef>
#include <cstdint>
#include <vector>

// Puts a rectangle of a 0x00RRGGBB framebuffer (rows top-down, stride = width) into a
// window. On the usual 24-bit TrueColor visual the framebuffer is already the server's
// pixel format, so it goes out unchanged: through shared memory when the server offers
// MIT-SHM on this machine, else with XPutImage. Any other visual is converted pixel by
// pixel. The shared memory is a ring of 1 MiB, not a second framebuffer: each rectangle is
// copied to the next free place and the server reads it from there, so the pixels of a tick
// never pass through the connection, and only when the ring wraps does the presenter wait
// for the server to have read what it holds (one round trip every few ticks). Areas larger
// than the ring (an erase of the whole screen) go out in bands of rows.
class CX11Presenter {
 public:
  CX11Presenter(Display* display, Drawable target, Visual* visual, int depth);
  ~CX11Presenter();

  CX11Presenter(const CX11Presenter&) = delete;
  CX11Presenter& operator=(const CX11Presenter&) = delete;

  // (x, y, w, h) is clipped to the framebuffer.
  void Present(const std::uint32_t* pixels, int width, int height, int x, int y, int w, int h);
  // Fills (x, y, w, h), clipped to a width x height framebuffer, with the black that a
  // put of black pixels would give.
  void FillBlack(int width, int height, int x, int y, int w, int h);

 private:
  bool AttachRing();
  void ReleaseRing();
  void PresentShared(const std::uint32_t* pixels, int width, int x, int y, int w, int h);
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
  // Bytes of the ring handed out since the server was last known to have read it all.
  std::size_t m_ringUsed = 0;
  std::vector<char> m_convertBuffer;
};
