#pragma once

#include <algorithm>

// A pixel rectangle in the Win32 convention: left and top inside, right and bottom outside.
struct CRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  bool IsEmpty() const { return right <= left || bottom <= top; }
};

// The smallest rectangle holding both; an empty one adds nothing.
inline CRect Bounding(const CRect& a, const CRect& b) {
  if (a.IsEmpty()) {
    return b;
  }
  if (b.IsEmpty()) {
    return a;
  }
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}
