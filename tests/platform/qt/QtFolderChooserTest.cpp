#include "platform/qt/QtFolderChooser.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QListView>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

// Runs the chooser modally from `folder`; `user` acts on the open dialog.
int RunChooser(std::string& folder, const std::function<void(CQtFolderDialog&)>& user) {
  QTimer::singleShot(0, [&] {
    auto* dialog = dynamic_cast<CQtFolderDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    user(*dialog);
  });
  return CQtFolderChooser().ChooseFolder(folder);
}

// Highlights `name` in the list once the folder has been read.
void Highlight(CQtFolderDialog& dialog, const QString& name) {
  QListView& list = dialog.List();
  QTRY_VERIFY(list.model()->rowCount(list.rootIndex()) > 0);
  list.setCurrentIndex(list.model()->index(0, 0, list.rootIndex()));
  EXPECT_EQ(list.currentIndex().data().toString(), name);
}

TEST(QtFolderChooserTest, SelectReturnsTheFolderShownAndWritesNoFile) {
  QTemporaryDir root;
  QDir(root.path()).mkpath("shown/inner");
  const QString shown = root.path() + "/shown";
  std::string folder = (shown + "/missing/deeper").toStdString();
  const int result = RunChooser(folder, [&](CQtFolderDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "Choose folder");
    EXPECT_EQ(dialog.SelectButton().text(), "Select");
    EXPECT_EQ(dialog.ShownFolder(), shown);  // the nearest folder that exists
    Highlight(dialog, "inner");
    QTest::keyClick(&dialog.List(), Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.ShownFolder(), shown + "/inner");
    QTest::mouseClick(&dialog.UpButton(), Qt::LeftButton);
    Highlight(dialog, "inner");
    QTest::mouseClick(&dialog.SelectButton(), Qt::LeftButton);
  });
  EXPECT_EQ(result, kFolderChosen);
  EXPECT_EQ(QString::fromStdString(folder), shown);
  // Qt's file dialog would have left its history in the user's config folder.
  EXPECT_TRUE(QDir(qEnvironmentVariable("XDG_CONFIG_HOME"))
                  .isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
}

TEST(QtFolderChooserTest, TheRootKeepsItsSeparatorAndCancelKeepsTheText) {
  std::string folder = "/";
  EXPECT_EQ(RunChooser(folder,
                       [](CQtFolderDialog& dialog) {
                         EXPECT_FALSE(dialog.UpButton().isEnabled());
                         dialog.SelectButton().click();
                       }),
            kFolderChosen);
  EXPECT_EQ(folder, "/");
  folder.clear();
  EXPECT_EQ(RunChooser(folder,
                       [](CQtFolderDialog& dialog) {
                         EXPECT_EQ(dialog.ShownFolder(), QDir::homePath());
                         QTest::keyClick(&dialog, Qt::Key_Escape);
                       }),
            kFolderCancelled);
  EXPECT_EQ(folder, "");
}

}  // namespace
