#include "platform/qt/QtFolderChooser.h"

#include <QBoxLayout>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QStyle>

#include "sheet/ConfigTexts.h"
#include "platform/qt/QtDialogFont.h"

namespace {

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString NearestFolder(const QString& start) {
  QString folder = QDir::cleanPath(QDir(start.isEmpty() ? QDir::homePath() : start).absolutePath());
  // The root is a folder, so this ends.
  while (!QFileInfo(folder).isDir()) {
    folder = QFileInfo(folder).absolutePath();
  }
  return folder;
}

}  // namespace

CQtFolderDialog::CQtFolderDialog(const QString& startFolder, QWidget* parent)
    : QDialog(parent),
      m_list(new QListView(this)),
      m_path(new QLineEdit(this)),
      m_up(new QPushButton(style()->standardIcon(QStyle::SP_FileDialogToParent), tr("Up"), this)),
      m_select(new QPushButton(FromUtf8(ConfigTexts::kFolderChooserAccept), this)),
      m_cancel(new QPushButton(tr("Cancel"), this)) {
  setWindowTitle(FromUtf8(ConfigTexts::kFolderChooserTitle));
  setFont(PageDialogFont());
  m_model.setIconProvider(&m_icons);
  m_model.setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
  m_model.sort(0);
  m_list->setModel(&m_model);
  // The style's folder icon and its link icon come in different sizes, and each row would
  // take the height of its own: one icon size, and so one row height, for every folder.
  const int iconSide = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
  m_list->setIconSize(QSize(iconSide, iconSide));
  m_list->setUniformItemSizes(true);
  m_path->setReadOnly(true);
  // No default button: Enter in the list enters the highlighted folder and selects nothing.
  m_select->setAutoDefault(false);
  m_cancel->setAutoDefault(false);
  m_up->setAutoDefault(false);

  connect(m_list, &QListView::activated, this,
          [this](const QModelIndex& index) { ShowFolder(m_model.filePath(index)); });
  connect(m_up, &QPushButton::clicked, this,
          [this] { ShowFolder(QFileInfo(m_shown).absolutePath()); });
  connect(m_select, &QPushButton::clicked, this, &QDialog::accept);
  connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* top = new QHBoxLayout;
  top->addWidget(m_path, 1);
  top->addWidget(m_up);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(m_select);
  buttons->addWidget(m_cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(m_list, 1);
  layout->addLayout(buttons);
  resize(440, 320);

  ShowFolder(NearestFolder(startFolder));
}

void CQtFolderDialog::ShowFolder(const QString& folder) {
  m_shown = folder;
  m_list->setRootIndex(m_model.setRootPath(folder));
  m_path->setText(QDir::toNativeSeparators(folder));
  m_up->setEnabled(!QDir(folder).isRoot());
}

int CQtFolderChooser::ChooseFolder(std::string& folder) {
  CQtFolderDialog dialog(QString::fromStdString(folder), m_owner);
  if (dialog.exec() != QDialog::Accepted) {
    return kFolderCancelled;
  }
  folder = dialog.ShownFolder().toStdString();
  return kFolderChosen;
}
