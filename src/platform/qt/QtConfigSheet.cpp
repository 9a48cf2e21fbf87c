#include "platform/qt/QtConfigSheet.h"

#include <QBoxLayout>
#include <QProxyStyle>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

#include "sheet/ConfigTexts.h"
#include "platform/qt/QtDialogFont.h"

namespace {

// Tabs padded as little as a Windows tab control pads them.
class CQtTightTabStyle : public QProxyStyle {
 public:
  int pixelMetric(PixelMetric metric, const QStyleOption* option,
                  const QWidget* widget) const override {
    if (metric == PM_TabBarTabHSpace) {
      return 12;
    }
    return QProxyStyle::pixelMetric(metric, option, widget);
  }
};

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

CQtConfigSheet::CQtConfigSheet(CConfigSheet& sheet, CPageServices services, QWidget* parent)
    : QDialog(parent), m_protocol(sheet, services) {
  setWindowTitle(FromUtf8(ConfigTexts::kSheetCaption));
  const QFont font = PageDialogFont();
  setFont(font);
  const CDialogBaseUnits units = DialogBaseUnits(font);

  m_tabs = new QTabWidget(this);
  // All seven tabs stay in view, as tight as the style allows; the pane grows to hold them
  // and each page keeps its own size in the middle of it.
  auto* tabStyle = new CQtTightTabStyle;
  tabStyle->setParent(m_tabs);
  m_tabs->tabBar()->setStyle(tabStyle);
  m_tabs->setUsesScrollButtons(false);
  for (int i = 0; i < CConfigSheet::kPageCount; ++i) {
    CConfigPage& model = m_protocol.Page(i);
    auto* page = new CQtPageWidget(model.Template(), units);
    page->SetCommandHandler(
        [this, &model, page](int id) { model.OnCommand(id, *page, m_protocol.Services()); });
    page->SetPaintHandler([&model, page] { model.OnPaint(*page); });
    m_pages[static_cast<std::size_t>(i)] = page;
    auto* holder = new QWidget;
    auto* centre = new QHBoxLayout(holder);
    centre->setContentsMargins(0, 0, 0, 0);
    centre->addWidget(page, 0, Qt::AlignHCenter | Qt::AlignTop);
    m_tabs->addTab(holder, FromUtf8(model.Template().caption));
  }
  connect(m_tabs->tabBar(), &QTabBar::currentChanged, this, &CQtConfigSheet::OnTabChosen);

  m_ok = new QPushButton(tr("OK"), this);
  m_cancel = new QPushButton(tr("Cancel"), this);
  m_ok->setDefault(true);
  const QSize buttonSize = DialogRect(units, 0, 0, 50, 14).size();
  m_ok->setMinimumSize(buttonSize);
  m_cancel->setMinimumSize(buttonSize);
  connect(m_ok, &QPushButton::clicked, this, &CQtConfigSheet::OnOk);
  connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

  const QRect margin = DialogRect(units, 0, 0, 7, 7);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(m_ok);
  buttons->addSpacing(DialogRect(units, 0, 0, 6, 0).width());
  buttons->addWidget(m_cancel);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(margin.width(), margin.height(), margin.width(), margin.height());
  layout->setSpacing(margin.height());
  layout->addWidget(m_tabs);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  m_protocol.Open(*m_pages[0]);
}

void CQtConfigSheet::OnTabChosen(int index) {
  if (m_followingProtocol) {
    return;
  }
  // The tab widget has already switched; put the page being left back on show while it is
  // asked, so its message and focus land on it, then move on only if it lets go.
  const int shown = m_protocol.ActivePage();
  m_followingProtocol = true;
  m_tabs->setCurrentIndex(shown);
  m_followingProtocol = false;
  if (m_protocol.ChangePage(index, *m_pages[static_cast<std::size_t>(shown)],
                            *m_pages[static_cast<std::size_t>(index)]) != 0) {
    m_followingProtocol = true;
    m_tabs->setCurrentIndex(index);
    m_followingProtocol = false;
  }
}

void CQtConfigSheet::OnOk() {
  if (m_protocol.PressOk(*m_pages[static_cast<std::size_t>(m_protocol.ActivePage())]) != 0) {
    accept();
  }
}
