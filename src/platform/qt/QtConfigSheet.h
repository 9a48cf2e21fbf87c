#pragma once

#include <QDialog>
#include <array>

#include "sheet/ConfigSheet.h"
#include "sheet/SheetProtocol.h"
#include "platform/qt/QtPageWidget.h"

class QPushButton;
class QTabWidget;

// The settings sheet as a modal tabbed dialog: the seven pages in their tab order, OK and
// Cancel. The page protocol decides when a page loads and whether it may be left; this
// dialog only keeps the tab shown in step with it. Cancel, Escape and the close box ask no
// page; exec() returns Accepted only after the shown page let OK through.
class CQtConfigSheet : public QDialog {
 public:
  CQtConfigSheet(CConfigSheet& sheet, CPageServices services, QWidget* parent = nullptr);

  CQtPageWidget& PageWidget(int index) { return *m_pages[static_cast<std::size_t>(index)]; }
  QTabWidget& Tabs() { return *m_tabs; }
  QPushButton& OkButton() { return *m_ok; }
  QPushButton& CancelButton() { return *m_cancel; }
  int ActivePage() const { return m_protocol.ActivePage(); }

 private:
  void OnTabChosen(int index);
  void OnOk();

  CSheetProtocol m_protocol;
  std::array<CQtPageWidget*, CConfigSheet::kPageCount> m_pages{};
  QTabWidget* m_tabs = nullptr;
  QPushButton* m_ok = nullptr;
  QPushButton* m_cancel = nullptr;
  bool m_followingProtocol = false;
};
