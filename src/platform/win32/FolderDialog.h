#pragma once

#include <string>

#include "platform/win32/Win32.h"
#include "sheet/PageControls.h"

// The folder chooser on the file-open common dialog, Explorer style: its file-name and
// file-type fields hidden, the list stretched over their place, the OK button renamed "Select"
// and moved beside Cancel, the window titled "Choose folder". "Select" returns the folder the
// dialog is showing (the process's current directory, which the dialog keeps on it) instead of
// opening a file. One chooser runs at a time.
class CFolderDialog : public IFolderChooser {
 public:
  // The sheet that owns the chooser and is disabled while it runs; may be null.
  void SetOwner(HWND owner) { m_owner = owner; }

  int ChooseFolder(std::string& folder) override;

 private:
  static UINT_PTR CALLBACK HookProc(HWND child, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK SelectHookProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  void OnInitDone(HWND child);

  HWND m_owner = nullptr;
  std::string* m_folder = nullptr;
  bool m_selected = false;
};
