#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "FakePageControls.h"
#include "platform/posix/RegFileStore.h"
#include "platform/qt/QtConfigSheet.h"
#include "platform/qt/QtConfigSheetHost.h"
#include "platform/qt/QtStaticText.h"

namespace {

using namespace ControlIds;

// The sheet run as the program runs it, on a settings file in a fresh folder, with the real
// folder lookup, and messages and the chooser recorded instead of shown. `user` acts on the open
// sheet; a sheet still open afterwards is cancelled.
class QtSheetTest : public testing::Test {
 protected:
  void RunSheet(const std::function<void(CQtConfigSheet&)>& user) {
    QTimer::singleShot(0, [&] {
      auto& sheet = dynamic_cast<CQtConfigSheet&>(*QApplication::activeModalWidget());
      EXPECT_TRUE(QTest::qWaitForWindowExposed(&sheet));
      user(sheet);
      if (sheet.isVisible()) {
        sheet.reject();
      }
    });
    CQtConfigSheetHost host(&m_fakes, nullptr, &m_fakes);
    RunConfigSheet(m_settings, host);
  }
  std::string Stored(const char* name) {
    return m_store.GetProfileString("Settings", name,
                                    std::to_string(m_store.GetProfileInt("Settings", name, 0)));
  }
  // Types over the whole text of box `id` on page `page`, as a user does; returns the box.
  static QLineEdit* Type(CQtConfigSheet& sheet, int page, int id, const QString& text) {
    auto* box = dynamic_cast<QLineEdit*>(sheet.PageWidget(page).Control(id));
    box->selectAll();
    QTest::keyClicks(box, text);
    return box;
  }
  static void Click(CQtConfigSheet& sheet, int page, int id) {
    QTest::mouseClick(sheet.PageWidget(page).Control(id), Qt::LeftButton, {}, QPoint(6, 6));
  }

  QTemporaryDir m_home;
  CRegFileStore m_store{m_home.path().toStdString()};
  SaverSettings m_settings{&m_store};
  CFakePage m_fakes;
};

TEST_F(QtSheetTest, PlacesThePagesAsTheTemplatesDoWithEveryTextInItsBoxAndCancels) {
  RunSheet([](CQtConfigSheet& sheet) {
    Type(sheet, 0, kObjectSize, "77");
    EXPECT_EQ(sheet.windowTitle() + sheet.OkButton().text() + sheet.CancelButton().text(),
              "Spirandel v2.0OKCancel");
    // Liberation Sans 8 gives the templates' own units: 6 pixels across, 13 down.
    EXPECT_EQ(sheet.PageWidget(6).Control(kBrowse)->geometry(), QRect(243, 197, 48, 26));
    for (int i = 0; i < CConfigSheet::kPageCount; ++i) {
      EXPECT_EQ(sheet.PageWidget(i).size(), QSize(315, 250));
      for (QWidget* child : sheet.PageWidget(i).findChildren<QWidget*>()) {
        if (const auto* text = dynamic_cast<CQtStaticText*>(child)) {
          EXPECT_TRUE(text->rect().contains(QRect({}, text->Extent())))
              << "page " << i << ", " << text->objectName().toStdString();
        }
      }
    }
    sheet.CancelButton().click();
    EXPECT_FALSE(sheet.isVisible());
  });
  EXPECT_EQ(Stored("RadiusFactor"), "0");  // not there
}

// A session over every kind of control, held where the input is wrong, ending in OK.
TEST_F(QtSheetTest, OkWritesWhatTheControlsShowOnceTheShownPageLetsGo) {
  m_store.WriteProfileInt("Settings", "ImagesPerSec", 36);
  m_store.WriteProfileString("Settings", "PausingKay", "xyz");
  m_store.WriteProfileInt("Settings", "ColourOption", 20);
  RunSheet([&](CQtConfigSheet& sheet) {
    EXPECT_EQ(Type(sheet, 0, kImagesPerSec, "")->text(), "37");
    QLineEdit* images = Type(sheet, 0, kImagesPerSec, "-5");
    Type(sheet, 0, kObjectSize, " 29\t");
    sheet.Tabs().setCurrentIndex(1);
    sheet.OkButton().click();
    EXPECT_EQ(m_fakes.messages.size(), 2u);
    EXPECT_EQ(std::tuple(sheet.Tabs().currentIndex(), sheet.focusWidget(), images->selectedText()),
              std::tuple(0, images, QString("-5")));
    Type(sheet, 0, kImagesPerSec, "1");
    // The radio buttons show the value, any odd one as Medium, and change it when clicked.
    sheet.Tabs().setCurrentIndex(1);
    for (const int id : {kColourMedium, kColourLow, kColourHigh}) {
      if (id != kColourMedium) {
        Click(sheet, 1, id);
      }
      sheet.PageWidget(1).repaint();
      EXPECT_TRUE(dynamic_cast<QAbstractButton*>(sheet.PageWidget(1).Control(id))->isChecked())
          << id;
    }

    sheet.Tabs().setCurrentIndex(6);
    // Down from a group box's corner to its top edge, then along it: the line breaks for the
    // title onto the page's own background.
    const QImage image = sheet.grab().toImage();
    const QPoint corner = sheet.PageWidget(6).mapTo(&sheet, QPoint(18, 73));  // "Pause"
    QPoint at = corner;
    while (image.pixel(at) == image.pixel(corner))
      at.ry()++;
    while (image.pixel(at) != image.pixel(corner))
      at.rx()++;
    EXPECT_LT(at.x() - corner.x(), 20);
    // A stored key longer than its box allows is shown whole and takes no more typing.
    auto* pause = dynamic_cast<QLineEdit*>(sheet.PageWidget(6).Control(kPauseKey));
    pause->end(false);
    QTest::keyClicks(pause, "w");
    EXPECT_EQ(pause->text(), "xyz");
    Type(sheet, 6, kPauseKey, "pq");
    EXPECT_EQ(pause->text() + Type(sheet, 6, kPrintKey, "s")->text(), "PS");
    Click(sheet, 6, kPauseActive);
    Click(sheet, 6, kPrintActive);
    Type(sheet, 6, kLocation, "/no/such/folder");
    sheet.OkButton().click();
    EXPECT_EQ(sheet.focusWidget(), sheet.PageWidget(6).Control(kLocation));
    m_fakes.chosen = m_home.path().toStdString();
    Click(sheet, 6, kBrowse);
    EXPECT_EQ(m_fakes.startedIn, "/no/such/folder");
    sheet.OkButton().click();
    EXPECT_FALSE(sheet.isVisible());
  });
  EXPECT_EQ(m_fakes.messages.size(), 3u);
  std::string stored;
  for (const char* name : {"RadiusFactor", "ImagesPerSec", "ColourOption", "PausingKay",
                           "PrintingKey", "PausingActive", "PrintingActive", "FileLocation"}) {
    stored += Stored(name) + " ";
  }
  EXPECT_EQ(stored, "29 1 10 P S 1 1 " + m_home.path().toStdString() + " ");
}

}  // namespace
