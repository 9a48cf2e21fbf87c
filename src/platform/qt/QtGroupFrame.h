#pragma once

#include <QWidget>

// A dialog's group box: an etched frame whose title is set into its top edge. It only draws;
// the controls it holds are its siblings and take the clicks.
class CQtGroupFrame : public QWidget {
 public:
  CQtGroupFrame(const QString& title, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString m_title;
};
