#pragma once

#include "platform/win32/Win32.h"
#include "sheet/PageControls.h"

// A settings page's controls, as the page models see them, on the page's dialog window. Texts
// pass through the ANSI functions unchanged: the settings hold 8-bit text of the system's code
// page, as the registry store reads and writes it.
class CDialogControls : public IPageControls {
 public:
  explicit CDialogControls(HWND dialog) : m_dialog(dialog) {}

  std::string GetText(int id) override;
  void SetText(int id, const std::string& text) override;
  int GetCheck(int id) override;
  void SetCheck(int id, int checked) override;
  void CheckRadioButton(int first, int last, int checked) override;
  void LimitText(int id, int maxChars) override;
  void SetFocus(int id) override;
  void SelectAllText(int id) override;

 private:
  HWND m_dialog;
};

// Message boxes owned by the page that is shown.
class CDialogMessageBox : public IMessageBox {
 public:
  void SetOwner(HWND owner) { m_owner = owner; }
  void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) override;

 private:
  HWND m_owner = nullptr;
};

// The folder test of the Hotkeys page on the file system's attributes.
class CFileAttributesProbe : public IPathProbe {
 public:
  PathKind Probe(const std::string& path) override;
};
