#pragma once

#include <QDialog>
#include <QFileIconProvider>
#include <QFileSystemModel>

#include "sheet/PageControls.h"

class QLineEdit;
class QListView;
class QPushButton;

// The folder chooser: the folders inside the folder being shown, entered by a double click
// (or Enter), left by "Up". "Select" returns the folder being shown, never one that is merely
// highlighted in the list. It is made of Qt's file-system model rather than Qt's file dialog:
// that dialog has a "Computer" view that shows no folder at all, and it keeps its history in a
// file of its own in the user's config folder, where this program writes nothing.
class CQtFolderDialog : public QDialog {
 public:
  // An empty start is the home folder; a start that is no folder begins at the nearest folder
  // above it.
  CQtFolderDialog(const QString& startFolder, QWidget* parent);

  // Absolute, without a trailing separator except for the root.
  QString ShownFolder() const { return m_shown; }

  QListView& List() { return *m_list; }
  QPushButton& UpButton() { return *m_up; }
  QPushButton& SelectButton() { return *m_select; }
  QPushButton& CancelButton() { return *m_cancel; }

 private:
  void ShowFolder(const QString& folder);

  // The icons outlive the model that draws with them.
  QFileIconProvider m_icons;
  QFileSystemModel m_model;
  QListView* m_list;
  QLineEdit* m_path;
  QPushButton* m_up;
  QPushButton* m_select;
  QPushButton* m_cancel;
  QString m_shown;
};

class CQtFolderChooser : public IFolderChooser {
 public:
  explicit CQtFolderChooser(QWidget* owner = nullptr) : m_owner(owner) {}
  void SetOwner(QWidget* owner) { m_owner = owner; }
  int ChooseFolder(std::string& folder) override;

 private:
  QWidget* m_owner;
};
