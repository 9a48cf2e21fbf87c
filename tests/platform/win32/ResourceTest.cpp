#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "config/PageTemplates.h"
#include "platform/win32/Win32.h"
#include "resource.h"

// The resources as compiled into the program, read back from the executable: the page
// templates control by control in dialog units, the cursor, the title and the manifest.
namespace {

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

DWORD StyleOf(ControlKind kind, bool firstRadio) {
  const DWORD base = WS_CHILD | WS_VISIBLE;
  switch (kind) {
    case ControlKind::kCheckBox:
      return base | WS_TABSTOP | BS_AUTOCHECKBOX;
    case ControlKind::kCheckBoxRightText:
      return base | WS_TABSTOP | BS_AUTOCHECKBOX | BS_RIGHT;
    case ControlKind::kRadio:
      return base | BS_AUTORADIOBUTTON | (firstRadio ? WS_GROUP : 0);
    case ControlKind::kEdit:
      return base | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
    case ControlKind::kUpperCaseEdit:
      return base | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL | ES_UPPERCASE;
    case ControlKind::kGroupBox:
      return base | BS_GROUPBOX;
    case ControlKind::kPushButton:
      return base | WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER;
    case ControlKind::kStaticLeft:
      return base | WS_GROUP | SS_LEFT;
    case ControlKind::kStaticCentre:
      return base | WS_GROUP | SS_CENTER;
    case ControlKind::kStaticRight:
      return base | WS_GROUP | SS_RIGHT;
  }
  return 0;
}

WORD ClassOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::kEdit:
    case ControlKind::kUpperCaseEdit:
      return 0x81;
    case ControlKind::kStaticLeft:
    case ControlKind::kStaticCentre:
    case ControlKind::kStaticRight:
      return 0x82;
    default:
      return 0x80;
  }
}

// The templates the page models and the Qt sheet are built from: the compiled resources must
// hold exactly the same controls.
const CPageTemplate* const kPages[] = {&PageTemplates::kShapes,     &PageTemplates::kDisplay,
                                       &PageTemplates::kColours,    &PageTemplates::kRotation,
                                       &PageTemplates::kZoom,       &PageTemplates::kHotkeys,
                                       &PageTemplates::kJoinTheDots};

TEST(ResourceTest, PageTemplatesHoldTheirControlsInTabOrder) {
  for (const CPageTemplate* page : kPages) {
    SCOPED_TRACE(std::string(page->caption));
    const Template t = ParseTemplate(page->resourceId);
    EXPECT_EQ(t.style, static_cast<DWORD>(DS_SETFONT | WS_CHILD | WS_DISABLED | WS_CAPTION));
    EXPECT_EQ(t.cx, kPageWidthDlu);
    EXPECT_EQ(t.cy, kPageHeightDlu);
    EXPECT_EQ(t.caption, page->caption);
    EXPECT_EQ(t.pointSize, kPageFontPoints);
    EXPECT_EQ(t.font, kPageFontFace);
    ASSERT_EQ(t.controls.size(), page->controls.size());
    bool radioSeen = false;
    for (std::size_t i = 0; i < page->controls.size(); ++i) {
      const CControlTemplate& want = page->controls[i];
      const Parsed& got = t.controls[i];
      SCOPED_TRACE(std::string(want.text));
      const bool firstRadio = want.kind == ControlKind::kRadio && !radioSeen;
      radioSeen = radioSeen || want.kind == ControlKind::kRadio;
      EXPECT_EQ(got.id, want.id);
      EXPECT_EQ(got.text, want.text);
      EXPECT_EQ(got.classAtom, ClassOf(want.kind));
      EXPECT_EQ(got.style, StyleOf(want.kind, firstRadio));
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
  for (const CPageTemplate* page : kPages) {
    HWND dialog = CreateDialogParamA(
        GetModuleHandleA(nullptr), MAKEINTRESOURCEA(page->resourceId), sheet,
        [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
    ASSERT_NE(dialog, nullptr) << page->caption;
    for (const CControlTemplate& c : page->controls) {
      if (c.id != kStaticId) {
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
