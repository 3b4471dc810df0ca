// Shift-JIS-aware path text: a trail byte 0x5C or 0x7C is part of a character,
// never a separator or a wildcard bar. Portable, so the parser can be fuzzed natively.
#pragma once
#include <string>
#include <vector>

namespace unlha {

inline bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
inline bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Runs of '\' become one, except the two that open a UNC name.
std::string CollapseBackslashes(const std::string& path);
// Index of the last '\' or '/' that is a character of its own, or npos.
size_t LastSeparator(const std::string& path);
bool EndsWithSeparator(const std::string& path);
// Folder with its final separator ("C:\G\" of "C:\G\x.ini"); empty when there is none.
std::string FolderOf(const std::string& path);
std::string NameOf(const std::string& path);
// Components between separators; empty ones (doubled or leading separators) are dropped.
std::vector<std::string> SplitPath(const std::string& path);

bool HasWildcard(const std::string& s);
// Windows-style match of one name: '*' and '?' over whole characters, ASCII letters
// without regard to case; "*.*" matches every name, with or without a dot.
bool WildcardMatch(const std::string& pattern, const std::string& name);
// Equal as Windows compares names: ASCII case folded, double-byte characters exact.
bool SameName(const std::string& a, const std::string& b);
// A key equal for names SameName finds equal.
std::string FoldedName(const std::string& s);

}  // namespace unlha
