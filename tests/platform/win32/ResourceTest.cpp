#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "config/PageTemplates.h"
#include "platform/win32/Win32.h"
#include "resource.h"

// The resources as compiled into the program, read back from the executable: the page
// templates control by control in dialog units, the cursor, the title and the manifest.
namespace {

// Reads a zero-terminated UTF-16 string (the texts are ASCII) and moves past it.
std::string ReadText(const WORD*& p) {
  std::string text;
  while (*p != 0) {
    text += static_cast<char>(*p++);
  }
  ++p;
  return text;
}

// A name-or-ordinal field: 0xFFFF and an ordinal, given as "#<number>", or a string.
std::string ReadName(const WORD*& p) {
  if (*p != 0xFFFF) {
    return ReadText(p);
  }
  p += 2;
  return "#" + std::to_string(p[-1]);
}

const char* const kClassNames[] = {"Button", "Edit", "Static"};

// What each kind of control compiles to: its system class and its style.
struct CKindShape {
  ControlKind kind;
  WORD classAtom;
  DWORD style;
};
constexpr DWORD kTab = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
constexpr DWORD kLabel = WS_CHILD | WS_VISIBLE | WS_GROUP;
constexpr CKindShape kShapes[] = {
    {ControlKind::kCheckBox, 0x80, kTab | BS_AUTOCHECKBOX},
    {ControlKind::kCheckBoxRightText, 0x80, kTab | BS_AUTOCHECKBOX | BS_RIGHT},
    {ControlKind::kRadio, 0x80, WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON},
    {ControlKind::kEdit, 0x81, kTab | WS_BORDER | ES_AUTOHSCROLL},
    {ControlKind::kUpperCaseEdit, 0x81, kTab | WS_BORDER | ES_AUTOHSCROLL | ES_UPPERCASE},
    {ControlKind::kGroupBox, 0x80, WS_CHILD | WS_VISIBLE | BS_GROUPBOX},
    {ControlKind::kPushButton, 0x80, kTab | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER},
    {ControlKind::kStaticLeft, 0x82, kLabel | SS_LEFT},
    {ControlKind::kStaticCentre, 0x82, kLabel | SS_CENTER},
    {ControlKind::kStaticRight, 0x82, kLabel | SS_RIGHT},
};

// The templates the page models and the Qt sheet are built from: the compiled resources must
// hold exactly the same controls.
const CPageTemplate* const kPages[] = {&PageTemplates::kShapes,     &PageTemplates::kDisplay,
                                       &PageTemplates::kColours,    &PageTemplates::kRotation,
                                       &PageTemplates::kZoom,       &PageTemplates::kHotkeys,
                                       &PageTemplates::kJoinTheDots};

// Walks the classic (non-extended) DLGTEMPLATE layout that DIALOG statements compile to.
TEST(ResourceTest, PageTemplatesHoldTheirControlsInTabOrder) {
  for (const CPageTemplate* page : kPages) {
    SCOPED_TRACE(std::string(page->caption));
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(page->resourceId), MAKEINTRESOURCEA(5));
    ASSERT_NE(found, nullptr);  // RT_DIALOG
    const auto* header =
        static_cast<const DLGTEMPLATE*>(LockResource(LoadResource(nullptr, found)));
    EXPECT_EQ(DWORD{header->style},
              static_cast<DWORD>(DS_SETFONT | WS_CHILD | WS_DISABLED | WS_CAPTION));
    EXPECT_EQ(int{header->cx}, kPageWidthDlu);
    EXPECT_EQ(int{header->cy}, kPageHeightDlu);
    const WORD* p = reinterpret_cast<const WORD*>(reinterpret_cast<const BYTE*>(header) + 18);
    ReadName(p);  // menu
    ReadName(p);  // class
    EXPECT_EQ(ReadText(p), page->caption);
    ASSERT_NE(DWORD{header->style} & DS_SETFONT, 0u);
    EXPECT_EQ(*p++, kPageFontPoints);
    EXPECT_EQ(ReadText(p), kPageFontFace);
    ASSERT_EQ(std::size_t{header->cdit}, page->controls.size());
    bool radioSeen = false;
    for (const CControlTemplate& want : page->controls) {
      SCOPED_TRACE(std::string(want.text));
      p = reinterpret_cast<const WORD*>((reinterpret_cast<std::uintptr_t>(p) + 3) &
                                        ~std::uintptr_t{3});
      const auto* item = reinterpret_cast<const DLGITEMTEMPLATE*>(p);
      p = reinterpret_cast<const WORD*>(reinterpret_cast<const BYTE*>(item) + 18);
      // rc writes the predefined classes as ordinals, windres sometimes by name; both name the
      // same system class.
      const std::string className = ReadName(p);
      const std::string text = ReadName(p);
      p = reinterpret_cast<const WORD*>(reinterpret_cast<const BYTE*>(p) + 2 + *p);
      const CKindShape* shape = &kShapes[0];
      while (shape->kind != want.kind) {
        ++shape;
      }
      // The first radio button of a page starts the group the others belong to.
      const bool firstRadio = want.kind == ControlKind::kRadio && !radioSeen;
      radioSeen = radioSeen || want.kind == ControlKind::kRadio;
      EXPECT_EQ(static_cast<short>(item->id), want.id);
      EXPECT_EQ(text, want.text);
      EXPECT_TRUE(className == "#" + std::to_string(shape->classAtom) ||
                  lstrcmpiA(className.c_str(), kClassNames[shape->classAtom - 0x80]) == 0)
          << className;
      EXPECT_EQ(DWORD{item->style}, shape->style | (firstRadio ? WS_GROUP : 0));
      EXPECT_EQ(int{item->x}, want.x);
      EXPECT_EQ(int{item->y}, want.y);
      EXPECT_EQ(int{item->cx}, want.cx);
      EXPECT_EQ(int{item->cy}, want.cy);
    }
  }
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

TEST(ResourceTest, TitleIsTheRegistryNameAndManifestAsksForControlsSixAndDpiAwareness) {
  char title[32] = {};
  ASSERT_GT(LoadStringA(GetModuleHandleA(nullptr), IDS_APP_TITLE, title, sizeof(title)), 0);
  EXPECT_STREQ(title, "spir_ss");
  HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(IDR_MANIFEST), MAKEINTRESOURCEA(24));
  ASSERT_NE(found, nullptr);
  const auto* data = static_cast<const char*>(LockResource(LoadResource(nullptr, found)));
  const std::string text(data, SizeofResource(nullptr, found));
  EXPECT_NE(text.find("Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
            std::string::npos);
  EXPECT_NE(text.find(">true</dpiAware>"), std::string::npos);
}

}  // namespace
