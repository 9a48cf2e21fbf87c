#pragma once

#include <wayland-client.h>

#include <cstdint>
#include <memory>

// One XRGB8888 buffer in shared memory: the raster canvas's own pixel layout, so rows copy
// without conversion and the canvas can draw straight into it. The compositor reads it from
// attach until it sends release.
class CWaylandBuffer {
 public:
  // Null when the memory cannot be had.
  static std::unique_ptr<CWaylandBuffer> Create(wl_shm* shm, int width, int height);
  ~CWaylandBuffer();
  CWaylandBuffer(const CWaylandBuffer&) = delete;
  CWaylandBuffer& operator=(const CWaylandBuffer&) = delete;

  int Width() const { return m_width; }
  int Height() const { return m_height; }
  std::uint32_t* Pixels() { return m_pixels; }
  wl_buffer* Handle() { return m_buffer; }
  // Called on each release, with the buffer free again.
  void SetReleaseHandler(void (*handler)(void* data, CWaylandBuffer& buffer), void* data) {
    m_onRelease = handler;
    m_releaseData = data;
  }

 private:
  CWaylandBuffer(int width, int height) : m_width(width), m_height(height) {}
  static void OnRelease(void* data, wl_buffer* buffer);

  int m_width;
  int m_height;
  std::uint32_t* m_pixels = nullptr;
  std::size_t m_bytes = 0;
  wl_buffer* m_buffer = nullptr;
  void (*m_onRelease)(void*, CWaylandBuffer&) = nullptr;
  void* m_releaseData = nullptr;
};
