#include "platform/qt/QtLimitedEdit.h"

#include "sheet/TypedEdit.h"

CQtLimitedEdit::CQtLimitedEdit(bool upperCase, QWidget* parent)
    : QLineEdit(parent), m_upperCase(upperCase) {
  connect(this, &QLineEdit::textEdited, this, &CQtLimitedEdit::OnTextEdited);
}

void CQtLimitedEdit::SetProgramText(const QString& text) {
  m_before = text;
  setText(text);
}

void CQtLimitedEdit::OnTextEdited(const QString& after) {
  const CTypedEdit kept = ApplyTypedEdit(m_before.toStdU32String(), after.toStdU32String(),
                                         static_cast<std::size_t>(m_limit), m_upperCase);
  const QString text = QString::fromStdU32String(kept.text);
  if (text != after) {
    setText(text);
    // The cursor counts UTF-16 units; the rule counts code points.
    setCursorPosition(
        static_cast<int>(QString::fromStdU32String(kept.text.substr(0, kept.cursor)).size()));
  }
  m_before = text;
}
