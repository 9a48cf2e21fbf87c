#include "platform/wayland/BufferRing.h"

#include <algorithm>

CBufferRing::SBuffer* CBufferRing::Find(int id) {
  const auto found = std::find_if(m_buffers.begin(), m_buffers.end(),
                                  [id](const SBuffer& buffer) { return buffer.id == id; });
  return found == m_buffers.end() ? nullptr : &*found;
}

CBufferRing::SBuffer* CBufferRing::FreeFitting(const SRingPicture& picture) {
  const auto found = std::find_if(m_buffers.begin(), m_buffers.end(), [&](const SBuffer& buffer) {
    return !buffer.busy && buffer.width == picture.width && buffer.height == picture.height;
  });
  return found == m_buffers.end() ? nullptr : &*found;
}

void CBufferRing::FollowSize(const SRingPicture& picture) {
  if (picture.width == m_width && picture.height == m_height) {
    return;
  }
  m_width = picture.width;
  m_height = picture.height;
  // Even a buffer of the new size, left from before, may lack any of it.
  for (SBuffer& buffer : m_buffers) {
    buffer.stale = CRect{0, 0, buffer.width, buffer.height};
  }
}

void CBufferRing::CatchUp(SBuffer& buffer) {
  if (!buffer.stale.IsEmpty()) {
    m_host.CopyPicture(buffer.id, buffer.stale);
    buffer.stale = CRect{};
  }
}

void CBufferRing::PrepareDrawing(const SRingPicture& picture) {
  FollowSize(picture);
  // The picture is drawn straight into a free buffer, so a point costs no copy of its own and
  // the screen needs no third copy besides the two buffers. Reading a held buffer is allowed,
  // writing it is not.
  const SBuffer* drawnInto = Find(picture.drawnInto);
  if (drawnInto != nullptr && !drawnInto->busy) {
    return;
  }
  // In a buffer the compositor holds (a new one may move the others).
  const bool inHeld = drawnInto != nullptr;
  SBuffer* free = FreeFitting(picture);
  if (free == nullptr && inHeld) {
    free = AddBuffer(picture);
    // A block of its own would cost a screen of memory more and a copy of the whole picture:
    // rather wait for another buffer of the picture's size to come back.
    const bool another = std::any_of(m_buffers.begin(), m_buffers.end(), [&](const SBuffer& b) {
      return b.id != picture.drawnInto && b.width == picture.width && b.height == picture.height;
    });
    if (free == nullptr && another && m_host.WaitForRelease()) {
      free = FreeFitting(picture);
    }
  }
  if (free != nullptr) {
    CatchUp(*free);
    m_host.DrawInto(free->id);
  } else if (inHeld) {
    // Should even that memory be lacking, it has no better place than where it is.
    m_host.DrawIntoOwnBlock();
  }
}

CBufferRing::SBuffer* CBufferRing::AddBuffer(const SRingPicture& picture) {
  if (m_buffers.size() >= kMaxBuffers) {
    return nullptr;
  }
  const int id = m_nextId++;
  if (!m_host.CreateBuffer(id, picture.width, picture.height)) {
    return nullptr;
  }
  // A new buffer is black: it lacks only what is lit.
  m_buffers.push_back({id, picture.width, picture.height, false, picture.lit});
  return &m_buffers.back();
}

void CBufferRing::AddChange(const SRingPicture& picture, const CRect& shown) {
  FollowSize(picture);
  m_unshown = Bounding(m_unshown, shown);
  for (SBuffer& buffer : m_buffers) {
    if (buffer.id != picture.drawnInto) {
      buffer.stale = Bounding(buffer.stale, shown);
    }
  }
}

void CBufferRing::Flush(const SRingPicture& picture) {
  FollowSize(picture);
  if (m_unshown.IsEmpty()) {
    return;
  }
  // Buffers of another size are dropped; one the compositor holds goes once it is back. The
  // picture is never in one of another size.
  std::erase_if(m_buffers, [&](const SBuffer& buffer) {
    const bool drop =
        !buffer.busy && (buffer.width != picture.width || buffer.height != picture.height);
    if (drop) {
      m_host.DestroyBuffer(buffer.id);
    }
    return drop;
  });
  // The buffer the picture is in has the change already.
  SBuffer* target = Find(picture.drawnInto);
  if (target == nullptr || target->busy) {
    target = FreeFitting(picture);
  }
  if (target == nullptr) {
    target = AddBuffer(picture);
  }
  if (target == nullptr) {
    return;  // the next release brings us back
  }
  CatchUp(*target);
  m_host.Commit(target->id, m_unshown);
  target->busy = true;
  m_shownLast = target->id;
  m_unshown = CRect{};
}

void CBufferRing::Released(int id) {
  if (SBuffer* buffer = Find(id)) {
    buffer->busy = false;
  }
}

bool CBufferRing::ReleaseDue() const {
  return std::any_of(m_buffers.begin(), m_buffers.end(), [this](const SBuffer& buffer) {
    return buffer.busy && buffer.id != m_shownLast;
  });
}
