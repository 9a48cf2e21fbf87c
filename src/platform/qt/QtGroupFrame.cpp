#include "platform/qt/QtGroupFrame.h"

#include <QFontMetrics>
#include <QPainter>

CQtGroupFrame::CQtGroupFrame(const QString& title, QWidget* parent)
    : QWidget(parent), m_title(title) {
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void CQtGroupFrame::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QFontMetrics metrics(font());
  const QRect title(metrics.averageCharWidth() + 2, 0, metrics.horizontalAdvance(m_title) + 4,
                    metrics.height());
  // The frame breaks for its title, which stands on whatever the page is drawn on: a tab pane
  // may be lighter than the window colour.
  painter.setClipRegion(QRegion(rect()).subtracted(title));
  const int top = metrics.height() / 2;
  const QRect frame(0, top, width() - 2, height() - top - 2);
  painter.setPen(palette().color(QPalette::Mid));
  painter.drawRect(frame);
  painter.setPen(palette().color(QPalette::Light));
  painter.drawRect(frame.translated(1, 1));

  painter.setClipping(false);
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawText(title, static_cast<int>(Qt::AlignCenter | Qt::TextSingleLine), m_title);
}
