#pragma once

#include <cstdint>

#include "sheet/ConfigPage.h"

// The colour setting as three radio buttons over one value. The value changes only when the
// user clicks a button, so a stored value that no button stands for survives a visit.
class CPageColours : public CConfigPage {
 public:
  CPageColours() : CConfigPage(PageTemplates::kColours) {}

  void DoDataExchange(CDataExchange&) override {}
  void OnPaint(IPageControls& controls) override;
  void OnCommand(int id, IPageControls& controls, CPageServices& services) override;

  void OnHigh() { m_colourLevel = 10; }
  void OnMedium() { m_colourLevel = 30; }
  void OnLow() { m_colourLevel = 50; }

  std::int16_t m_colourLevel = 0;
};
