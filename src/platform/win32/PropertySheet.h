#pragma once

#include "platform/win32/DialogControls.h"
#include "platform/win32/FolderDialog.h"
#include "sheet/ConfigSheet.h"

// The settings sheet on the common controls' property sheet: PropertySheetA, modal, without
// owner, OK and Cancel and no Apply button, one page per dialog template. The sheet asks the
// shown page before it changes tabs or closes with OK, and the page models answer.
class CPropertySheetHost : public IConfigSheetHost {
 public:
  int RunModalSheet(CConfigSheet& sheet) override;

 private:
  static INT_PTR CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR OnNotify(HWND page, CConfigPage& model, const NMHDR& header);

  CDialogMessageBox m_messages;
  CFileAttributesProbe m_paths;
  CFolderDialog m_folders;
  CPageServices m_services{m_messages, m_paths, m_folders};
  bool m_okPressed = false;
};
