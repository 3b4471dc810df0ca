// Texts are Shift-JIS byte strings. Searches for single characters must never
// match the trail byte of a double-byte character (0x5C, '\', is a common one).
#pragma once
#include <cstdint>
#include <string>

namespace quillet {

using Text = std::string;

// First byte of a Shift-JIS double-byte character.
inline bool IsLeadByte(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Byte index of the first c at a character boundary at or after `from`, or npos.
size_t FindChar(const Text& s, char c, size_t from = 0);
// Byte index of the last c at a character boundary, or npos.
size_t FindLastChar(const Text& s, char c);
// Byte index of the first occurrence of needle that starts at a character boundary, or npos.
size_t FindText(const Text& s, const Text& needle, size_t from = 0);
inline bool Contains(const Text& s, const Text& needle) { return FindText(s, needle) != Text::npos; }

// Upper-case hexadecimal with at least `digits` digits; negative values show
// their 32-bit two's complement (-1 -> FFFFFFFF).
Text HexText(int32_t value, int digits = 4);

// Everything up to and including the last '\' or ':'; empty when there is neither.
Text FolderPrefix(const Text& path);
// The folder a path names its file in: the prefix without its final '\', except
// after a ':' or another '\' (C:\ keeps it, C:data gives C:).
Text FolderPart(const Text& path);
// What follows the last '\' or ':'.
Text FileNamePart(const Text& path);

}  // namespace quillet
