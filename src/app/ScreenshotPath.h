#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Screenshot files are numbered "Spirandel 00001.bmp" upward; after 10000 the count wraps
// to 0, so the names run 00001 to 10000, then 00000, 00001 and so on.
std::int32_t NextSequenceNo(std::int32_t current);

// The longest path a screenshot may have, in characters (a 256-byte buffer with its
// terminator on Windows; kept on every platform so a folder behaves the same everywhere).
inline constexpr std::size_t kMaxScreenshotPath = 255;

// The folder, the separator and "Spirandel %05ld.bmp". Windows joins with a backslash;
// Linux joins with '/', because a backslash is an ordinary character in a Linux file name.
// Returns 0 and leaves path empty when the result would not fit kMaxScreenshotPath.
int FormatScreenshotPath(std::string_view folder, std::int32_t sequenceNo, char separator,
                         std::string& path);
