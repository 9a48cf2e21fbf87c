#pragma once

#include <array>
#include <cstdint>

#include "platform/unix/VirtualKeys.h"

// Which layouts of a keymap have Latin letters, learnt once per keymap: a key of a layout
// without them (Cyrillic, Greek) is named by its US position first, as Windows names it.
// Up to four layouts, as XKB has; a layout beyond counts as Latin.
class CLatinLayouts {
 public:
  // A new keymap: nothing known any more.
  void Forget() { m_known.fill(kUnknown); }

  // symbolAt(keycode, layout, shifted) gives the keysym of a key; the keycodes run from first
  // to last.
  template <class SymbolAt>
  bool IsLatin(unsigned layout, unsigned first, unsigned last, SymbolAt symbolAt) {
    if (layout >= m_known.size()) {
      return true;
    }
    if (m_known[layout] == kUnknown) {
      m_known[layout] = kNotLatin;
      for (unsigned keycode = first; keycode <= last && keycode >= first; ++keycode) {
        if (IsLatinLetter(symbolAt(keycode, layout, false)) ||
            IsLatinLetter(symbolAt(keycode, layout, true))) {
          m_known[layout] = kLatin;
          break;
        }
      }
    }
    return m_known[layout] == kLatin;
  }

 private:
  enum Known : std::int8_t { kUnknown, kNotLatin, kLatin };
  std::array<Known, 4> m_known{};
};
