#include "unlha32/sjis_path.h"

namespace unlha {
namespace {

// Length of the character at i: 2 for a lead byte with its trail, else 1.
size_t CharLen(const std::string& s, size_t i) {
  return IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size() ? 2 : 1;
}

char Fold(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Compares one character of a at i with one of b at j, folding ASCII case.
bool SameChar(const std::string& a, size_t i, size_t la, const std::string& b, size_t j, size_t lb) {
  if (la != lb) return false;
  if (la == 1) return Fold(a[i]) == Fold(b[j]);
  return a.compare(i, la, b, j, lb) == 0;
}

}  // namespace

std::string CollapseBackslashes(const std::string& path) {
  std::string out;
  out.reserve(path.size());
  size_t i = 0;
  if (path.compare(0, 2, "\\\\") == 0) {
    out = "\\\\";
    i = 2;
  }
  bool afterBackslash = !out.empty();
  while (i < path.size()) {
    size_t n = CharLen(path, i);
    bool backslash = n == 1 && path[i] == '\\';
    if (!(backslash && afterBackslash)) out.append(path, i, n);
    afterBackslash = backslash;
    i += n;
  }
  return out;
}

size_t LastSeparator(const std::string& path) {
  size_t found = std::string::npos;
  for (size_t i = 0; i < path.size(); i += CharLen(path, i))
    if (IsSeparator(path[i])) found = i;
  return found;
}

bool EndsWithSeparator(const std::string& path) {
  return !path.empty() && LastSeparator(path) == path.size() - 1;
}

std::string FolderOf(const std::string& path) {
  size_t p = LastSeparator(path);
  return p == std::string::npos ? std::string() : path.substr(0, p + 1);
}

std::string NameOf(const std::string& path) {
  size_t p = LastSeparator(path);
  return p == std::string::npos ? path : path.substr(p + 1);
}

std::vector<std::string> SplitPath(const std::string& path) {
  std::vector<std::string> parts;
  std::string cur;
  for (size_t i = 0; i < path.size();) {
    size_t n = CharLen(path, i);
    if (n == 1 && IsSeparator(path[i])) {
      if (!cur.empty()) parts.push_back(cur);
      cur.clear();
    } else {
      cur.append(path, i, n);
    }
    i += n;
  }
  if (!cur.empty()) parts.push_back(cur);
  return parts;
}

bool HasWildcard(const std::string& s) {
  for (size_t i = 0; i < s.size(); i += CharLen(s, i))
    if (s[i] == '*' || s[i] == '?') return true;
  return false;
}

bool WildcardMatch(const std::string& pattern, const std::string& name) {
  const std::string& p = pattern == "*.*" ? std::string("*") : pattern;
  // Greedy match with one backtrack point: linear in practice, never exponential.
  size_t i = 0, j = 0, starP = std::string::npos, starN = 0;
  while (j < name.size()) {
    size_t ln = CharLen(name, j);
    if (i < p.size()) {
      size_t lp = CharLen(p, i);
      if (lp == 1 && p[i] == '*') {
        starP = ++i;
        starN = j;
        continue;
      }
      if ((lp == 1 && p[i] == '?') || SameChar(p, i, lp, name, j, ln)) {
        i += lp;
        j += ln;
        continue;
      }
    }
    if (starP == std::string::npos) return false;
    i = starP;
    starN += CharLen(name, starN);
    j = starN;
  }
  while (i < p.size() && p[i] == '*') ++i;
  return i == p.size();
}

bool SameName(const std::string& a, const std::string& b) {
  size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    size_t la = CharLen(a, i), lb = CharLen(b, j);
    if (!SameChar(a, i, la, b, j, lb)) return false;
    i += la;
    j += lb;
  }
  return i == a.size() && j == b.size();
}

std::string FoldedName(const std::string& s) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size();) {
    size_t n = CharLen(s, i);
    if (n == 1)
      out += Fold(s[i]);
    else
      out.append(s, i, n);
    i += n;
  }
  return out;
}

}  // namespace unlha
