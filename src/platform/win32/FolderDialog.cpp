#include "platform/win32/FolderDialog.h"

#include <commdlg.h>
#include <dlgs.h>

#include <cstdlib>

#include "sheet/ConfigTexts.h"

namespace {

// The dialog window's own procedure while SelectHookProc stands in front of it, and the
// chooser it serves: only one chooser is open at a time.
WNDPROC g_oldFolderDlgProc = nullptr;
CFolderDialog* g_activeChooser = nullptr;

constexpr int kFileNameBufferChars = 260;

RECT ClientRectOf(HWND dialog, int id) {
  RECT rect{};
  HWND control = GetDlgItem(dialog, id);
  GetWindowRect(control, &rect);
  POINT corners[2] = {{rect.left, rect.top}, {rect.right, rect.bottom}};
  ScreenToClient(dialog, &corners[0]);
  ScreenToClient(dialog, &corners[1]);
  return {corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

}  // namespace

int CFolderDialog::ChooseFolder(std::string& folder) {
  // Only names with two dots in a row match, so the list shows folders and, in practice, no
  // files.
  char fileName[kFileNameBufferChars] = "*..*";
  const std::string initialDir = folder;
  OPENFILENAMEA open{};
  open.lStructSize = sizeof(open);
  open.hwndOwner = m_owner;
  open.lpstrFile = fileName;
  open.nMaxFile = kFileNameBufferChars;
  open.lpstrInitialDir = initialDir.empty() ? nullptr : initialDir.c_str();
  open.Flags =
      OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_ENABLEHOOK | OFN_ENABLESIZING | OFN_EXPLORER;
  open.lpfnHook = HookProc;
  open.lCustData = reinterpret_cast<LPARAM>(this);

  m_folder = &folder;
  m_selected = false;
  g_activeChooser = this;
  GetOpenFileNameA(&open);
  g_activeChooser = nullptr;
  m_folder = nullptr;
  return m_selected ? kFolderChosen : kFolderCancelled;
}

UINT_PTR CALLBACK CFolderDialog::HookProc(HWND child, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_NOTIFY) {
    const auto* notify = reinterpret_cast<const OFNOTIFYA*>(lParam);
    if (notify->hdr.code == CDN_INITDONE) {
      auto* self = reinterpret_cast<CFolderDialog*>(notify->lpOFN->lCustData);
      self->OnInitDone(child);
    }
  }
  return 0;
}

void CFolderDialog::OnInitDone(HWND child) {
  // The hook runs in a child of the real dialog window.
  HWND dialog = GetParent(child);
  SendMessageA(dialog, CDM_HIDECONTROL, edt1, 0);  // file name box
  // Dialogs whose file name box is a combo box (Wine's, for one) know it by this id only.
  SendMessageA(dialog, CDM_HIDECONTROL, cmb13, 0);
  SendMessageA(dialog, CDM_HIDECONTROL, stc3, 0);  // its label
  SendMessageA(dialog, CDM_HIDECONTROL, cmb1, 0);  // file type list
  SendMessageA(dialog, CDM_HIDECONTROL, stc2, 0);  // its label

  const RECT cancel = ClientRectOf(dialog, IDCANCEL);
  const RECT ok = ClientRectOf(dialog, IDOK);
  SetWindowPos(GetDlgItem(dialog, IDOK), nullptr, cancel.left - (ok.right - ok.left) - 4,
               cancel.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);

  // The list reaches down to 4 pixels above the buttons, over the hidden fields.
  const RECT list = ClientRectOf(dialog, lst1);
  SetWindowPos(GetDlgItem(dialog, lst1), nullptr, 0, 0, list.right - list.left,
               std::abs(list.top - cancel.top + 4), SWP_NOMOVE | SWP_NOZORDER);

  const std::string select(ConfigTexts::kFolderChooserAccept);
  const std::string title(ConfigTexts::kFolderChooserTitle);
  SendMessageA(dialog, CDM_SETCONTROLTEXT, IDOK, reinterpret_cast<LPARAM>(select.c_str()));
  SetWindowTextA(dialog, title.c_str());

  g_oldFolderDlgProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SelectHookProc)));
}

LRESULT CALLBACK CFolderDialog::SelectHookProc(HWND dialog, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
  // IDOK with notification 0, whatever sent it: the folder being shown is the answer.
  if (message == WM_COMMAND && wParam == IDOK && g_activeChooser != nullptr) {
    char directory[kFileNameBufferChars] = "";
    const DWORD length = GetCurrentDirectoryA(sizeof(directory), directory);
    if (length > 0 && length < sizeof(directory)) {
      *g_activeChooser->m_folder = directory;
    } else if (length >= sizeof(directory)) {
      // Longer than the usual buffer: read it whole; the page's length check reports it.
      std::string longer(length, '\0');
      const DWORD got = GetCurrentDirectoryA(length, longer.data());
      longer.resize(got < length ? got : 0);
      *g_activeChooser->m_folder = longer;
    }
    g_activeChooser->m_selected = true;
    EndDialog(dialog, 1);
    return 0;
  }
  return CallWindowProcA(g_oldFolderDlgProc, dialog, message, wParam, lParam);
}
