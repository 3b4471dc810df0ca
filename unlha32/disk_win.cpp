#include "unlha32/disk.h"

#include <vector>

#include "unlha32/result.h"
#include "unlha32/sjis_path.h"
#include "unlha32/syscalls.h"
#include "unlha32/win_error.h"

namespace unlha {
namespace {

std::string WithSeparator(const std::string& folder) {
  return folder.empty() || EndsWithSeparator(folder) ? folder : folder + "\\";
}

bool CreateOne(const std::string& folder, bool refuseLinks, Report& r) {
  DWORD a = Attributes(folder);
  if (a == INVALID_FILE_ATTRIBUTES) {
    if (Sys().CreateDirectoryA(folder.c_str(), nullptr)) return true;
    DWORD err = GetLastError();
    if (IsFolder(folder)) return true;  // made meanwhile
    r.Fail(WriteFailureCode(err), CallFailed("CreateDirectoryA", folder, err));
    return false;
  }
  if (!(a & FILE_ATTRIBUTE_DIRECTORY)) {
    r.Fail(kCannotWrite, "a file is in the way of the folder " + folder);
    return false;
  }
  if (refuseLinks && (a & FILE_ATTRIBUTE_REPARSE_POINT)) {
    r.Fail(kUnsafePath, "a link is in the way, not followed: " + folder);
    return false;
  }
  return true;
}

// A new empty file with a unique name in folder, open for reading and writing. On failure
// nothing is left behind and path is empty.
bool CreateTemporary(const std::string& folder, DWORD attributes, std::string& path, File& file, Report& r) {
  std::string f = folder.empty() ? ".\\" : folder;
  char temp[MAX_PATH * 2] = "";
  if (!Sys().GetTempFileNameA(f.c_str(), "~lh", 0, temp)) {
    DWORD err = GetLastError();
    r.Fail(WriteFailureCode(err), CallFailed("GetTempFileNameA", f, err));
    return false;
  }
  file = File(Sys().CreateFileA(temp, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, attributes, nullptr));
  if (!file.ok()) {
    DWORD err = GetLastError();
    r.Fail(WriteFailureCode(err), CallFailed("CreateFileA", temp, err));
    Sys().DeleteFileA(temp);
    return false;
  }
  path = temp;
  return true;
}

}  // namespace

DWORD Attributes(const std::string& path) { return Sys().GetFileAttributesA(path.c_str()); }

bool IsFolder(const std::string& path) {
  DWORD a = Attributes(path);
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

std::string FullPath(const std::string& path) {
  std::vector<char> buf(MAX_PATH * 4);
  DWORD n = Sys().GetFullPathNameA(path.c_str(), static_cast<DWORD>(buf.size()), buf.data(), nullptr);
  if (n == 0 || n >= buf.size()) return path;
  return std::string(buf.data(), n);
}

bool MakeFolders(const std::string& root, const std::string& relative, Report& r, bool refuseLinks) {
  std::string path;
  if (!root.empty()) {
    // The root is the caller's own choice: make it and its parents, links allowed.
    std::string full = FullPath(root);
    bool unc = full.compare(0, 2, "\\\\") == 0;
    size_t first = unc ? 2 : 1;  // the drive, or server and share, are never created
    std::vector<std::string> parts = SplitPath(full);
    path = unc ? "\\\\" : "";
    for (size_t i = 0; i < parts.size(); ++i) {
      path += parts[i];
      if (i >= first && !CreateOne(path, false, r)) return false;
      path += "\\";
    }
  }
  for (const std::string& part : SplitPath(relative)) {
    path = WithSeparator(path) + part;
    if (!CreateOne(path, refuseLinks, r)) return false;
  }
  return true;
}

bool AtomicFile::Create(const std::string& finalPath, Report& r) {
  Discard();
  final_ = finalPath;
  return CreateTemporary(FolderOf(finalPath), FILE_ATTRIBUTE_NORMAL, temp_, file_, r);
}

bool AtomicFile::Commit(bool replace, Report& r) {
  if (!file_.Close()) {
    DWORD err = GetLastError();
    r.Fail(WriteFailureCode(err), CallFailed("CloseHandle", temp_, err));
    Discard();
    return false;
  }
  const char* src = temp_.c_str();
  const char* dst = final_.c_str();
  bool moved;
  if (!replace) {
    moved = Sys().MoveFileA(src, dst) != FALSE;
  } else {
    DWORD a = Attributes(final_);
    if (a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_READONLY))
      Sys().SetFileAttributesA(dst, a & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    moved = Sys().MoveFileExA(src, dst, MOVEFILE_REPLACE_EXISTING) != FALSE;
    if (!moved && GetLastError() == ERROR_CALL_NOT_IMPLEMENTED) {
      // Windows 9x has no MoveFileEx: move the old file aside, then the new one in.
      std::string aside = temp_ + ".old";
      if (!Exists(final_)) {
        moved = Sys().MoveFileA(src, dst) != FALSE;
      } else if (Sys().MoveFileA(dst, aside.c_str())) {
        moved = Sys().MoveFileA(src, dst) != FALSE;
        DWORD err = GetLastError();
        if (moved)
          Sys().DeleteFileA(aside.c_str());
        else
          Sys().MoveFileA(aside.c_str(), dst);
        SetLastError(err);
      }
    }
  }
  if (!moved) {
    DWORD err = GetLastError();
    int code = !replace && (err == ERROR_ALREADY_EXISTS || err == ERROR_FILE_EXISTS) ? kFileExists : kCannotWrite;
    r.Fail(code, CallFailed("MoveFileA", final_, err));
    Discard();
    return false;
  }
  temp_.clear();
  return true;
}

void AtomicFile::Discard() {
  file_.Close();
  if (!temp_.empty()) Sys().DeleteFileA(temp_.c_str());
  temp_.clear();
}

ScratchFile::~ScratchFile() {
  file_.Close();
  if (!path_.empty()) Sys().DeleteFileA(path_.c_str());
}

bool ScratchFile::Create(const std::string& folder, Report& r) {
  return CreateTemporary(folder, FILE_ATTRIBUTE_TEMPORARY, path_, file_, r);
}

void SetDosTime(HANDLE h, uint32_t dosTime) {
  FILETIME local, utc;
  if (dosTime != 0 &&
      DosDateTimeToFileTime(static_cast<WORD>(dosTime >> 16), static_cast<WORD>(dosTime & 0xFFFF), &local) &&
      LocalFileTimeToFileTime(&local, &utc))
    Sys().SetFileTime(h, nullptr, nullptr, &utc);
}

uint32_t DosTimeOf(const FILETIME& lastWrite) {
  FILETIME local;
  WORD date = 0, time = 0;
  if (!FileTimeToLocalFileTime(&lastWrite, &local) || !FileTimeToDosDateTime(&local, &date, &time)) return 0;
  return (static_cast<uint32_t>(date) << 16) | time;
}

}  // namespace unlha
