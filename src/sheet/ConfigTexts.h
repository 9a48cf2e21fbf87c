#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// The texts the settings sheet shows the user, exactly as they read.
namespace ConfigTexts {
inline constexpr std::string_view kSheetCaption = "Spirandel v2.0";
// Data-exchange failures carry the application's title; the page's own checks say "Error".
inline constexpr std::string_view kApplicationCaption = "spir_ss";
inline constexpr std::string_view kErrorCaption = "Error";

inline constexpr std::string_view kParseUnsigned = "Please enter a positive integer.";
inline constexpr std::string_view kUnsignedRange = "Please enter an integer between %1 and %2.";
inline constexpr std::string_view kTextTooLong = "Please enter no more than %1 characters.";
inline constexpr std::string_view kHotkeysNotUnique = "Active hotkeys must be unique ...";
inline constexpr std::string_view kNoSuchDirectory = "Directory does not exist ...";

inline constexpr std::string_view kFolderChooserTitle = "Choose folder";
inline constexpr std::string_view kFolderChooserAccept = "Select";
}  // namespace ConfigTexts

// Replaces %1, %2 ... in a message by the arguments, in order; other text is kept as it is.
std::string FormatConfigMessage(std::string_view pattern, std::initializer_list<std::string> args);
