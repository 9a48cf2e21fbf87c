#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "settings/SaverSettings.h"

// Settings that a Unix screen-saver host passes on the command line, in the style of
// XScreenSaver's hacks (--size 8, --shape circle --shape star8). Each overrides the stored
// value for this run only; nothing of it is ever written back, so `spirandel /c` still edits
// what the saver shows by default.
class CHostOptions {
 public:
  enum class Field { kSize, kSpeed, kDelay, kShapes, kRotations, kZoom, kJoins, kColour, kCount };

  // How ReadOption fared with the word at the index.
  enum class Read { kTaken, kNotAnOption, kBadValue };

  // Reads the switch at arguments[index] and its value, leaving index on the value. A bad or
  // missing value gives kBadValue and one line for the user in complaint.
  Read ReadOption(std::span<const std::string_view> arguments, std::size_t& index,
                  std::string& complaint);

  // Overrides the loaded settings with every value given.
  void ApplyTo(SaverSettings& settings) const;

  // Whether the word is one of the switches, in either spelling (--size or -size).
  static bool IsOptionWord(std::string_view word);

  // The bits of a field that the command line replaces, and their new value. A field whose
  // stored value holds several independent choices (the zoom's levels, phases and start)
  // keeps the groups that no switch named.
  struct Change {
    std::uint32_t replaced = 0;
    std::uint32_t bits = 0;
  };

 private:
  std::array<Change, static_cast<std::size_t>(Field::kCount)> m_changes{};
};

// The usage text and the version line that --help and --version print.
std::string_view UsageText();
std::string VersionText();
