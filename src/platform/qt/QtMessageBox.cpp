#include "platform/qt/QtMessageBox.h"

#include <QMessageBox>

#include "platform/qt/QtDialogFont.h"

void CQtMessageBox::ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) {
  QMessageBox box(icon == MessageIcon::kStop ? QMessageBox::Critical : QMessageBox::Warning,
                  QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())),
                  QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                  QMessageBox::Ok, m_owner);
  box.setTextFormat(Qt::PlainText);
  box.setFont(PageDialogFont());
  box.exec();
}
