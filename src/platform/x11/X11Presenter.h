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
// never pass through the connection. The server says it has read a put with a completion
// event, which the event loop reads with its next tick; the ring is written from its start
// again only once every put from it has been read, which at the usual pace it has long been.
// Areas larger than the ring (an erase of the whole screen) go out in bands of rows.
//
// The ring is small on purpose: a copy into it costs less than drawing the canvas in a
// segment of its own would, since a shared segment gets no transparent huge pages on a
// usual system (shmem_enabled=never) and a stamp then touches a page for every row.
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
  // Takes the server's word that it has read a put; false for any other event.
  bool HandleEvent(const XEvent& event);
  // Whether the server has said it has read every put sent.
  bool AllRead() const { return m_unread == 0; }

 private:
  bool AttachRing();
  void ReleaseRing();
  void WaitUntilRead();
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
  int m_completionType = -1;
  // Bytes of the ring handed out since it was last written from its start.
  std::size_t m_ringUsed = 0;
  // Shared puts sent that the server has not said it has read.
  int m_unread = 0;
  std::vector<char> m_convertBuffer;
};
