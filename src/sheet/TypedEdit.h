#pragma once

#include <cstddef>
#include <string>

// What typing into an edit box does when the toolkit does not do it by itself: the box's
// character limit stops typing and pasting (a paste is cut to fit), and an upper-case box turns
// the letters typed into capitals. A longer text put there by the program stays whole: only
// the user's additions are held to the limit. Texts are in code points.
struct CTypedEdit {
  std::u32string text;
  std::size_t cursor;
};

// `before` is the box's text before the user's edit and `after` what the toolkit made of it.
// Returns the text the box keeps, with the cursor after the inserted characters.
CTypedEdit ApplyTypedEdit(const std::u32string& before, const std::u32string& after,
                          std::size_t maxChars, bool upperCase);

// The capital of a letter of the Latin-1 range, which is what a one-character hotkey can name
// on the saver's 8-bit code page; every other character is kept.
char32_t UpperCaseLetter(char32_t c);
