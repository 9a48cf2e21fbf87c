#include "platform/qt/QtFolderChooser.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

namespace {

// Runs the chooser modally from `start`; `user` acts on the open dialog.
int RunChooser(std::string& folder, const std::function<void(CQtFolderDialog&)>& user) {
  QTimer::singleShot(0, [&] {
    auto* dialog = dynamic_cast<CQtFolderDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    user(*dialog);
  });
  CQtFolderChooser chooser;
  return chooser.ChooseFolder(folder);
}

TEST(QtFolderChooserTest, IsTitledChooseFolderWithASelectButtonAndCancelReturns2) {
  QTemporaryDir root;
  std::string folder = root.path().toStdString();
  const std::string before = folder;
  const int result = RunChooser(folder, [&](CQtFolderDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "Choose folder");
    auto* box = dialog.findChild<QDialogButtonBox*>();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->button(QDialogButtonBox::Open)->text(), "Select");
    EXPECT_EQ(dialog.fileMode(), QFileDialog::Directory);
    EXPECT_TRUE(dialog.testOption(QFileDialog::ShowDirsOnly));
    EXPECT_FALSE(dialog.findChild<QWidget*>("fileNameEdit")->isVisible());
    EXPECT_EQ(QDir(dialog.directory()), QDir(root.path()));
    dialog.setDirectory(QDir::rootPath());
    box->button(QDialogButtonBox::Cancel)->click();
  });
  EXPECT_EQ(result, 2);
  EXPECT_EQ(folder, before);
}

TEST(QtFolderChooserTest, SelectReturnsTheFolderShownNotTheOneHighlighted) {
  QTemporaryDir root;
  QDir(root.path()).mkpath("shown/highlighted");
  const QString shown = root.path() + "/shown";
  std::string folder = shown.toStdString();
  const int result = RunChooser(folder, [&](CQtFolderDialog& dialog) {
    dialog.selectFile(shown + "/highlighted");
    dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Open)->click();
  });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(QString::fromStdString(folder), QDir(shown).absolutePath());
}

TEST(QtFolderChooserTest, TheRootFolderKeepsItsSeparator) {
  std::string folder = "/";
  const int result = RunChooser(folder, [](CQtFolderDialog& dialog) { dialog.accept(); });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(folder, "/");
}

}  // namespace
