#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "FakePageControls.h"
#include "config/ConfigSheet.h"
#include "platform/posix/RegFileStore.h"
#include "platform/qt/QtConfigSheet.h"
#include "platform/qt/QtConfigSheetHost.h"
#include "platform/qt/QtDialogFont.h"
#include "platform/qt/QtGroupFrame.h"
#include "platform/qt/QtStaticText.h"

namespace {

using namespace ControlIds;

// The sheet run as the program runs it, on a settings file in a fresh folder, with messages,
// folder lookups and the chooser recorded instead of shown.
class QtSheetTest : public testing::Test {
 protected:
  QtSheetTest() : m_store(m_home.path().toStdString()), m_settings(&m_store) {}

  // Runs RunConfigSheet; `user` acts on the open sheet. A sheet still open afterwards is
  // cancelled, as a user would who gives up.
  void RunSheet(const std::function<void(CQtConfigSheet&)>& user) {
    bool ran = false;
    QTimer::singleShot(0, [&] {
      auto* sheet = dynamic_cast<CQtConfigSheet*>(QApplication::activeModalWidget());
      ran = sheet != nullptr;
      if (sheet != nullptr) {
        EXPECT_TRUE(QTest::qWaitForWindowExposed(sheet));
        user(*sheet);
        if (sheet->isVisible()) {
          sheet->reject();
        }
      }
    });
    CQtConfigSheetHost host(&m_fakes, &m_fakes, &m_fakes);
    RunConfigSheet(m_settings, host);
    EXPECT_TRUE(ran);
  }

  std::uint32_t StoredInt(const char* name) {
    return m_store.GetProfileInt("Settings", name, 0xDEADBEEF);
  }
  std::string StoredText(const char* name) {
    return m_store.GetProfileString("Settings", name, "<absent>");
  }

  static QLineEdit* Edit(CQtConfigSheet& sheet, int page, int id) {
    return dynamic_cast<QLineEdit*>(sheet.PageWidget(page).Control(id));
  }
  static void Retype(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
  }
  static void ChooseTab(CQtConfigSheet& sheet, int index) {
    QTabBar* bar = sheet.Tabs().tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
  }
  static void Check(CQtConfigSheet& sheet, int page, int id) {
    dynamic_cast<QAbstractButton*>(sheet.PageWidget(page).Control(id))->setChecked(true);
  }

  void ExpectMessage(const char* text, const char* caption = "spir_ss",
                     MessageIcon icon = MessageIcon::kExclamation) {
    ASSERT_EQ(m_fakes.messages.shown.size(), 1u);
    EXPECT_EQ(m_fakes.messages.shown[0].text, text);
    EXPECT_EQ(m_fakes.messages.shown[0].caption, caption);
    EXPECT_EQ(m_fakes.messages.shown[0].icon, icon);
    m_fakes.messages.shown.clear();
  }

  QTemporaryDir m_home;
  CRegFileStore m_store;
  SaverSettings m_settings;
  CFakeServices m_fakes;
};

TEST_F(QtSheetTest, ShowsTheSevenPagesWithOkAndCancelLaidOutAsTheTemplates) {
  RunSheet([](CQtConfigSheet& sheet) {
    EXPECT_EQ(sheet.windowTitle(), "Spirandel v2.0");
    QStringList tabs;
    for (int i = 0; i < sheet.Tabs().count(); ++i) {
      tabs << sheet.Tabs().tabText(i);
    }
    EXPECT_EQ(tabs, QStringList({"Display", "Colours", "Rotation", "Shapes", "Zoom",
                                 "Join The Dots", "Hotkeys"}));
    EXPECT_EQ(sheet.Tabs().currentIndex(), 0);
    QStringList buttons;
    for (auto* button : sheet.findChildren<QPushButton*>(Qt::FindDirectChildrenOnly)) {
      buttons << button->text();
    }
    EXPECT_EQ(buttons, QStringList({"OK", "Cancel"}));
    EXPECT_TRUE(sheet.OkButton().isDefault());

    const CDialogBaseUnits units = DialogBaseUnits(PageDialogFont());
    EXPECT_EQ(sheet.PageWidget(0).size(), DialogRect(units, 0, 0, 210, 154).size());
    EXPECT_EQ(sheet.PageWidget(0).Control(kImagesPerSec)->geometry(),
              DialogRect(units, 110, 80, 30, 12));
    EXPECT_EQ(sheet.PageWidget(6).Control(kBrowse)->geometry(),
              DialogRect(units, 162, 121, 32, 16));

    // Every static text fits its box, in the font in use.
    for (int i = 0; i < CConfigSheet::kPageCount; ++i) {
      for (QWidget* child : sheet.PageWidget(i).findChildren<QWidget*>()) {
        if (const auto* text = dynamic_cast<CQtStaticText*>(child)) {
          EXPECT_TRUE(text->rect().contains(QRect({}, text->Extent())))
              << "page " << i << ", " << text->objectName().toStdString();
        }
      }
    }

    // The hotkeys page tabs in template order.
    CQtPageWidget& page = sheet.PageWidget(6);
    QStringList order;
    QWidget* w = page.Control(kPauseActive);
    for (int i = 0; i < 6; ++i) {
      order << w->objectName();
      do {
        w = w->nextInFocusChain();
      } while ((w->focusPolicy() & Qt::TabFocus) == 0 || !page.isAncestorOf(w));
    }
    EXPECT_EQ(order, QStringList({"control1027", "control1028", "control1030", "control1031",
                                  "control1032", "control1033"}));
  });
}

TEST_F(QtSheetTest, OkWritesTheTypedValuesToTheSettingsFile) {
  m_store.WriteProfileInt("Settings", "ImagesPerSec", 36);
  m_store.WriteProfileInt("Settings", "SequenceNo", 12);
  RunSheet([&](CQtConfigSheet& sheet) {
    EXPECT_EQ(Edit(sheet, 0, kImagesPerSec)->text(), "37");
    EXPECT_EQ(Edit(sheet, 0, kObjectSize)->text(), "8");
    Retype(Edit(sheet, 0, kObjectSize), " 29\t");
    Retype(Edit(sheet, 0, kCompletionDelay), "+5");
    QTest::mouseClick(&sheet.OkButton(), Qt::LeftButton);
    EXPECT_FALSE(sheet.isVisible());
  });
  EXPECT_TRUE(m_fakes.messages.shown.empty());
  EXPECT_EQ(StoredInt("RadiusFactor"), 29u);
  EXPECT_EQ(StoredInt("EndDelay"), 5u);
  EXPECT_EQ(StoredInt("ImagesPerSec"), 37u);
  EXPECT_EQ(StoredInt("ObjectShape"), 2u);
  EXPECT_EQ(StoredInt("SequenceNo"), 12u);
  EXPECT_EQ(StoredText("PausingKay"), "");
}

TEST_F(QtSheetTest, CancelEscapeAndCloseWriteNothing) {
  const std::function<void(CQtConfigSheet&)> closers[] = {
      [](CQtConfigSheet& sheet) { QTest::mouseClick(&sheet.CancelButton(), Qt::LeftButton); },
      [](CQtConfigSheet& sheet) { QTest::keyClick(&sheet, Qt::Key_Escape); },
      [](CQtConfigSheet& sheet) { sheet.close(); },
  };
  for (const auto& close : closers) {
    RunSheet([&](CQtConfigSheet& sheet) {
      Retype(Edit(sheet, 0, kObjectSize), "77");
      close(sheet);
      EXPECT_FALSE(sheet.isVisible());
    });
  }
  EXPECT_EQ(StoredInt("RadiusFactor"), 0xDEADBEEFu);
  EXPECT_TRUE(m_fakes.messages.shown.empty());
}

TEST_F(QtSheetTest, ABadNumberKeepsThePageAndFocusesItsBox) {
  RunSheet([&](CQtConfigSheet& sheet) {
    QLineEdit* images = Edit(sheet, 0, kImagesPerSec);
    Retype(images, "-5");
    Retype(Edit(sheet, 0, kObjectSize), "x");
    ChooseTab(sheet, 1);
    ExpectMessage("Please enter a positive integer.");
    EXPECT_EQ(sheet.Tabs().currentIndex(), 0);
    EXPECT_EQ(sheet.focusWidget(), Edit(sheet, 0, kObjectSize));
    EXPECT_EQ(Edit(sheet, 0, kObjectSize)->selectedText(), "x");

    Retype(Edit(sheet, 0, kObjectSize), "9");
    QTest::mouseClick(&sheet.OkButton(), Qt::LeftButton);
    ExpectMessage("Please enter a positive integer.");
    EXPECT_TRUE(sheet.isVisible());
    EXPECT_EQ(sheet.focusWidget(), images);
    EXPECT_EQ(images->selectedText(), "-5");

    Retype(images, "0");
    ChooseTab(sheet, 2);
    ExpectMessage("Please enter an integer between 1 and 1000.");
    Retype(images, "1000");
    ChooseTab(sheet, 2);
    EXPECT_EQ(sheet.Tabs().currentIndex(), 2);
    EXPECT_EQ(sheet.ActivePage(), 2);
  });
  EXPECT_EQ(StoredInt("RadiusFactor"), 0xDEADBEEFu);  // cancelled in the end
}

TEST_F(QtSheetTest, KeyBoxesTakeOneCapitalAndHotkeysMustDiffer) {
  RunSheet([&](CQtConfigSheet& sheet) {
    ChooseTab(sheet, 6);
    ASSERT_EQ(sheet.ActivePage(), 6);
    // Down from a group box's corner to its top edge, then along it: the line breaks for the
    // title onto the page's own background.
    const QImage image = sheet.grab().toImage();
    for (QWidget* frame : sheet.PageWidget(6).findChildren<QWidget*>()) {
      if (dynamic_cast<CQtGroupFrame*>(frame) != nullptr) {
        QPoint at = frame->mapTo(&sheet, QPoint());
        const QRgb background = image.pixel(at);
        while (image.pixel(at) == background)
          at.ry()++;
        while (image.pixel(at) != background)
          at.rx()++;
        EXPECT_LT(at.x() - frame->mapTo(&sheet, QPoint()).x(), 20);
      }
    }
    QLineEdit* pause = Edit(sheet, 6, kPauseKey);
    QLineEdit* print = Edit(sheet, 6, kPrintKey);
    QTest::keyClicks(pause, "pq");
    EXPECT_EQ(pause->text(), "P");
    QTest::keyClicks(print, "p");
    Check(sheet, 6, kPauseActive);
    Check(sheet, 6, kPrintActive);
    QTest::mouseClick(&sheet.OkButton(), Qt::LeftButton);
    ExpectMessage("Active hotkeys must be unique ...", "Error", MessageIcon::kStop);
    EXPECT_EQ(sheet.focusWidget(), print);

    Retype(print, "s");
    Retype(Edit(sheet, 6, kLocation), "/no/such/folder");
    ChooseTab(sheet, 0);
    ExpectMessage("Directory does not exist ...", "Error", MessageIcon::kStop);
    EXPECT_EQ(sheet.focusWidget(), Edit(sheet, 6, kLocation));
    EXPECT_EQ(sheet.ActivePage(), 6);

    // Browse starts in the typed folder and shows the chosen one.
    m_fakes.paths.kinds["/shots"] = PathKind::kDirectory;
    m_fakes.folders.result = kFolderChosen;
    m_fakes.folders.chosen = "/shots";
    QTest::mouseClick(sheet.PageWidget(6).Control(kBrowse), Qt::LeftButton);
    EXPECT_EQ(m_fakes.folders.startedIn, "/no/such/folder");
    EXPECT_EQ(Edit(sheet, 6, kLocation)->text(), "/shots");
    QTest::mouseClick(&sheet.OkButton(), Qt::LeftButton);
    EXPECT_FALSE(sheet.isVisible());
  });
  EXPECT_TRUE(m_fakes.messages.shown.empty());
  EXPECT_EQ(StoredText("PausingKay"), "P");
  EXPECT_EQ(StoredText("PrintingKey"), "S");
  EXPECT_EQ(StoredInt("PausingActive"), 1u);
  EXPECT_EQ(StoredInt("PrintingActive"), 1u);
  EXPECT_EQ(StoredText("FileLocation"), "/shots");
}

TEST_F(QtSheetTest, ALongStoredKeyIsShownWholeAndRefusedOnLeaving) {
  m_store.WriteProfileString("Settings", "PausingKay", "xyz");
  RunSheet([&](CQtConfigSheet& sheet) {
    ChooseTab(sheet, 6);
    QLineEdit* pause = Edit(sheet, 6, kPauseKey);
    EXPECT_EQ(pause->text(), "xyz");
    QTest::keyClick(pause, Qt::Key_End);
    QTest::keyClicks(pause, "w");
    EXPECT_EQ(pause->text(), "xyz");
    ChooseTab(sheet, 0);
    ExpectMessage("Please enter no more than 1 characters.");
    EXPECT_EQ(sheet.focusWidget(), pause);
    EXPECT_EQ(pause->selectedText(), "xyz");
  });
}

TEST_F(QtSheetTest, ColoursShowMediumForAnOddValueAndKeepItUnlessClicked) {
  m_store.WriteProfileInt("Settings", "ColourOption", 20);
  RunSheet([&](CQtConfigSheet& sheet) {
    ChooseTab(sheet, 1);
    sheet.PageWidget(1).repaint();
    auto* medium = dynamic_cast<QRadioButton*>(sheet.PageWidget(1).Control(kColourMedium));
    EXPECT_TRUE(medium->isChecked());
    ChooseTab(sheet, 0);
    QTest::mouseClick(&sheet.OkButton(), Qt::LeftButton);
  });
  EXPECT_EQ(StoredInt("ColourOption"), 20u);

  RunSheet([&](CQtConfigSheet& sheet) {
    ChooseTab(sheet, 1);
    auto* low = dynamic_cast<QRadioButton*>(sheet.PageWidget(1).Control(kColourLow));
    QTest::mouseClick(low, Qt::LeftButton, {}, QPoint(5, low->height() / 2));
    sheet.PageWidget(1).repaint();
    EXPECT_TRUE(low->isChecked());
    QTest::mouseClick(&sheet.OkButton(), Qt::LeftButton);
  });
  EXPECT_EQ(StoredInt("ColourOption"), 50u);
}

}  // namespace
