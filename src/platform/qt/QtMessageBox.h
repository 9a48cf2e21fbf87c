#pragma once

#include "sheet/PageControls.h"

class QWidget;

// The sheet's messages as Qt message boxes with one OK button, owned by the sheet's window,
// in the sheet's font (a dialog window does not take its owner's).
class CQtMessageBox : public IMessageBox {
 public:
  explicit CQtMessageBox(QWidget* owner = nullptr) : m_owner(owner) {}
  void SetOwner(QWidget* owner) { m_owner = owner; }
  void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) override;

 private:
  QWidget* m_owner;
};
