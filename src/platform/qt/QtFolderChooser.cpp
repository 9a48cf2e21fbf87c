#include "platform/qt/QtFolderChooser.h"

#include <QDialogButtonBox>

#include "config/ConfigTexts.h"

namespace {

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

CQtFolderDialog::CQtFolderDialog(const QString& startFolder, QWidget* parent)
    : QFileDialog(parent) {
  setOption(QFileDialog::DontUseNativeDialog);
  setFileMode(QFileDialog::Directory);
  setOption(QFileDialog::ShowDirsOnly);
  setWindowTitle(FromUtf8(ConfigTexts::kFolderChooserTitle));
  setLabelText(QFileDialog::Accept, FromUtf8(ConfigTexts::kFolderChooserAccept));
  // An empty start leaves the folder to the dialog.
  if (!startFolder.isEmpty()) {
    setDirectory(startFolder);
  }
  for (const char* name : {"fileNameEdit", "fileNameLabel", "fileTypeCombo", "fileTypeLabel"}) {
    if (auto* field = findChild<QWidget*>(QString::fromLatin1(name))) {
      field->hide();
    }
  }
  // With the name fields gone, "Select" stands beside Cancel on one row.
  if (auto* buttons = findChild<QDialogButtonBox*>()) {
    buttons->setOrientation(Qt::Horizontal);
  }
}

void CQtFolderDialog::accept() {
  // The file dialog's own accept would enter or pick the highlighted entry.
  m_chosen = directory().absolutePath();
  QDialog::accept();
}

int CQtFolderChooser::ChooseFolder(std::string& folder) {
  CQtFolderDialog dialog(QString::fromStdString(folder), m_owner);
  if (dialog.exec() != QDialog::Accepted) {
    return kFolderCancelled;
  }
  folder = dialog.ChosenFolder().toStdString();
  return kFolderChosen;
}
