#pragma once

#include <QWidget>

// A static text as a dialog draws it: words wrapped to the box, "\n" starting a new line,
// lines one font height apart from the top, aligned left, centred or right, and clipped at
// the box's edges.
class CQtStaticText : public QWidget {
 public:
  CQtStaticText(const QString& text, Qt::Alignment alignment, QWidget* parent);

  // The room the text takes at the widget's width: its widest line, without the blanks at the
  // line's ends, and a font height per line.
  QSize Extent() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  // The lines the text breaks into at the widget's width.
  QStringList Lines() const;

  QString m_text;
  Qt::Alignment m_alignment;
};
