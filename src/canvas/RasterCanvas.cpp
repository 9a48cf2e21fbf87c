#include "canvas/RasterCanvas.h"

CRasterCanvas::CRasterCanvas(int width, int height) : m_buffer(0, 0) {
  Resize(width, height);
}

int CRasterCanvas::Resize(int width, int height) {
  const int oldWidth = m_buffer.Width();
  const int oldHeight = m_buffer.Height();
  if (m_buffer.Resize(width, height) == 0) {
    return 0;
  }
  if (m_buffer.Width() != oldWidth || m_buffer.Height() != oldHeight) {
    // A surface of a new size has never been shown; what was changed before is in it.
    CRect dropped;
    m_painter.TakeDirtyRect(dropped);
    m_painter.AddDirty(CRect{0, 0, m_buffer.Width(), m_buffer.Height()});
  }
  return 1;
}
