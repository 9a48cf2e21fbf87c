#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <string>
#include <vector>

#include "sheet/PageTemplates.h"
#include "platform/win32/Win32.h"
#include "resource.h"

// The resources as compiled into the program, read back from the executable: the page
// templates control by control in dialog units, the cursor, the title and the manifest.
namespace {

// A name-or-ordinal field, "#<ordinal>" or the UTF-16 text (ASCII here), and moves past it.
std::string ReadField(const WORD*& p) {
  if (*p == 0xFFFF) {
    p += 2;
    return "#" + std::to_string(p[-1]);
  }
  std::string text;
  while (*p != 0) {
    text += static_cast<char>(*p++);
  }
  ++p;
  return text;
}

constexpr DWORD kTab = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
constexpr DWORD kLabel = WS_CHILD | WS_VISIBLE | WS_GROUP;
// What each kind of control compiles to, in ControlKind order: its style, and its system class
// by the initial of Button (ordinal 0x80), Edit (0x81) or Static (0x82).
// clang-format off
constexpr DWORD kStyles[] = {
    kTab | BS_AUTOCHECKBOX, kTab | BS_AUTOCHECKBOX | BS_RIGHT,
    WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, kTab | WS_BORDER | ES_AUTOHSCROLL,
    kTab | WS_BORDER | ES_AUTOHSCROLL | ES_UPPERCASE,
    WS_CHILD | WS_VISIBLE | BS_GROUPBOX, kTab | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER,
    kLabel | SS_LEFT, kLabel | SS_CENTER, kLabel | SS_RIGHT};
// clang-format on
constexpr char kClasses[] = "BBBEEBBSSS";

// The templates the page models and the Qt sheet are built from: the compiled resources, in the
// classic DLGTEMPLATE layout that DIALOG statements give, must hold exactly the same controls.
TEST(ResourceTest, PageTemplatesHoldTheirControlsInTabOrder) {
  for (const CPageTemplate* page :
       {&PageTemplates::kShapes, &PageTemplates::kDisplay, &PageTemplates::kColours,
        &PageTemplates::kRotation, &PageTemplates::kZoom, &PageTemplates::kHotkeys,
        &PageTemplates::kJoinTheDots}) {
    SCOPED_TRACE(std::string(page->caption));
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(page->resourceId), MAKEINTRESOURCEA(5));
    ASSERT_NE(found, nullptr);
    const auto* header =
        static_cast<const DLGTEMPLATE*>(LockResource(LoadResource(nullptr, found)));
    ASSERT_EQ(header->style, static_cast<DWORD>(DS_SETFONT | WS_CHILD | WS_DISABLED | WS_CAPTION));
    EXPECT_EQ(header->cx, kPageWidthDlu);
    EXPECT_EQ(header->cy, kPageHeightDlu);
    ASSERT_EQ(header->cdit, page->controls.size());
    const WORD* p = reinterpret_cast<const WORD*>(reinterpret_cast<const BYTE*>(header) + 18);
    ReadField(p);  // no menu
    ReadField(p);  // the dialog class
    EXPECT_EQ(ReadField(p), page->caption);
    EXPECT_EQ(*p++, kPageFontPoints);
    EXPECT_EQ(ReadField(p), kPageFontFace);
    bool radioSeen = false;
    for (const CControlTemplate& want : page->controls) {
      SCOPED_TRACE(std::string(want.text));
      p = reinterpret_cast<const WORD*>((reinterpret_cast<std::uintptr_t>(p) + 3) &
                                        ~std::uintptr_t{3});
      const auto* item = reinterpret_cast<const DLGITEMTEMPLATE*>(p);
      p = reinterpret_cast<const WORD*>(item + 1);
      const std::string className = ReadField(p);
      EXPECT_EQ(ReadField(p), want.text);
      p = reinterpret_cast<const WORD*>(reinterpret_cast<const BYTE*>(p) + 2 + *p);
      const int kind = static_cast<int>(want.kind);
      // rc writes the system classes as ordinals, windres sometimes by name.
      const int ordinal = 0x80 + static_cast<int>(std::string("BES").find(kClasses[kind]));
      EXPECT_TRUE(className == "#" + std::to_string(ordinal) ||
                  std::toupper(className[0]) == kClasses[kind])
          << className;
      // The first radio button of a page starts the group the others belong to.
      const bool firstRadio = want.kind == ControlKind::kRadio && !radioSeen;
      radioSeen = radioSeen || want.kind == ControlKind::kRadio;
      EXPECT_EQ(item->style, kStyles[kind] | (firstRadio ? WS_GROUP : 0));
      EXPECT_EQ(static_cast<short>(item->id), want.id);
      EXPECT_EQ(std::vector<int>({item->x, item->y, item->cx, item->cy}),
                std::vector<int>({want.x, want.y, want.cx, want.cy}));
    }
  }
}

// The cursor is invisible with its hot spot at the corner; the title is the registry name; the
// manifest asks for version 6 of the common controls and for DPI awareness.
TEST(ResourceTest, CursorTitleAndManifest) {
  ICONINFO info = {};
  ASSERT_TRUE(
      GetIconInfo(LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_INVISIBLE)), &info));
  // Monochrome, 32 x 32: the AND mask all set (the screen stays) above the XOR mask all clear
  // (nothing changes it).
  std::vector<BYTE> bits(32 * 64 / 8), invisible(32 * 32 / 8, 0xFF);
  invisible.resize(bits.size(), 0x00);
  EXPECT_EQ(GetBitmapBits(info.hbmMask, static_cast<LONG>(bits.size()), bits.data()), 256);
  EXPECT_EQ(std::pair(info.xHotspot + info.yHotspot, bits), std::pair(0ul, invisible));
  DeleteObject(info.hbmMask);

  char title[32] = {};
  LoadStringA(GetModuleHandleA(nullptr), IDS_APP_TITLE, title, sizeof(title));
  EXPECT_STREQ(title, "spir_ss");
  HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(IDR_MANIFEST), MAKEINTRESOURCEA(24));
  ASSERT_NE(found, nullptr);
  const std::string text(static_cast<const char*>(LockResource(LoadResource(nullptr, found))),
                         SizeofResource(nullptr, found));
  EXPECT_NE(text.find("Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
            std::string::npos);
  EXPECT_NE(text.find(">true</dpiAware>"), std::string::npos);
}

}  // namespace
