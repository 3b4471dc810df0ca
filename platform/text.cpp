#include "platform/text.h"

#include <cstdio>

namespace quillet {

size_t FindChar(const Text& s, char c, size_t from) {
  for (size_t i = 0; i < s.size(); ++i) {
    if (i >= from && s[i] == c) return i;
    if (IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) ++i;
  }
  return Text::npos;
}

size_t FindLastChar(const Text& s, char c) {
  size_t found = Text::npos;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == c) found = i;
    if (IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) ++i;
  }
  return found;
}

size_t FindText(const Text& s, const Text& needle, size_t from) {
  if (needle.empty()) return Text::npos;
  for (size_t i = 0; i < s.size(); ++i) {
    if (i >= from && s.compare(i, needle.size(), needle) == 0) return i;
    if (IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) ++i;
  }
  return Text::npos;
}

Text HexText(int32_t value, int digits) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%0*X", digits, static_cast<unsigned>(static_cast<uint32_t>(value)));
  return buf;
}

static size_t LastSeparator(const Text& path) {
  size_t found = Text::npos;
  for (size_t i = 0; i < path.size(); ++i) {
    if (path[i] == '\\' || path[i] == ':') found = i;
    if (IsLeadByte(static_cast<unsigned char>(path[i])) && i + 1 < path.size()) ++i;
  }
  return found;
}

Text FolderPrefix(const Text& path) {
  size_t sep = LastSeparator(path);
  return sep == Text::npos ? Text() : path.substr(0, sep + 1);
}

// True when byte i of s is a character of its own, not part of a double-byte one.
static bool IsSingleByteAt(const Text& s, size_t i) {
  for (size_t k = 0; k < s.size(); ++k) {
    bool lead = IsLeadByte(static_cast<unsigned char>(s[k])) && k + 1 < s.size();
    if (k == i) return !lead;
    if (lead && ++k == i) return false;
  }
  return false;
}

Text FolderPart(const Text& path) {
  size_t sep = LastSeparator(path);
  if (sep == Text::npos) return Text();
  size_t end = sep + 1;
  if (path[sep] == '\\' && sep > 0 &&
      !((path[sep - 1] == ':' || path[sep - 1] == '\\') && IsSingleByteAt(path, sep - 1)))
    end = sep;
  return path.substr(0, end);
}

Text FileNamePart(const Text& path) {
  size_t sep = LastSeparator(path);
  return sep == Text::npos ? path : path.substr(sep + 1);
}

}  // namespace quillet
