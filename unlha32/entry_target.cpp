#include "unlha32/entry_target.h"

#include <vector>

#include "unlha32/result.h"
#include "unlha32/sjis_path.h"

namespace unlha {
namespace {

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool IsDeviceName(const std::string& c) {
  // Windows opens the device whatever the extension: "nul.txt" is NUL.
  std::string base = c.substr(0, c.find('.'));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$", "CLOCK$"};
  for (const char* d : kDevices)
    if (SameName(base, d)) return true;
  if (base.size() == 4 && base[3] >= '1' && base[3] <= '9')
    return SameName(base.substr(0, 3), "COM") || SameName(base.substr(0, 3), "LPT");
  return false;
}

int CheckComponents(const std::vector<std::string>& parts, size_t from) {
  for (size_t i = from; i < parts.size(); ++i)
    if (!IsSafeComponent(parts[i])) return kUnsafePath;
  return kOk;
}

std::string Join(const std::vector<std::string>& parts, size_t from) {
  std::string out;
  for (size_t i = from; i < parts.size(); ++i) {
    if (!out.empty()) out += '\\';
    out += parts[i];
  }
  return out;
}

// Drops "." components; true when a ".." is among them.
bool DropDots(std::vector<std::string>& parts) {
  std::vector<std::string> kept;
  for (const std::string& p : parts) {
    if (p == "..") return true;
    if (p != ".") kept.push_back(p);
  }
  parts.swap(kept);
  return false;
}

}  // namespace

bool IsSafeComponent(const std::string& c) {
  if (c.empty()) return false;
  bool onlyDotsAndSpaces = true;
  for (size_t i = 0; i < c.size(); ++i) {
    unsigned char b = static_cast<unsigned char>(c[i]);
    if (IsLeadByte(b) && i + 1 < c.size()) {
      ++i;  // a trail byte may be '|' or '\\' and means nothing here
      onlyDotsAndSpaces = false;
      continue;
    }
    if (b < 0x20 || b == 0x7F || b == ':' || b == '*' || b == '?' || b == '"' || b == '<' || b == '>' ||
        b == '|' || b == '\\' || b == '/')
      return false;
    if (b != '.' && b != ' ') onlyDotsAndSpaces = false;
  }
  return !onlyDotsAndSpaces && !IsDeviceName(c);
}

int RelativeTarget(const std::string& entryPath, std::string& relative) {
  relative.clear();
  std::vector<std::string> parts = SplitPath(entryPath);
  if (!parts.empty() && parts[0].size() >= 2 && IsAsciiLetter(parts[0][0]) && parts[0][1] == ':') {
    // "C:" is dropped; "C:name" (drive-relative) keeps its name.
    if (parts[0].size() == 2)
      parts.erase(parts.begin());
    else
      parts[0] = parts[0].substr(2);
  }
  if (DropDots(parts) || parts.empty()) return kUnsafePath;
  if (CheckComponents(parts, 0) != kOk) return kUnsafePath;
  relative = Join(parts, 0);
  return kOk;
}

int OriginalTarget(const std::string& entryPath, std::string& root, std::string& rest) {
  root.clear();
  rest.clear();
  if (entryPath.empty() || IsSeparator(entryPath[0])) return kNoOriginalPath;
  std::vector<std::string> parts = SplitPath(entryPath);
  if (DropDots(parts)) return kUnsafePath;
  size_t from = 0;
  if (parts.size() >= 2 && parts[0].size() == 1 && IsAsciiLetter(parts[0][0])) {
    root = parts[0] + ":\\";
    from = 1;
  } else if (parts.size() >= 4 && parts[0] == "UNC") {
    if (!IsSafeComponent(parts[1]) || !IsSafeComponent(parts[2])) return kUnsafePath;
    root = "\\\\" + parts[1] + "\\" + parts[2] + "\\";
    from = 3;
  } else {
    return kNoOriginalPath;
  }
  if (CheckComponents(parts, from) != kOk) {
    root.clear();
    return kUnsafePath;
  }
  rest = Join(parts, from);
  return kOk;
}

bool StoredNameOfFullPath(const std::string& full, std::string& stored) {
  stored.clear();
  if (full.size() >= 3 && IsAsciiLetter(full[0]) && full[1] == ':' && IsSeparator(full[2])) {
    std::vector<std::string> parts = SplitPath(full.substr(3));
    if (parts.empty()) return false;
    stored = std::string(1, full[0]) + "\\" + Join(parts, 0);
    return true;
  }
  if (full.size() > 2 && IsSeparator(full[0]) && IsSeparator(full[1])) {
    std::vector<std::string> parts = SplitPath(full.substr(2));
    if (parts.size() < 3) return false;
    stored = "UNC\\" + Join(parts, 0);
    return true;
  }
  return false;
}

}  // namespace unlha
