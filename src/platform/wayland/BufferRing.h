#pragma once

#include <vector>

#include "canvas/Rect.h"

// What the buffer ring asks of the display that holds the buffers and the picture. Buffers
// are named by the ids the ring gives them.
class IBufferRingHost {
 public:
  virtual ~IBufferRingHost() = default;
  // A black buffer of this size; false when it cannot be had.
  virtual bool CreateBuffer(int id, int width, int height) = 0;
  virtual void DestroyBuffer(int id) = 0;
  // Copies rect of the picture, from wherever it lives now, into the buffer.
  virtual void CopyPicture(int id, const CRect& rect) = 0;
  // The picture lives in the buffer's memory from now on; the buffer holds it already.
  virtual void DrawInto(int id) = 0;
  // The picture moves into memory of its own; false when that cannot be had.
  virtual bool DrawIntoOwnBlock() = 0;
  // Shows the buffer with damage; the compositor holds it until it is released.
  virtual void Commit(int id, const CRect& damage) = 0;
  // Waits a little for the compositor to release a buffer (Released comes first); false when
  // none came.
  virtual bool WaitForRelease() = 0;
};

// The picture as the ring sees it at each event: its size, the rectangle outside which it is
// black, and the buffer it lives in (-1 for memory of its own).
struct SRingPicture {
  int width = 0;
  int height = 0;
  CRect lit;
  int drawnInto = -1;
};

// Which shared-memory buffer a picture is shown from and drawn into. A buffer the compositor
// holds is never written; every buffer keeps the rectangle of the picture it still lacks, so
// bringing one up to date copies only that. Two buffers are enough where the compositor
// keeps the shown buffer until the next one comes (sway's software renderer), one where it
// copies and releases it at once; the second is made when a context begins with the first
// held. With both held, a context waits a little for a release; only when none comes is the
// picture drawn meanwhile in memory of its own, never in a third buffer.
class CBufferRing {
 public:
  static constexpr std::size_t kMaxBuffers = 2;

  explicit CBufferRing(IBufferRingHost& host) : m_host(host) {}

  // Before a drawing context on the picture: moves it out of a buffer the compositor holds,
  // into a free one brought up to date, or with none free into memory of its own.
  void PrepareDrawing(const SRingPicture& picture);
  // The picture changed inside shown, which is to reach the screen.
  void AddChange(const SRingPicture& picture, const CRect& shown);
  // Commits what has not reached the screen, from a free buffer of the picture's size
  // (made when there are fewer than two); with none to be had it waits for a release.
  void Flush(const SRingPicture& picture);
  // The compositor is done with the buffer.
  void Released(int id);
  bool AllShown() const { return m_unshown.IsEmpty(); }
  // Whether the compositor holds a buffer other than the one shown last: it lets go of that
  // one soon (sway once it has taken the newer, KWin at its next repaint), while the one shown
  // last it may keep until the next commit.
  bool ReleaseDue() const;

 private:
  struct SBuffer {
    int id;
    int width;
    int height;
    bool busy = false;
    // What this buffer lacks of the picture.
    CRect stale;
  };
  SBuffer* Find(int id);
  SBuffer* FreeFitting(const SRingPicture& picture);
  // A picture of a new size has never been in any buffer.
  void FollowSize(const SRingPicture& picture);
  void CatchUp(SBuffer& buffer);
  // A black buffer of the picture's size while there are fewer than kMaxBuffers.
  SBuffer* AddBuffer(const SRingPicture& picture);

  IBufferRingHost& m_host;
  std::vector<SBuffer> m_buffers;
  int m_nextId = 0;
  int m_width = 0;
  int m_height = 0;
  int m_shownLast = -1;
  // The change not yet on screen.
  CRect m_unshown;
};
