#include "platform/qt/QtPageWidget.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

#include "platform/qt/QtDialogFont.h"
#include "platform/qt/QtGroupFrame.h"
#include "platform/qt/QtLimitedEdit.h"
#include "platform/qt/QtRightTextCheckBox.h"
#include "platform/qt/QtStaticText.h"

namespace {

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QWidget* CreateStatic(const CControlTemplate& control, Qt::Alignment alignment, QWidget* parent) {
  return new CQtStaticText(FromUtf8(control.text), alignment, parent);
}

}  // namespace

CQtPageWidget::CQtPageWidget(const CPageTemplate& pageTemplate, const CDialogBaseUnits& units,
                             QWidget* parent)
    : QWidget(parent) {
  setObjectName(FromUtf8(pageTemplate.caption));
  setFixedSize(DialogRect(units, 0, 0, kPageWidthDlu, kPageHeightDlu).size());
  int staticIndex = 0;
  for (const CControlTemplate& control : pageTemplate.controls) {
    QWidget* widget = CreateControl(control);
    widget->setGeometry(DialogRect(units, control.x, control.y, control.cx, control.cy));
    if (control.id == kStaticId) {
      widget->setObjectName(QStringLiteral("static%1").arg(staticIndex++));
    } else {
      widget->setObjectName(ObjectName(control.id));
      m_controls[control.id] = widget;
    }
    // The first control of a template lies on top, as in a Windows dialog, so a frame listed
    // after the controls it holds stays beneath them.
    widget->lower();
  }
}

QWidget* CQtPageWidget::CreateControl(const CControlTemplate& control) {
  const QString text = FromUtf8(control.text);
  switch (control.kind) {
    case ControlKind::kCheckBox:
      return new QCheckBox(text, this);
    case ControlKind::kCheckBoxRightText:
      return new CQtRightTextCheckBox(text, this);
    case ControlKind::kRadio: {
      auto* radio = new QRadioButton(text, this);
      radio->setFocusPolicy(Qt::ClickFocus);  // no tab stop
      if (m_radios == nullptr) {
        m_radios = new QButtonGroup(this);
      }
      m_radios->addButton(radio, control.id);
      connect(radio, &QRadioButton::clicked, this, [this, id = control.id] {
        if (m_onCommand) {
          m_onCommand(id);
        }
      });
      return radio;
    }
    case ControlKind::kEdit:
    case ControlKind::kUpperCaseEdit:
      return new CQtLimitedEdit(control.kind == ControlKind::kUpperCaseEdit, this);
    case ControlKind::kGroupBox:
      return new CQtGroupFrame(text, this);
    case ControlKind::kPushButton: {
      auto* button = new QPushButton(text, this);
      connect(button, &QPushButton::clicked, this, [this, id = control.id] {
        if (m_onCommand) {
          m_onCommand(id);
        }
      });
      return button;
    }
    case ControlKind::kStaticLeft:
      return CreateStatic(control, Qt::AlignLeft, this);
    case ControlKind::kStaticCentre:
      return CreateStatic(control, Qt::AlignHCenter, this);
    case ControlKind::kStaticRight:
      return CreateStatic(control, Qt::AlignRight, this);
  }
  return new QWidget(this);
}

QString CQtPageWidget::ObjectName(int id) {
  return QStringLiteral("control%1").arg(id);
}

QWidget* CQtPageWidget::Control(int id) const {
  const auto it = m_controls.find(id);
  return it == m_controls.end() ? nullptr : it->second;
}

std::string CQtPageWidget::GetText(int id) {
  auto* edit = dynamic_cast<QLineEdit*>(Control(id));
  return edit != nullptr ? edit->text().toStdString() : std::string();
}

void CQtPageWidget::SetText(int id, const std::string& text) {
  if (auto* edit = dynamic_cast<CQtLimitedEdit*>(Control(id))) {
    edit->SetProgramText(QString::fromStdString(text));
  }
}

int CQtPageWidget::GetCheck(int id) {
  auto* button = dynamic_cast<QAbstractButton*>(Control(id));
  return button != nullptr && button->isChecked() ? 1 : 0;
}

void CQtPageWidget::SetCheck(int id, int checked) {
  if (auto* button = dynamic_cast<QAbstractButton*>(Control(id))) {
    button->setChecked(checked != 0);
  }
}

void CQtPageWidget::CheckRadioButton(int first, int last, int checked) {
  // An exclusive group will not clear its checked button on request.
  if (m_radios != nullptr) {
    m_radios->setExclusive(false);
  }
  for (int id = first; id <= last; ++id) {
    SetCheck(id, id == checked ? 1 : 0);
  }
  if (m_radios != nullptr) {
    m_radios->setExclusive(true);
  }
}

void CQtPageWidget::LimitText(int id, int maxChars) {
  if (auto* edit = dynamic_cast<CQtLimitedEdit*>(Control(id))) {
    edit->SetLimit(maxChars);
  }
}

void CQtPageWidget::SetFocus(int id) {
  if (QWidget* widget = Control(id)) {
    widget->setFocus(Qt::OtherFocusReason);
  }
}

void CQtPageWidget::SelectAllText(int id) {
  if (auto* edit = dynamic_cast<QLineEdit*>(Control(id))) {
    edit->selectAll();
  }
}

void CQtPageWidget::paintEvent(QPaintEvent* event) {
  if (m_onPaint) {
    m_onPaint();
  }
  QWidget::paintEvent(event);
}
