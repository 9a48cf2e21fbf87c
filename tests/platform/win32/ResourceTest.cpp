#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/win32/Win32.h"
#include "resource.h"

// The resources as compiled into the program, read back from the executable: the page
// templates control by control in dialog units, the cursor, the title and the manifest.
namespace {

enum Kind {
  kCheck,
  kRightCheck,
  kRadio,
  kFirstRadio,
  kEdit,
  kUpperEdit,
  kGroup,
  kPush,
  kLeft,
  kCentre,
  kRight
};

struct Control {
  int id;
  Kind kind;
  const char* text;
  short x, y, cx, cy;
};

struct Parsed {
  DWORD style = 0;
  int id = 0;
  WORD classAtom = 0;
  std::string text;
  short x = 0, y = 0, cx = 0, cy = 0;
};

struct Template {
  DWORD style = 0;
  short cx = 0, cy = 0;
  std::string caption;
  WORD pointSize = 0;
  std::string font;
  std::vector<Parsed> controls;
};

// Reads a zero-terminated UTF-16 string (the texts are ASCII) and moves past it.
std::string ReadText(const WORD*& p) {
  std::string text;
  while (*p != 0) {
    text += static_cast<char>(*p++);
  }
  ++p;
  return text;
}

// A name-or-ordinal field: 0xFFFF and an ordinal, or a string.
WORD ReadOrdinal(const WORD*& p, std::string* name) {
  if (*p == 0xFFFF) {
    const WORD ordinal = p[1];
    p += 2;
    return ordinal;
  }
  const std::string text = ReadText(p);
  if (name != nullptr) {
    *name = text;
  }
  return 0;
}

// The classic (non-extended) DLGTEMPLATE layout that DIALOG statements compile to.
Template ParseTemplate(int id) {
  Template t;
  HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5));  // RT_DIALOG
  if (found == nullptr) {
    return t;
  }
  const auto* base = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, found)));
  const auto* header = reinterpret_cast<const DLGTEMPLATE*>(base);
  t.style = header->style;
  t.cx = header->cx;
  t.cy = header->cy;
  const WORD* p = reinterpret_cast<const WORD*>(base + 18);
  ReadOrdinal(p, nullptr);  // menu
  ReadOrdinal(p, nullptr);  // class
  t.caption = ReadText(p);
  if ((t.style & DS_SETFONT) != 0) {
    t.pointSize = *p++;
    t.font = ReadText(p);
  }
  for (int i = 0; i < header->cdit; ++i) {
    auto address = reinterpret_cast<std::uintptr_t>(p);
    p = reinterpret_cast<const WORD*>((address + 3) & ~std::uintptr_t{3});
    const auto* item = reinterpret_cast<const DLGITEMTEMPLATE*>(p);
    Parsed c;
    c.style = item->style;
    c.x = item->x;
    c.y = item->y;
    c.cx = item->cx;
    c.cy = item->cy;
    c.id = static_cast<short>(item->id);
    p = reinterpret_cast<const WORD*>(reinterpret_cast<const BYTE*>(item) + 18);
    // rc writes the predefined classes as ordinals, windres sometimes by name; both name the
    // same system class.
    std::string className;
    c.classAtom = ReadOrdinal(p, &className);
    if (lstrcmpiA(className.c_str(), "Button") == 0) {
      c.classAtom = 0x80;
    } else if (lstrcmpiA(className.c_str(), "Edit") == 0) {
      c.classAtom = 0x81;
    } else if (lstrcmpiA(className.c_str(), "Static") == 0) {
      c.classAtom = 0x82;
    }
    ReadOrdinal(p, &c.text);
    p = reinterpret_cast<const WORD*>(reinterpret_cast<const BYTE*>(p) + 2 + *p);
    t.controls.push_back(c);
  }
  return t;
}

DWORD StyleOf(Kind kind) {
  const DWORD base = WS_CHILD | WS_VISIBLE;
  switch (kind) {
    case kCheck:
      return base | WS_TABSTOP | BS_AUTOCHECKBOX;
    case kRightCheck:
      return base | WS_TABSTOP | BS_AUTOCHECKBOX | BS_RIGHT;
    case kRadio:
      return base | BS_AUTORADIOBUTTON;
    case kFirstRadio:
      return base | WS_GROUP | BS_AUTORADIOBUTTON;
    case kEdit:
      return base | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
    case kUpperEdit:
      return base | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL | ES_UPPERCASE;
    case kGroup:
      return base | BS_GROUPBOX;
    case kPush:
      return base | WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER;
    case kLeft:
      return base | WS_GROUP | SS_LEFT;
    case kCentre:
      return base | WS_GROUP | SS_CENTER;
    case kRight:
      return base | WS_GROUP | SS_RIGHT;
  }
  return 0;
}

WORD ClassOf(Kind kind) {
  switch (kind) {
    case kEdit:
    case kUpperEdit:
      return 0x81;
    case kLeft:
    case kCentre:
    case kRight:
      return 0x82;
    default:
      return 0x80;
  }
}

struct Page {
  int resource;
  const char* caption;
  std::vector<Control> controls;
};

const char* const kChosenBelow =
    "\n\nThe curve parameters will be randomly chosen from those selected below";

std::string With(const char* first) {
  return std::string(first) + kChosenBelow;
}

std::vector<Page> Pages() {
  static const std::string shapes = With("Select which shapes you wish to use");
  static const std::string rotation = With("Select which rotation you wish to use");
  static const std::string zoom = With("Select which zoom options you wish to use.");
  static const std::string join = With("Select which options you wish to use");
  return {
      {107,
       "Shapes",
       {{1001, kCheck, "Circle", 20, 65, 55, 10},
        {1002, kCheck, "4 Point Star", 20, 85, 55, 10},
        {1003, kCheck, "6 Point Star", 20, 105, 55, 10},
        {1004, kCheck, "8 Point Star", 20, 125, 55, 10},
        {1005, kCheck, "Square", 115, 65, 55, 10},
        {1006, kCheck, "Diamond", 115, 85, 55, 10},
        {1007, kCheck, "Triangle", 115, 105, 55, 10},
        {1008, kCheck, "Pyramid", 115, 125, 55, 10},
        {-1, kCentre, shapes.c_str(), 32, 20, 144, 35}}},
      {108,
       "Display",
       {{-1, kRight, "Images Per Second :", 30, 81, 75, 10},
        {-1, kRight, "Object Size (%) : ", 30, 101, 75, 10},
        {-1, kRight, "Completion Delay (s) : ", 30, 121, 75, 10},
        {1009, kEdit, "", 110, 80, 30, 12},
        {1010, kEdit, "", 110, 100, 30, 12},
        {1011, kEdit, "", 110, 120, 30, 12},
        {-1, kCentre,
         "The first two options effect the speed of curve generation and size of the object "
         "used.\n\nThe last option defines how long the completed image remains visible, before "
         "starting the next one.",
         23, 21, 164, 47}}},
      {109,
       "Colours",
       {{1012, kFirstRadio, "High", 80, 80, 50, 10},
        {1013, kRadio, "Medium", 80, 100, 50, 10},
        {1014, kRadio, "Low", 80, 120, 50, 10},
        {-1, kCentre,
         "Depending on your monitor and graphic card, you may see what look like gaps in the "
         "curve display. If this is the case, you can stop this by selecting a lower setting "
         "here. ",
         16, 22, 177, 32}}},
      {110,
       "Rotation",
       {{1015, kCheck, "None", 69, 80, 70, 10},
        {1016, kCheck, "Clockwise", 69, 100, 70, 10},
        {1017, kCheck, "Anti-Clockwise", 69, 120, 70, 10},
        {-1, kCentre, rotation.c_str(), 33, 20, 144, 35}}},
      {111,
       "Zoom",
       {{1018, kCheck, "Very High", 17, 70, 46, 10},
        {1019, kCheck, "High", 17, 90, 46, 10},
        {1020, kCheck, "Medium", 17, 110, 46, 10},
        {1021, kCheck, "Low", 17, 130, 46, 10},
        {1022, kCheck, "1 Phase", 80, 80, 40, 10},
        {1023, kCheck, "2 Phase", 80, 100, 40, 10},
        {1024, kCheck, "4 Phase", 80, 120, 40, 10},
        {1025, kCheck, "Start Small", 140, 90, 50, 10},
        {1026, kCheck, "Start Large", 140, 110, 50, 10},
        {-1, kCentre, zoom.c_str(), 32, 20, 144, 35}}},
      {112,
       "Hotkeys",
       {{-1, kCentre,
         "Although this is a screensaver, you can configure it to perform functions via "
         "hotkeys. After the action has been performed, the screensaver will carry on as usual "
         "!!",
         11, 12, 176, 30},
        {1027, kRightCheck, "Activate", 21, 57, 42, 12},
        {1028, kRightCheck, "Activate", 20, 104, 42, 12},
        {1030, kUpperEdit, "", 120, 57, 30, 14},
        {1031, kUpperEdit, "", 120, 104, 30, 14},
        {-1, kGroup, "Pause", 12, 45, 185, 30},
        {-1, kLeft, "Key :  ", 96, 59, 18, 10},
        {-1, kLeft, "Key : ", 96, 105, 18, 10},
        {-1, kLeft, "Location : ", 22, 125, 36, 10},
        {1032, kEdit, "", 61, 123, 98, 13},
        {1033, kPush, "Browse", 162, 121, 32, 16},
        {-1, kGroup, "Screenshots", 12, 91, 185, 50}}},
      {113,
       "Join The Dots",
       {{-1, kCentre, join.c_str(), 29, 20, 151, 35},
        {1041, kCheck, "Yes (only corners joined)", 55, 75, 100, 10},
        {1042, kCheck, "No (only the shape drawn)", 55, 95, 100, 10},
        {1043, kCheck, "Both (corners and shape)", 55, 115, 100, 10}}},
  };
}

TEST(ResourceTest, PageTemplatesHoldTheirControlsInTabOrder) {
  for (const Page& page : Pages()) {
    SCOPED_TRACE(page.caption);
    const Template t = ParseTemplate(page.resource);
    EXPECT_EQ(t.style, static_cast<DWORD>(DS_SETFONT | WS_CHILD | WS_DISABLED | WS_CAPTION));
    EXPECT_EQ(t.cx, 210);
    EXPECT_EQ(t.cy, 154);
    EXPECT_EQ(t.caption, page.caption);
    EXPECT_EQ(t.pointSize, 8);
    EXPECT_EQ(t.font, "MS Sans Serif");
    ASSERT_EQ(t.controls.size(), page.controls.size());
    for (std::size_t i = 0; i < page.controls.size(); ++i) {
      const Control& want = page.controls[i];
      const Parsed& got = t.controls[i];
      SCOPED_TRACE(want.text);
      EXPECT_EQ(got.id, want.id);
      EXPECT_EQ(got.text, want.text);
      EXPECT_EQ(got.classAtom, ClassOf(want.kind));
      EXPECT_EQ(got.style, StyleOf(want.kind));
      EXPECT_EQ(got.x, want.x);
      EXPECT_EQ(got.y, want.y);
      EXPECT_EQ(got.cx, want.cx);
      EXPECT_EQ(got.cy, want.cy);
    }
  }
}

TEST(ResourceTest, PagesCanBeCreatedFromTheirTemplates) {
  // Pages are child dialogs, so they need a parent; a hidden pop-up stands in for the sheet.
  HWND sheet = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(sheet, nullptr);
  for (const Page& page : Pages()) {
    HWND dialog = CreateDialogParamA(
        GetModuleHandleA(nullptr), MAKEINTRESOURCEA(page.resource), sheet,
        [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
    ASSERT_NE(dialog, nullptr) << page.caption;
    for (const Control& c : page.controls) {
      if (c.id > 0) {
        EXPECT_NE(GetDlgItem(dialog, c.id), nullptr) << c.text;
      }
    }
    DestroyWindow(dialog);
  }
  DestroyWindow(sheet);
}

TEST(ResourceTest, ApplicationTitleIsTheRegistryName) {
  char title[32] = {};
  ASSERT_GT(LoadStringA(GetModuleHandleA(nullptr), IDS_APP_TITLE, title, sizeof(title)), 0);
  EXPECT_STREQ(title, "spir_ss");
}

TEST(ResourceTest, CursorIsInvisibleWithItsHotSpotAtTheCorner) {
  HCURSOR cursor = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_INVISIBLE));
  ASSERT_NE(cursor, nullptr);
  ICONINFO info = {};
  ASSERT_TRUE(GetIconInfo(cursor, &info));
  EXPECT_FALSE(info.fIcon);
  EXPECT_EQ(info.xHotspot, 0u);
  EXPECT_EQ(info.yHotspot, 0u);
  EXPECT_EQ(info.hbmColor, nullptr);  // monochrome: AND and XOR masks in one bitmap
  BITMAP mask = {};
  ASSERT_EQ(GetObjectA(info.hbmMask, sizeof(mask), &mask), static_cast<int>(sizeof(mask)));
  EXPECT_EQ(mask.bmWidth, 32);
  EXPECT_EQ(mask.bmHeight, 64);
  std::vector<BYTE> bits(mask.bmWidthBytes * mask.bmHeight);
  ASSERT_EQ(GetBitmapBits(info.hbmMask, static_cast<LONG>(bits.size()), bits.data()),
            static_cast<LONG>(bits.size()));
  const std::size_t half = bits.size() / 2;
  for (std::size_t i = 0; i < bits.size(); ++i) {
    // Top half AND mask all set (keep the screen), bottom half XOR mask all clear.
    ASSERT_EQ(bits[i], i < half ? 0xFF : 0x00) << "byte " << i;
  }
  DeleteObject(info.hbmMask);
}

TEST(ResourceTest, ManifestAsksForCommonControlsSixAndDpiAwareness) {
  HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(IDR_MANIFEST), MAKEINTRESOURCEA(24));
  ASSERT_NE(found, nullptr);
  const auto* data = static_cast<const char*>(LockResource(LoadResource(nullptr, found)));
  const std::string text(data, SizeofResource(nullptr, found));
  EXPECT_NE(text.find("Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
            std::string::npos);
  EXPECT_NE(text.find(">true</dpiAware>"), std::string::npos);
}

}  // namespace
