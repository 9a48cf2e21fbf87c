#pragma once

#include <QLineEdit>

// A line edit that holds typing to a character limit and, for the hotkey boxes, turns letters
// into capitals as they are typed, while a longer text set by the program stays whole until
// the user shortens it (the sheet then refuses it when the page is left).
class CQtLimitedEdit : public QLineEdit {
 public:
  CQtLimitedEdit(bool upperCase, QWidget* parent);

  // Sets the text as the program does: neither cut nor changed in case.
  void SetProgramText(const QString& text);
  void SetLimit(int maxChars) { m_limit = maxChars; }

 private:
  void OnTextEdited(const QString& after);

  bool m_upperCase;
  int m_limit = 32767;
  QString m_before;
};
