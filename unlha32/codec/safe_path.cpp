#include "unlha32/codec/lha.h"
#include "unlha32/codec/sjis.h"

namespace lha {
namespace {

// ".", or a run of dots and spaces that Windows would trim to nothing or to "..".
bool OnlyDots(const std::string& part) {
  for (char c : part)
    if (c != '.' && c != ' ') return false;
  return true;
}

}  // namespace

bool SafePath(const std::string& path, std::string& out) {
  out.clear();
  size_t i = 0;
  if (path.size() >= 2 && path[1] == ':' &&
      ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')))
    i = 2;
  std::string result, part;
  auto endPart = [&]() {
    if (part.empty() || part == ".") {
      part.clear();
      return true;
    }
    if (OnlyDots(part)) return false;
    if (!result.empty()) result += '\\';
    result += part;
    part.clear();
    return true;
  };
  for (; i < path.size(); ++i) {
    uint8_t c = static_cast<uint8_t>(path[i]);
    if (IsLeadByte(c) && i + 1 < path.size()) {
      part += path[i];
      part += path[++i];
    } else if (c == '\\' || c == '/') {
      if (!endPart()) return false;
    } else if (c == ':') {
      return false;  // a drive in mid-path, or a Windows alternate data stream
    } else {
      part += path[i];
    }
  }
  if (!endPart()) return false;
  out = result;
  return true;
}

}  // namespace lha
