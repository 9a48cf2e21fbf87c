#include "platform/x11/X11Keyboard.h"

#include <X11/Xutil.h>

#include <string_view>

#include "platform/unix/VirtualKeys.h"

CX11Keyboard::CX11Keyboard(Display* display) : m_display(display) {
  int opcode = 0;
  int errorBase = 0;
  int major = XkbMajorVersion;
  int minor = XkbMinorVersion;
  if (XkbQueryExtension(display, &opcode, &m_eventBase, &errorBase, &major, &minor)) {
    // An XKB client hears of a new keymap, or a new layout, only through these.
    constexpr unsigned kChanges = XkbNewKeyboardNotifyMask | XkbMapNotifyMask;
    XkbSelectEvents(display, XkbUseCoreKbd, kChanges, kChanges);
    Load();
  }
}

CX11Keyboard::~CX11Keyboard() {
  if (m_keymap != nullptr) {
    XkbFreeKeyboard(m_keymap, 0, True);
  }
}

void CX11Keyboard::Load() {
  if (m_keymap != nullptr) {
    XkbFreeKeyboard(m_keymap, 0, True);
  }
  m_keymap = XkbGetMap(m_display, XkbAllClientInfoMask, XkbUseCoreKbd);
  if (m_keymap != nullptr && XkbGetNames(m_display, XkbKeyNamesMask, m_keymap) != Success) {
    XkbFreeKeyboard(m_keymap, 0, True);
    m_keymap = nullptr;
  }
  m_latinGroups.Forget();
}

void CX11Keyboard::HandleEvent(XEvent& event) {
  if (m_eventBase >= 0 && event.type == m_eventBase) {
    const int kind = reinterpret_cast<XkbAnyEvent&>(event).xkb_type;
    if (kind == XkbMapNotify) {
      XkbRefreshKeyboardMapping(&reinterpret_cast<XkbMapNotifyEvent&>(event));
    }
    if (kind == XkbMapNotify || kind == XkbNewKeyboardNotify) {
      Load();
    }
  }
}

unsigned long CX11Keyboard::Symbol(unsigned keycode, unsigned group, bool shifted) const {
  unsigned modifiers = 0;
  KeySym keysym = NoSymbol;
  XkbTranslateKeyCode(m_keymap, static_cast<KeyCode>(keycode),
                      XkbBuildCoreState(shifted ? ShiftMask : 0, group), &modifiers, &keysym);
  return keysym;
}

std::uint32_t CX11Keyboard::VirtualKey(XKeyEvent& event) {
  // On the keypad, Num Lock decides between the digit and the movement key, as on Windows.
  const KeySym first = XLookupKeysym(&event, 0);
  if (IsKeypadKey(first) || IsPrivateKeypadKey(first)) {
    KeySym withNumLock = NoSymbol;
    char text[8];
    XLookupString(&event, text, sizeof text, &withNumLock, nullptr);
    return VirtualKeyFromKeysym(withNumLock != NoSymbol ? withNumLock : first);
  }
  if (m_keymap == nullptr) {
    return VirtualKeyFromKey(XLookupKeysym(&event, 0), XLookupKeysym(&event, 1), {}, true);
  }
  const unsigned group = XkbGroupForCoreState(event.state);
  const unsigned keycode = event.keycode;
  std::string_view name;
  if (m_keymap->names != nullptr && m_keymap->names->keys != nullptr &&
      keycode >= m_keymap->min_key_code && keycode <= m_keymap->max_key_code) {
    const char* raw = m_keymap->names->keys[keycode].name;
    name = std::string_view(raw, XkbKeyNameLength);
    name = name.substr(0, name.find('\0'));
  }
  const bool latin = m_latinGroups.IsLatin(
      group, m_keymap->min_key_code, m_keymap->max_key_code,
      [this](unsigned key, unsigned layout, bool shifted) { return Symbol(key, layout, shifted); });
  return VirtualKeyFromKey(Symbol(keycode, group, false), Symbol(keycode, group, true), name,
                           latin);
}
