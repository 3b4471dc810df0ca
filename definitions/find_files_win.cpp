#include "definitions/find_files.h"

#include <windows.h>

namespace quillet {

bool FolderExists(const Text& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

DirectorySearch::DirectorySearch(const Text& pattern) {
  WIN32_FIND_DATAA data;
  HANDLE h = FindFirstFileA(pattern.c_str(), &data);
  if (h == INVALID_HANDLE_VALUE) return;
  handle_ = h;
  found_ = true;
  name_ = data.cFileName;
}

DirectorySearch::~DirectorySearch() {
  if (handle_) FindClose(static_cast<HANDLE>(handle_));
}

bool DirectorySearch::Next() {
  WIN32_FIND_DATAA data;
  found_ = handle_ && FindNextFileA(static_cast<HANDLE>(handle_), &data);
  name_ = found_ ? Text(data.cFileName) : Text();
  return found_;
}

}  // namespace quillet
