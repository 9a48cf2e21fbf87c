#include "sheet/SheetProtocol.h"

void CSheetProtocol::Open(IPageControls& firstPage) {
  m_active = 0;
  Page(0).OnSetActive(firstPage, m_services);
}

int CSheetProtocol::ChangePage(int page, IPageControls& shownControls, IPageControls& newControls) {
  if (page < 0 || page >= CConfigSheet::kPageCount || page == m_active) {
    return 0;
  }
  if (Page(m_active).OnKillActive(shownControls, m_services) == 0) {
    return 0;
  }
  m_active = page;
  Page(m_active).OnSetActive(newControls, m_services);
  return 1;
}

int CSheetProtocol::PressOk(IPageControls& shownControls) {
  return Page(m_active).OnKillActive(shownControls, m_services);
}
