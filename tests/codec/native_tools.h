// Native-only helpers for tests that ask other tools: temporary folders, commands,
// file trees on disk.
#pragma once

#include <iconv.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "tests/codec/streams.h"

namespace codec_test {

namespace fs = std::filesystem;

class TempDir {
 public:
  TempDir() {
    std::string pattern = (fs::temp_directory_path() / "codec-test-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data()) ? pattern : std::string();
  }
  ~TempDir() {
    std::error_code ec;
    if (!path_.empty()) fs::remove_all(path_, ec);
  }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// Runs a shell command; returns its exit status and leaves its output in `output`.
inline int RunCommand(const std::string& command, std::string* output = nullptr) {
  std::string cmd = command + " 2>&1";
  FILE* p = ::popen(cmd.c_str(), "r");
  if (!p) return -1;
  std::string out;
  char buf[4096];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
  int status = ::pclose(p);
  if (output) *output = out;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

inline bool HaveTool(const std::string& name) { return RunCommand("command -v " + name + " >/dev/null") == 0; }

inline std::string Quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

inline Bytes ReadFileBytes(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return Bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

inline bool WriteFileBytes(const std::string& path, const Bytes& data) {
  std::ofstream f(path, std::ios::binary);
  f.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
  return static_cast<bool>(f);
}

// Relative path ('/' separated) to contents; folders map to a lone "<dir>" marker.
using Tree = std::map<std::string, Bytes>;
inline const Bytes& FolderMark() {
  static const Bytes mark = ToBytes("<dir>");
  return mark;
}

inline Tree ReadTree(const std::string& root) {
  Tree t;
  for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it) {
    std::string rel = fs::relative(it->path(), root).string();
    t[rel] = it->is_directory() ? FolderMark() : ReadFileBytes(it->path().string());
  }
  return t;
}

// What a set of files looks like on disk, names converted by `name`.
template <class NameFn>
Tree ExpectedTree(const std::vector<TestFile>& files, NameFn name) {
  Tree t;
  for (const TestFile& f : files) {
    std::string rel = name(f.path);
    t[rel] = f.folder ? FolderMark() : f.data;
    // Parents exist as folders too.
    for (size_t i = rel.find('/'); i != std::string::npos; i = rel.find('/', i + 1)) t[rel.substr(0, i)] = FolderMark();
  }
  return t;
}

// Shift-JIS archive names as they land on a Unix disk: '\' separators (never a trail
// byte) become '/', the bytes stay.
inline std::string UnixName(const std::string& sjis) {
  std::string out;
  for (size_t i = 0; i < sjis.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(sjis[i]);
    if (((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) && i + 1 < sjis.size()) {
      out += sjis[i];
      out += sjis[++i];
    } else {
      out += c == '\\' ? '/' : sjis[i];
    }
  }
  return out;
}

inline std::string Utf8Name(const std::string& sjis) {
  std::string in = UnixName(sjis);
  iconv_t cd = ::iconv_open("UTF-8", "CP932");
  if (cd == reinterpret_cast<iconv_t>(-1)) return in;
  std::string out(in.size() * 4, '\0');
  char* src = in.data();
  char* dst = out.data();
  size_t inLeft = in.size(), outLeft = out.size();
  ::iconv(cd, &src, &inLeft, &dst, &outLeft);
  ::iconv_close(cd);
  out.resize(out.size() - outLeft);
  return out;
}

}  // namespace codec_test
