// Shift-JIS: a lead byte's next byte is its trail and never a separator, even 0x5C.
#pragma once

#include <cstdint>

namespace lha {

inline bool IsLeadByte(uint8_t b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

}  // namespace lha
