#pragma once

// A pixel rectangle in the Win32 convention: left and top inside, right and bottom outside.
struct CRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  bool IsEmpty() const { return right <= left || bottom <= top; }
};
