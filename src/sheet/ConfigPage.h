#pragma once

#include "sheet/DataExchange.h"
#include "sheet/PageControls.h"
#include "sheet/PageTemplates.h"

// One page of the settings sheet: plain members that the sheet fills before it opens and reads
// after it has closed, moved into the controls each time the page is shown and back, with
// validation, when the user leaves it. A page that is never shown never touches its members.
class CConfigPage {
 public:
  explicit CConfigPage(const CPageTemplate& pageTemplate) : m_template(pageTemplate) {}
  virtual ~CConfigPage() = default;
  CConfigPage(const CConfigPage&) = delete;
  CConfigPage& operator=(const CConfigPage&) = delete;

  const CPageTemplate& Template() const { return m_template; }

  // Both directions, member by member in the page's own order.
  virtual void DoDataExchange(CDataExchange& dx) = 0;

  // The page is being shown: members to controls.
  virtual void OnSetActive(IPageControls& controls, CPageServices& services);
  // The page is about to be left (another tab, or OK while it is shown). Nonzero lets it go;
  // 0 keeps it shown and the sheet open.
  virtual int OnKillActive(IPageControls& controls, CPageServices& services);
  // Called whenever the platform paints the page.
  virtual void OnPaint(IPageControls&) {}
  // A push button or radio button `id` was clicked.
  virtual void OnCommand(int, IPageControls&, CPageServices&) {}

  // Nonzero on success; a load cannot fail.
  int UpdateData(IPageControls& controls, IMessageBox& messages, bool saveAndValidate);

 private:
  const CPageTemplate& m_template;
};
