#include "sheet/ConfigPage.h"

void CConfigPage::OnSetActive(IPageControls& controls, CPageServices& services) {
  UpdateData(controls, services.messages, false);
}

int CConfigPage::OnKillActive(IPageControls& controls, CPageServices& services) {
  return UpdateData(controls, services.messages, true);
}

int CConfigPage::UpdateData(IPageControls& controls, IMessageBox& messages, bool saveAndValidate) {
  CDataExchange dx(controls, messages, saveAndValidate);
  DoDataExchange(dx);
  return dx.Failed() ? 0 : 1;
}
