#include "platform/x11/X11Presenter.h"

#include <X11/Xutil.h>
#include <poll.h>

#include <algorithm>
#include <bit>
#include <cstring>

#include "platform/x11/X11Errors.h"

namespace {

constexpr std::size_t kRingBytes = 1 << 20;

// The framebuffer's layout, 0x00RRGGBB in 32-bit little-endian words, is the server's own
// when its visual has these masks and it keeps depth-24 pixels in 32 bits, low byte first.
bool IsNativeFormat(Display* display, Visual* visual, int depth) {
  if (depth != 24 || visual->red_mask != 0xFF0000 || visual->green_mask != 0xFF00 ||
      visual->blue_mask != 0xFF || ImageByteOrder(display) != LSBFirst ||
      std::endian::native != std::endian::little) {
    return false;
  }
  int count = 0;
  XPixmapFormatValues* formats = XListPixmapFormats(display, &count);
  bool ok = false;
  for (int i = 0; i < count; ++i) {
    if (formats[i].depth == depth) {
      ok = formats[i].bits_per_pixel == 32;
    }
  }
  if (formats != nullptr) {
    XFree(formats);
  }
  return ok;
}

// Places an 8-bit channel under a mask of any width and position.
unsigned long ScaleToMask(std::uint32_t value8, unsigned long mask) {
  if (mask == 0) {
    return 0;
  }
  const int shift = std::countr_zero(mask);
  const int bits = std::popcount(mask);
  const unsigned long value =
      bits >= 8 ? static_cast<unsigned long>(value8) << (bits - 8) : value8 >> (8 - bits);
  return (value << shift) & mask;
}

// Clips (x, y, w, h) to a width x height framebuffer; false when nothing is left.
bool Clip(int width, int height, int& x, int& y, int& w, int& h) {
  const int right = std::min(x + w, width);
  const int bottom = std::min(y + h, height);
  x = std::max(x, 0);
  y = std::max(y, 0);
  w = right - x;
  h = bottom - y;
  return w > 0 && h > 0;
}

}  // namespace

CX11Presenter::CX11Presenter(Display* display, Drawable target, Visual* visual, int depth)
    : m_display(display), m_target(target), m_visual(visual), m_depth(depth) {
  m_gc = XCreateGC(display, target, 0, nullptr);
  m_native = IsNativeFormat(display, visual, depth);
  int major = 0;
  int minor = 0;
  Bool pixmaps = False;
  m_shmUsable = m_native && XShmQueryVersion(display, &major, &minor, &pixmaps) == True;
  if (m_shmUsable) {
    m_completionType = XShmGetEventBase(display) + ShmCompletion;
  }
}

CX11Presenter::~CX11Presenter() {
  ReleaseRing();
  XFreeGC(m_display, m_gc);
}

bool CX11Presenter::AttachRing() {
  // The image only carries the segment and the pixel format; each put sets its own size.
  m_shmImage = XShmCreateImage(m_display, m_visual, static_cast<unsigned>(m_depth), ZPixmap,
                               nullptr, &m_shmInfo, 1, 1);
  if (m_shmImage == nullptr) {
    return false;
  }
  m_shmInfo.shmid = shmget(IPC_PRIVATE, kRingBytes, IPC_CREAT | 0600);
  if (m_shmInfo.shmid < 0) {
    XDestroyImage(m_shmImage);
    m_shmImage = nullptr;
    return false;
  }
  m_shmInfo.shmaddr = static_cast<char*>(shmat(m_shmInfo.shmid, nullptr, 0));
  m_shmInfo.readOnly = True;
  m_shmImage->data = m_shmInfo.shmaddr;
  bool attached =
      m_shmInfo.shmaddr != reinterpret_cast<char*>(-1) && XShmAttach(m_display, &m_shmInfo) == True;
  // A server on another machine refuses the attach with an error, not a result.
  attached = TakeX11Error(m_display) == Success && attached;
  // Marked for removal at once, so the segment goes away with the last detach even if the
  // process is killed.
  shmctl(m_shmInfo.shmid, IPC_RMID, nullptr);
  if (!attached) {
    if (m_shmInfo.shmaddr != reinterpret_cast<char*>(-1)) {
      shmdt(m_shmInfo.shmaddr);
    }
    m_shmImage->data = nullptr;
    XDestroyImage(m_shmImage);
    m_shmImage = nullptr;
    return false;
  }
  return true;
}

void CX11Presenter::ReleaseRing() {
  if (m_shmImage == nullptr) {
    return;
  }
  // The server reads every put before it detaches.
  XShmDetach(m_display, &m_shmInfo);
  XSync(m_display, False);
  shmdt(m_shmInfo.shmaddr);
  m_shmImage->data = nullptr;
  XDestroyImage(m_shmImage);
  m_shmImage = nullptr;
  m_unread = 0;
}

void CX11Presenter::WaitUntilRead() {
  const auto isCompletion = [](Display*, XEvent* event, XPointer self) -> Bool {
    const auto* presenter = reinterpret_cast<const CX11Presenter*>(self);
    return event->type == presenter->m_completionType &&
           reinterpret_cast<const XShmCompletionEvent*>(event)->drawable == presenter->m_target;
  };
  while (m_unread > 0 && !X11ConnectionLost()) {
    XEvent event;
    if (XCheckIfEvent(m_display, &event, isCompletion, reinterpret_cast<XPointer>(this))) {
      --m_unread;
      continue;
    }
    // The puts may still be in our buffer; with them sent, sleep until the server speaks.
    if (XEventsQueued(m_display, QueuedAfterFlush) == 0) {
      pollfd connection{ConnectionNumber(m_display), POLLIN, 0};
      poll(&connection, 1, -1);
      XEventsQueued(m_display, QueuedAfterReading);
    }
  }
}

bool CX11Presenter::HandleEvent(const XEvent& event) {
  if (event.type != m_completionType ||
      reinterpret_cast<const XShmCompletionEvent&>(event).drawable != m_target) {
    return false;
  }
  m_unread = std::max(m_unread - 1, 0);
  return true;
}

void CX11Presenter::FillBlack(int width, int height, int x, int y, int w, int h) {
  if (Clip(width, height, x, y, w, h)) {
    XSetForeground(m_display, m_gc, m_native ? 0 : ConvertPixel(0));
    XFillRectangle(m_display, m_target, m_gc, x, y, static_cast<unsigned>(w),
                   static_cast<unsigned>(h));
  }
}

void CX11Presenter::Present(const std::uint32_t* pixels, int width, int height, int x, int y, int w,
                            int h) {
  if (pixels == nullptr || !Clip(width, height, x, y, w, h)) {
    return;
  }
  if (!m_native) {
    PresentConverted(pixels, width, x, y, w, h);
    return;
  }
  if (m_shmUsable && m_shmImage == nullptr && !AttachRing()) {
    m_shmUsable = false;  // a server on another machine: no use asking again
  }
  if (m_shmUsable) {
    PresentShared(pixels, width, x, y, w, h);
    return;
  }
  XImage* image =
      XCreateImage(m_display, m_visual, static_cast<unsigned>(m_depth), ZPixmap, 0,
                   reinterpret_cast<char*>(const_cast<std::uint32_t*>(pixels)),
                   static_cast<unsigned>(width), static_cast<unsigned>(height), 32, width * 4);
  if (image == nullptr) {
    return;
  }
  XPutImage(m_display, m_target, m_gc, image, x, y, x, y, static_cast<unsigned>(w),
            static_cast<unsigned>(h));
  image->data = nullptr;  // the framebuffer is not ours to free
  XDestroyImage(image);
}

void CX11Presenter::PresentShared(const std::uint32_t* pixels, int width, int x, int y, int w,
                                  int h) {
  const std::size_t rowBytes = static_cast<std::size_t>(w) * 4;
  const int bandRows = static_cast<int>(std::min<std::size_t>(kRingBytes / rowBytes, h));
  for (int first = y; first < y + h; first += bandRows) {
    const int rows = std::min(bandRows, y + h - first);
    const std::size_t bytes = rowBytes * static_cast<std::size_t>(rows);
    if (m_ringUsed + bytes > kRingBytes) {
      WaitUntilRead();
      m_ringUsed = 0;
    }
    char* band = m_shmInfo.shmaddr + m_ringUsed;
    for (int row = 0; row < rows; ++row) {
      std::memcpy(band + static_cast<std::size_t>(row) * rowBytes,
                  pixels + static_cast<std::size_t>(first + row) * width + x, rowBytes);
    }
    m_shmImage->width = w;
    m_shmImage->height = rows;
    m_shmImage->bytes_per_line = static_cast<int>(rowBytes);
    m_shmImage->data = band;
    XShmPutImage(m_display, m_target, m_gc, m_shmImage, 0, 0, x, first, static_cast<unsigned>(w),
                 static_cast<unsigned>(rows), True);
    ++m_unread;
    m_ringUsed += bytes;
  }
  m_shmImage->data = m_shmInfo.shmaddr;
}

unsigned long CX11Presenter::ConvertPixel(std::uint32_t rgb) const {
  const unsigned long colourBits = m_visual->red_mask | m_visual->green_mask | m_visual->blue_mask;
  const unsigned long depthMask = m_depth >= 32 ? 0xFFFFFFFFul : (1ul << m_depth) - 1;
  // Bits outside the colour masks (the alpha of a 32-bit visual) are set: opaque.
  return ScaleToMask((rgb >> 16) & 0xFF, m_visual->red_mask) |
         ScaleToMask((rgb >> 8) & 0xFF, m_visual->green_mask) |
         ScaleToMask(rgb & 0xFF, m_visual->blue_mask) | (~colourBits & depthMask);
}

void CX11Presenter::PresentConverted(const std::uint32_t* pixels, int width, int x, int y, int w,
                                     int h) {
  XImage* image = XCreateImage(m_display, m_visual, static_cast<unsigned>(m_depth), ZPixmap, 0,
                               nullptr, static_cast<unsigned>(w), static_cast<unsigned>(h), 32, 0);
  if (image == nullptr) {
    return;
  }
  m_convertBuffer.resize(static_cast<std::size_t>(image->bytes_per_line) *
                         static_cast<std::size_t>(h));
  image->data = m_convertBuffer.data();
  for (int row = 0; row < h; ++row) {
    const std::uint32_t* source = pixels + static_cast<std::size_t>(y + row) * width + x;
    for (int col = 0; col < w; ++col) {
      XPutPixel(image, col, row, ConvertPixel(source[col]));
    }
  }
  XPutImage(m_display, m_target, m_gc, image, 0, 0, x, y, static_cast<unsigned>(w),
            static_cast<unsigned>(h));
  image->data = nullptr;
  XDestroyImage(image);
}
