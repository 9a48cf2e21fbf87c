#pragma once

#include <cstdint>

// Each option is one bit, the same bit in the stored masks and in the engine's choice for
// a figure. Bit 0 and the bits above those listed are never set by the settings sheet.
namespace OptionBits {
// Shapes ("ObjectShape").
inline constexpr std::uint32_t kCircle = 2;
inline constexpr std::uint32_t kSquare = 4;
inline constexpr std::uint32_t kTriangle = 8;
inline constexpr std::uint32_t kFourPointStar = 16;
inline constexpr std::uint32_t kDiamond = 32;
inline constexpr std::uint32_t kPyramid = 64;
inline constexpr std::uint32_t kSixPointStar = 128;
inline constexpr std::uint32_t kEightPointStar = 256;
inline constexpr std::uint32_t kAllShapes = 0x1FE;

// Rotation ("ObjectRotation").
inline constexpr std::uint32_t kRotateNone = 2;
inline constexpr std::uint32_t kRotateClockwise = 4;
inline constexpr std::uint32_t kRotateAntiClockwise = 8;
inline constexpr std::uint32_t kAllRotations = 0xE;

// Zoom ("ZoomOption"): levels, phases and start in one mask.
inline constexpr std::uint32_t kZoomLow = 2;
inline constexpr std::uint32_t kZoomMedium = 4;
inline constexpr std::uint32_t kZoomHigh = 8;
inline constexpr std::uint32_t kZoomVeryHigh = 16;
inline constexpr std::uint32_t kAllZoomLevels = 0x1E;
inline constexpr std::uint32_t kZoomOnePhase = 32;
inline constexpr std::uint32_t kZoomTwoPhase = 64;
inline constexpr std::uint32_t kZoomFourPhase = 128;
inline constexpr std::uint32_t kAllZoomPhases = 0xE0;
inline constexpr std::uint32_t kZoomStartSmall = 256;
inline constexpr std::uint32_t kZoomStartLarge = 512;

// Join the dots ("JoinTheDots").
inline constexpr std::uint32_t kJoinYes = 1;
inline constexpr std::uint32_t kJoinNo = 2;
inline constexpr std::uint32_t kJoinBoth = 4;
inline constexpr std::uint32_t kAllJoinModes = 7;

// Colour floor ("ColourOption"): a value, not a mask.
inline constexpr std::int16_t kColourHigh = 10;
inline constexpr std::int16_t kColourMedium = 30;
inline constexpr std::int16_t kColourLow = 50;
}  // namespace OptionBits
