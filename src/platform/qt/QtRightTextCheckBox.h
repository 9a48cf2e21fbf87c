#pragma once

#include <QCheckBox>

// A check box whose text stands at the right edge of its box, the box itself at the left.
class CQtRightTextCheckBox : public QCheckBox {
 public:
  using QCheckBox::QCheckBox;

 protected:
  void paintEvent(QPaintEvent* event) override;
};
