#include "platform/wayland/WaylandBuffer.h"

#include <sys/mman.h>
#include <unistd.h>

#include <limits>

std::unique_ptr<CWaylandBuffer> CWaylandBuffer::Create(wl_shm* shm, int width, int height) {
  if (width < 1 || height < 1 || width > std::numeric_limits<int>::max() / 4 / height) {
    return nullptr;
  }
  std::unique_ptr<CWaylandBuffer> self(new CWaylandBuffer(width, height));
  self->m_bytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4;
  const int fd = memfd_create("spirandel-buffer", MFD_CLOEXEC);
  if (fd < 0) {
    return nullptr;
  }
  if (ftruncate(fd, static_cast<off_t>(self->m_bytes)) != 0) {
    close(fd);
    return nullptr;
  }
  void* memory = mmap(nullptr, self->m_bytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
  if (memory == MAP_FAILED) {
    close(fd);
    return nullptr;
  }
  // A fresh file reads as zeros: the buffer starts black.
  self->m_pixels = static_cast<std::uint32_t*>(memory);
  wl_shm_pool* pool = wl_shm_create_pool(shm, fd, static_cast<int>(self->m_bytes));
  self->m_buffer =
      wl_shm_pool_create_buffer(pool, 0, width, height, width * 4, WL_SHM_FORMAT_XRGB8888);
  wl_shm_pool_destroy(pool);
  close(fd);
  static const wl_buffer_listener kListener{&CWaylandBuffer::OnRelease};
  wl_buffer_add_listener(self->m_buffer, &kListener, self.get());
  return self;
}

CWaylandBuffer::~CWaylandBuffer() {
  if (m_buffer != nullptr) {
    wl_buffer_destroy(m_buffer);
  }
  if (m_pixels != nullptr) {
    munmap(m_pixels, m_bytes);
  }
}

void CWaylandBuffer::OnRelease(void* data, wl_buffer*) {
  auto* self = static_cast<CWaylandBuffer*>(data);
  if (self->m_onRelease != nullptr) {
    self->m_onRelease(self->m_releaseData, *self);
  }
}
