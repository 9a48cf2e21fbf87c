#include "platform/qt/QtStaticText.h"

#include <QFontMetrics>
#include <QPainter>

CQtStaticText::CQtStaticText(const QString& text, Qt::Alignment alignment, QWidget* parent)
    : QWidget(parent), m_text(text), m_alignment(alignment) {
  setFocusPolicy(Qt::NoFocus);
}

QStringList CQtStaticText::Lines() const {
  const QFontMetrics metrics(font());
  QStringList lines;
  for (const QString& paragraph : m_text.split(QLatin1Char('\n'))) {
    QString line;
    for (const QString& word : paragraph.split(QLatin1Char(' '))) {
      const QString candidate = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
      // A break drops the blank it falls on; a word wider than the box stays on its own line.
      if (!line.isEmpty() && metrics.horizontalAdvance(candidate.trimmed()) > width()) {
        lines << line;
        line = word;
      } else {
        line = candidate;
      }
    }
    lines << line;
  }
  return lines;
}

QSize CQtStaticText::Extent() const {
  const QFontMetrics metrics(font());
  const QStringList lines = Lines();
  int width = 0;
  for (const QString& line : lines) {
    width = std::max(width, metrics.horizontalAdvance(line.trimmed()));
  }
  return {width, static_cast<int>(lines.size()) * metrics.height()};
}

void CQtStaticText::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(palette().color(QPalette::WindowText));
  const QFontMetrics metrics(font());
  int top = 0;
  for (const QString& line : Lines()) {
    const QRect row(0, top, width(), metrics.height());
    painter.drawText(row, static_cast<int>(m_alignment | Qt::AlignTop | Qt::TextSingleLine), line);
    top += metrics.height();
  }
}
