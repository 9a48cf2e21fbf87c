#include "platform/qt/QtConfigSheetHost.h"

#include "sheet/PathProbe.h"
#include "platform/qt/QtConfigSheet.h"
#include "platform/qt/QtFolderChooser.h"
#include "platform/qt/QtMessageBox.h"

int CQtConfigSheetHost::RunModalSheet(CConfigSheet& sheet) {
  CQtMessageBox messages;
  CFileSystemProbe paths;
  CQtFolderChooser folders;
  CPageServices services{m_messages != nullptr ? *m_messages : messages,
                         m_paths != nullptr ? *m_paths : paths,
                         m_folders != nullptr ? *m_folders : folders};
  CQtConfigSheet dialog(sheet, services);
  messages.SetOwner(&dialog);
  folders.SetOwner(&dialog);
  return dialog.exec() == QDialog::Accepted ? kSheetOk : 2;
}
