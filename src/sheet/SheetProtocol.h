#pragma once

#include "sheet/ConfigSheet.h"
#include "sheet/PageControls.h"

// Which page is shown and when pages load and validate, for a platform whose tab widget does
// not ask pages by itself. A page loads each time it is shown; leaving it (another tab, or OK
// while it is shown) asks it first and stays when it refuses; Cancel asks no page.
class CSheetProtocol {
 public:
  CSheetProtocol(CConfigSheet& sheet, CPageServices services)
      : m_sheet(sheet), m_services(services) {}

  // Shows the first page.
  void Open(IPageControls& firstPage);
  // Nonzero when the shown page let itself be left and `page` is now shown.
  int ChangePage(int page, IPageControls& shownControls, IPageControls& newControls);
  // Nonzero when the sheet may close with OK.
  int PressOk(IPageControls& shownControls);

  int ActivePage() const { return m_active; }
  CConfigPage& Page(int index) { return *m_sheet.Pages()[static_cast<std::size_t>(index)]; }
  CPageServices& Services() { return m_services; }

 private:
  CConfigSheet& m_sheet;
  CPageServices m_services;
  int m_active = 0;
};
