#pragma once

#include <string_view>

// The stored value names. "PausingKay" is spelled with an a: stored settings of earlier
// versions use that name, so it must stay as it is.
namespace SettingNames {
inline constexpr std::string_view kRadiusFactor = "RadiusFactor";
inline constexpr std::string_view kImagesPerSec = "ImagesPerSec";
inline constexpr std::string_view kJoinTheDots = "JoinTheDots";
inline constexpr std::string_view kObjectShape = "ObjectShape";
inline constexpr std::string_view kObjectRotation = "ObjectRotation";
inline constexpr std::string_view kColourOption = "ColourOption";
inline constexpr std::string_view kZoomOption = "ZoomOption";
inline constexpr std::string_view kEndDelay = "EndDelay";
inline constexpr std::string_view kPausingActive = "PausingActive";
inline constexpr std::string_view kPrintingActive = "PrintingActive";
inline constexpr std::string_view kPausingKay = "PausingKay";
inline constexpr std::string_view kPrintingKey = "PrintingKey";
inline constexpr std::string_view kSequenceNo = "SequenceNo";
inline constexpr std::string_view kFileLocation = "FileLocation";
}  // namespace SettingNames
