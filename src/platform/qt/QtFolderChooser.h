#pragma once

#include <QFileDialog>

#include "config/PageControls.h"

// Qt's own file dialog turned into a folder chooser: folders only, the file-name and
// file-type fields hidden, titled "Choose folder", and an accept button "Select" that returns
// the folder being shown, not one merely highlighted in the list.
class CQtFolderDialog : public QFileDialog {
 public:
  CQtFolderDialog(const QString& startFolder, QWidget* parent);

  QString ChosenFolder() const { return m_chosen; }

  void accept() override;

 private:
  QString m_chosen;
};

class CQtFolderChooser : public IFolderChooser {
 public:
  explicit CQtFolderChooser(QWidget* owner = nullptr) : m_owner(owner) {}
  void SetOwner(QWidget* owner) { m_owner = owner; }
  int ChooseFolder(std::string& folder) override;

 private:
  QWidget* m_owner;
};
