#include "platform/qt/QtRightTextCheckBox.h"

#include <QStyleOptionButton>
#include <QStylePainter>

void CQtRightTextCheckBox::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  const QRect indicator = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
  QStyleOptionButton box = option;
  box.rect = indicator;
  painter.drawPrimitive(QStyle::PE_IndicatorCheckBox, box);

  const int textWidth = option.fontMetrics.horizontalAdvance(option.text);
  QRect label = option.rect;
  label.setLeft(std::max(indicator.right() + 4, option.rect.right() - textWidth - 1));
  painter.drawItemText(label, Qt::AlignRight | Qt::AlignVCenter, option.palette, isEnabled(),
                       option.text, QPalette::WindowText);
  if (hasFocus()) {
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = label.adjusted(-1, 0, 1, 0);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
  }
}
