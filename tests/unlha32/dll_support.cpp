#include "tests/unlha32/dll_support.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace unlha_test {
namespace {

using ArchiverCommandFn = int(WINAPI*)(HWND, LPCSTR, LPSTR, DWORD);

ArchiverCommandFn Entry() {
  static ArchiverCommandFn fn = [] {
    HMODULE dll = LoadLibraryA("Unlha32.dll");
    if (!dll) return static_cast<ArchiverCommandFn>(nullptr);
    return reinterpret_cast<ArchiverCommandFn>(reinterpret_cast<void*>(GetProcAddress(dll, MAKEINTRESOURCEA(1))));
  }();
  return fn;
}

void Walk(const std::string& root, const std::string& rel, std::vector<std::string>& out) {
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((root + rel + "*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return;
  do {
    std::string name = fd.cFileName;
    if (name == "." || name == "..") continue;
    if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      out.push_back(rel + name + "\\");
      Walk(root, rel + name + "\\", out);
    } else {
      out.push_back(rel + name);
    }
  } while (FindNextFileA(h, &fd));
  FindClose(h);
}

}  // namespace

TempDir::TempDir() {
  char base[MAX_PATH];
  GetTempPathA(sizeof base, base);
  static unsigned counter = 0;
  char name[MAX_PATH * 2];
  do {
    std::snprintf(name, sizeof name, "%sunlha_%lu_%u\\", base, GetCurrentProcessId(), counter++);
  } while (!CreateDirectoryA(name, nullptr));
  root_ = name;
}

TempDir::~TempDir() { RemoveTree(root_.substr(0, root_.size() - 1)); }

void RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      std::string name = fd.cFileName;
      if (name == "." || name == "..") continue;
      std::string p = folder + "\\" + name;
      SetFileAttributesA(p.c_str(), FILE_ATTRIBUTE_NORMAL);
      if ((fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !(fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
        RemoveTree(p);
      else if (!DeleteFileA(p.c_str()))
        RemoveDirectoryA(p.c_str());
    } while (FindNextFileA(h, &fd));
    FindClose(h);
  }
  RemoveDirectoryA(folder.c_str());
}

void WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return;
  if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

std::vector<unsigned char> ReadBytes(const std::string& path) {
  std::vector<unsigned char> out;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return out;
  unsigned char buf[65536];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) out.insert(out.end(), buf, buf + n);
  std::fclose(f);
  return out;
}

void WriteText(const std::string& path, const std::string& text) {
  WriteBytes(path, std::vector<unsigned char>(text.begin(), text.end()));
}

std::string ReadText(const std::string& path) {
  if (!FileExists(path)) return "<missing>";
  std::vector<unsigned char> b = ReadBytes(path);
  return std::string(b.begin(), b.end());
}

bool FileExists(const std::string& path) {
  DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::string& path) {
  DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

void MakeFolders(const std::string& path) {
  for (size_t i = 3; i <= path.size(); ++i) {
    if (i == path.size() || path[i] == '\\') CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
    unsigned char c = static_cast<unsigned char>(i < path.size() ? path[i] : 0);
    if ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) ++i;  // a trail byte may be '\\'
  }
}

std::vector<std::string> ListTree(const std::string& root) {
  std::vector<std::string> out;
  Walk(root.back() == '\\' ? root : root + "\\", "", out);
  std::sort(out.begin(), out.end());
  return out;
}

CallResult Archiver(const std::string& command, size_t size) {
  CallResult r;
  ArchiverCommandFn fn = Entry();
  if (!fn) {
    r.report = "Unlha32.dll or its ordinal 1 not found";
    return r;
  }
  constexpr size_t kCanary = 64;
  std::vector<char> buf(size + kCanary, '\x5A');
  r.code = fn(nullptr, command.c_str(), buf.data(), static_cast<DWORD>(size));
  for (size_t i = size; i < buf.size(); ++i)
    if (buf[i] != '\x5A') r.canaryIntact = false;
  if (size > 0) {
    r.terminated = std::memchr(buf.data(), '\0', size) != nullptr;
    if (r.terminated) r.report = buf.data();
  }
  return r;
}

std::string Corpus(const std::string& rel) { return std::string(UNLHA_CORPUS_DIR) + "/" + rel; }

}  // namespace unlha_test
