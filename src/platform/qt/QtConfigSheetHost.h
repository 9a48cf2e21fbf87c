#pragma once

#include "sheet/ConfigSheet.h"
#include "sheet/PageControls.h"

// Runs the settings sheet as a Qt dialog; a QApplication must exist. Tests may put their own
// message boxes, file-system lookup and folder chooser in place of the real ones.
class CQtConfigSheetHost : public IConfigSheetHost {
 public:
  CQtConfigSheetHost(IMessageBox* messages = nullptr, IPathProbe* paths = nullptr,
                     IFolderChooser* folders = nullptr)
      : m_messages(messages), m_paths(paths), m_folders(folders) {}

  int RunModalSheet(CConfigSheet& sheet) override;

 private:
  IMessageBox* m_messages;
  IPathProbe* m_paths;
  IFolderChooser* m_folders;
};
