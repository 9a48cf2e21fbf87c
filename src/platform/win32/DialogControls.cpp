#include "platform/win32/DialogControls.h"

#include <vector>

std::string CDialogControls::GetText(int id) {
  HWND control = GetDlgItem(m_dialog, id);
  const int length = GetWindowTextLengthA(control);
  if (length <= 0) {
    return {};
  }
  std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
  const int got = GetWindowTextA(control, buffer.data(), length + 1);
  return std::string(buffer.data(), static_cast<std::size_t>(got > 0 ? got : 0));
}

void CDialogControls::SetText(int id, const std::string& text) {
  SetDlgItemTextA(m_dialog, id, text.c_str());
}

int CDialogControls::GetCheck(int id) {
  return IsDlgButtonChecked(m_dialog, id) == BST_CHECKED ? 1 : 0;
}

void CDialogControls::SetCheck(int id, int checked) {
  CheckDlgButton(m_dialog, id, checked != 0 ? BST_CHECKED : BST_UNCHECKED);
}

void CDialogControls::CheckRadioButton(int first, int last, int checked) {
  ::CheckRadioButton(m_dialog, first, last, checked);
}

void CDialogControls::LimitText(int id, int maxChars) {
  SendDlgItemMessageA(m_dialog, id, EM_LIMITTEXT, static_cast<WPARAM>(maxChars), 0);
}

void CDialogControls::SetFocus(int id) {
  // The dialog's own way of moving the focus, so that its default button follows.
  HWND control = GetDlgItem(m_dialog, id);
  if (control != nullptr) {
    SendMessageA(m_dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
  }
}

void CDialogControls::SelectAllText(int id) {
  SendDlgItemMessageA(m_dialog, id, EM_SETSEL, 0, -1);
}

void CDialogMessageBox::ShowMessage(std::string_view text, std::string_view caption,
                                    MessageIcon icon) {
  const std::string message(text);
  const std::string title(caption);
  MessageBoxA(m_owner, message.c_str(), title.c_str(),
              MB_OK | (icon == MessageIcon::kStop ? MB_ICONHAND : MB_ICONEXCLAMATION));
}

PathKind CFileAttributesProbe::Probe(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
                   error == ERROR_INVALID_NAME || error == ERROR_BAD_NETPATH
               ? PathKind::kMissing
               : PathKind::kLookupFailed;
  }
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? PathKind::kDirectory
                                                      : PathKind::kNotDirectory;
}
