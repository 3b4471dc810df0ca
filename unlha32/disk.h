// The library's file and folder work on Windows, each step reporting its own failure.
#pragma once
#include <windows.h>

#include <string>

#include "unlha32/report.h"
#include "unlha32/win_file.h"

namespace unlha {

// GetFileAttributesA, INVALID_FILE_ATTRIBUTES when there is nothing.
DWORD Attributes(const std::string& path);
inline bool Exists(const std::string& path) { return Attributes(path) != INVALID_FILE_ATTRIBUTES; }
bool IsFolder(const std::string& path);
// Absolute form of path (GetFullPathNameA); the path itself when that fails.
std::string FullPath(const std::string& path);

// Creates root (with its parents) if needed, then each folder of relative below it.
// With refuseLinks a folder below root that turns out to be a link is refused
// (kUnsafePath): extraction never follows a link out of its destination.
bool MakeFolders(const std::string& root, const std::string& relative, Report& r, bool refuseLinks = true);

// A new file written under a temporary name in its final folder and renamed when complete,
// so a failure never leaves half a file under the final name nor harms the old one.
class AtomicFile {
 public:
  AtomicFile() = default;
  ~AtomicFile() { Discard(); }
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  bool Create(const std::string& finalPath, Report& r);
  HANDLE handle() const { return file_.get(); }
  const std::string& tempPath() const { return temp_; }
  // Closes and renames over finalPath; an existing file is replaced only when replace is set.
  bool Commit(bool replace, Report& r);
  void Discard();

 private:
  File file_;
  std::string final_, temp_;
};

// A scratch file deleted on destruction, for carrying entries of an old archive over.
class ScratchFile {
 public:
  ~ScratchFile();
  bool Create(const std::string& folder, Report& r);
  HANDLE handle() const { return file_.get(); }

 private:
  File file_;
  std::string path_;
};

// Sets the last-write time from an MS-DOS local time; 0 leaves it alone.
void SetDosTime(HANDLE h, uint32_t dosTime);
uint32_t DosTimeOf(const FILETIME& lastWrite);

}  // namespace unlha
