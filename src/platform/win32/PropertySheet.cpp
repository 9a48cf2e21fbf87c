#include "platform/win32/PropertySheet.h"

#include <commctrl.h>
#include <prsht.h>

#include <array>
#include <string>

#include "sheet/ConfigTexts.h"

namespace {

// What each page's dialog procedure needs: its model and the host that runs the sheet.
struct CPageBinding {
  CPropertySheetHost* host;
  CConfigPage* model;
};

}  // namespace

int CPropertySheetHost::RunModalSheet(CConfigSheet& sheet) {
  const auto models = sheet.Pages();
  std::array<CPageBinding, CConfigSheet::kPageCount> bindings{};
  std::array<PROPSHEETPAGEA, CConfigSheet::kPageCount> pages{};
  for (std::size_t i = 0; i < models.size(); ++i) {
    bindings[i] = {this, models[i]};
    PROPSHEETPAGEA& page = pages[i];
    page.dwSize = sizeof(page);
    page.dwFlags = PSP_DEFAULT;
    page.hInstance = GetModuleHandleA(nullptr);
    page.pszTemplate = MAKEINTRESOURCEA(models[i]->Template().resourceId);
    page.pfnDlgProc = PageProc;
    page.lParam = reinterpret_cast<LPARAM>(&bindings[i]);
  }
  const std::string caption(ConfigTexts::kSheetCaption);
  PROPSHEETHEADERA header{};
  header.dwSize = sizeof(header);
  header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW;
  header.hwndParent = nullptr;
  header.hInstance = GetModuleHandleA(nullptr);
  header.pszCaption = caption.c_str();
  header.nPages = static_cast<UINT>(pages.size());
  header.nStartPage = 0;
  header.ppsp = pages.data();

  // OK reaches the pages as PSN_APPLY once the shown page has let itself be left; that, not
  // PropertySheet's result (which also reports whether anything was marked changed), says
  // how the sheet was closed.
  m_okPressed = false;
  PropertySheetA(&header);
  return m_okPressed ? kSheetOk : IDCANCEL;
}

INT_PTR CALLBACK CPropertySheetHost::PageProc(HWND page, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    const auto* sheetPage = reinterpret_cast<const PROPSHEETPAGEA*>(lParam);
    SetWindowLongPtrA(page, DWLP_USER, sheetPage->lParam);
    return TRUE;
  }
  auto* binding = reinterpret_cast<CPageBinding*>(GetWindowLongPtrA(page, DWLP_USER));
  if (binding == nullptr) {
    return FALSE;
  }
  CPropertySheetHost& host = *binding->host;
  CConfigPage& model = *binding->model;
  CDialogControls controls(page);
  host.m_messages.SetOwner(page);
  host.m_folders.SetOwner(GetParent(page));
  switch (message) {
    case WM_NOTIFY:
      return host.OnNotify(page, model, *reinterpret_cast<const NMHDR*>(lParam));
    case WM_PAINT: {
      PAINTSTRUCT paint;
      BeginPaint(page, &paint);
      model.OnPaint(controls);
      EndPaint(page, &paint);
      return TRUE;
    }
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED) {
        model.OnCommand(LOWORD(wParam), controls, host.m_services);
      }
      return FALSE;
    default:
      return FALSE;
  }
}

INT_PTR CPropertySheetHost::OnNotify(HWND page, CConfigPage& model, const NMHDR& header) {
  CDialogControls controls(page);
  switch (header.code) {
    case PSN_SETACTIVE:
      model.OnSetActive(controls, m_services);
      SetWindowLongPtrA(page, DWLP_MSGRESULT, 0);
      return TRUE;
    case PSN_KILLACTIVE:
      // TRUE keeps the page shown and the sheet open.
      SetWindowLongPtrA(page, DWLP_MSGRESULT,
                        model.OnKillActive(controls, m_services) ? FALSE : TRUE);
      return TRUE;
    case PSN_APPLY:
      m_okPressed = true;
      SetWindowLongPtrA(page, DWLP_MSGRESULT, PSNRET_NOERROR);
      return TRUE;
    default:
      return FALSE;
  }
}
