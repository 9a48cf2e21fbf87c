#include "sheet/PageDisplay.h"

void CPageDisplay::DoDataExchange(CDataExchange& dx) {
  // This order decides which box is reported when several are wrong.
  dx.Unsigned(ControlIds::kObjectSize, m_objectSize, 0, kMaxObjectSize);
  dx.Unsigned(ControlIds::kCompletionDelay, m_completionDelay, 0, kMaxCompletionDelay);
  dx.Unsigned(ControlIds::kImagesPerSec, m_imagesPerSec, kMinImagesPerSec, kMaxImagesPerSec);
}
