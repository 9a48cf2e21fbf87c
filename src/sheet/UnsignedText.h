#pragma once

#include <cstdint>
#include <string_view>

// Reads a number box's text as an unsigned decimal number. Blanks and tabs may surround it and
// a plus sign may lead it; a minus sign, anything after the digits and a box without digits
// fail. A number too large for 32 bits reads as 4294967295 (the range check then refuses it).
// Nonzero on success, with the number in `value`; 0 leaves `value` as it was.
int ParseUnsignedText(std::string_view text, std::uint32_t& value);
