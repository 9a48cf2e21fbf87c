#include "sheet/PageColours.h"

void CPageColours::OnPaint(IPageControls& controls) {
  // Any value but High's and Low's shows as Medium.
  int checked = ControlIds::kColourMedium;
  if (m_colourLevel == 10) {
    checked = ControlIds::kColourHigh;
  } else if (m_colourLevel == 50) {
    checked = ControlIds::kColourLow;
  }
  controls.CheckRadioButton(ControlIds::kColourHigh, ControlIds::kColourLow, checked);
}

void CPageColours::OnCommand(int id, IPageControls&, CPageServices&) {
  switch (id) {
    case ControlIds::kColourHigh:
      OnHigh();
      break;
    case ControlIds::kColourMedium:
      OnMedium();
      break;
    case ControlIds::kColourLow:
      OnLow();
      break;
    default:
      break;
  }
}
