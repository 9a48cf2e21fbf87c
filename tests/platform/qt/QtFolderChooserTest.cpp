#include "platform/qt/QtFolderChooser.h"

#include "platform/qt/QtDialogFont.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListView>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

// Runs the chooser from `folder` and presses Select or Cancel in it: the result and the folder.
std::string Choose(std::string folder, bool select) {
  QTimer::singleShot(0, [select] {
    auto& dialog = dynamic_cast<CQtFolderDialog&>(*QApplication::activeModalWidget());
    (select ? dialog.SelectButton() : dialog.CancelButton()).click();
  });
  const int result = CQtFolderChooser().ChooseFolder(folder);
  return std::to_string(result) + " " + folder;
}

// Highlights the only folder in the list once the list has been read; returns its row's height.
int HighlightTheOnlyFolder(QListView& list) {
  EXPECT_TRUE(QTest::qWaitFor([&] { return list.model()->rowCount(list.rootIndex()) == 1; }));
  list.setCurrentIndex(list.model()->index(0, 0, list.rootIndex()));
  return list.sizeHintForIndex(list.currentIndex()).height();
}

// Inside "inner" lies only a link to it: its row is as high as a folder's.
TEST(QtFolderChooserTest, SelectReturnsTheFolderShownAndNoFileIsWritten) {
  QTemporaryDir root;
  QDir(root.path()).mkpath("shown/inner");
  const QString shown = root.path() + "/shown";
  QFile::link(shown + "/inner", shown + "/inner/link");
  CQtFolderDialog dialog(shown + "/missing/deeper", nullptr);
  EXPECT_EQ(dialog.windowTitle() + "|" + dialog.SelectButton().text(), "Choose folder|Select");
  EXPECT_EQ(dialog.font(), PageDialogFont());
  EXPECT_EQ(dialog.ShownFolder(), shown);  // the nearest folder that exists
  const int folderRow = HighlightTheOnlyFolder(dialog.List());
  QTest::keyClick(&dialog.List(), Qt::Key_Return);
  EXPECT_EQ(dialog.ShownFolder(), shown + "/inner");
  EXPECT_EQ(HighlightTheOnlyFolder(dialog.List()), folderRow);
  dialog.UpButton().click();
  HighlightTheOnlyFolder(dialog.List());
  dialog.SelectButton().click();
  EXPECT_EQ(std::pair(dialog.result(), dialog.ShownFolder()), std::pair(1, shown));

  // The root keeps its separator, and there is nothing above it; an empty start is the home
  // folder, and cancelling changes nothing.
  EXPECT_FALSE(CQtFolderDialog("/", nullptr).UpButton().isEnabled());
  EXPECT_EQ(Choose("/", true), "1 /");
  EXPECT_EQ(CQtFolderDialog("", nullptr).ShownFolder(), QDir::homePath());
  EXPECT_EQ(Choose("", false), "2 ");
  // Qt's own file dialog would have left its history in the user's config folder.
  EXPECT_TRUE(QDir(qEnvironmentVariable("XDG_CONFIG_HOME")).isEmpty());
}

}  // namespace
