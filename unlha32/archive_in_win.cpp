#include "unlha32/archive_in.h"

#include <cstring>
#include <vector>

#include "unlha32/disk.h"
#include "unlha32/result.h"
#include "unlha32/sjis_path.h"
#include "unlha32/syscalls.h"
#include "unlha32/win_error.h"

namespace unlha {
namespace {
// Readers look this far into a self-extracting program for its archive.
constexpr size_t kScanLimit = 256 * 1024;  // bytes

bool HasExtension(const std::string& path) { return NameOf(path).find('.') != std::string::npos; }

bool Contains(const std::vector<uint8_t>& buf, size_t end, const char* tag) {
  size_t n = std::strlen(tag);
  for (size_t i = 0; i + n <= end; ++i)
    if (std::memcmp(buf.data() + i, tag, n) == 0) return true;
  return false;
}
}  // namespace

// Spelled out byte by byte in the stub's sources too; kept free of any LHA method id.
const char kSfxTag[] = "QuilletSfx:direct-paths:1";

int CodeOfStatus(lha::Status s, unsigned long writeError) {
  switch (s) {
    case lha::Status::Ok:
    case lha::Status::End: return kOk;
    case lha::Status::BadHeader: return kNotAnArchive;
    case lha::Status::HeaderCrc: return kHeaderCrc;
    case lha::Status::DataCrc: return kDataCrc;
    case lha::Status::Truncated: return kTruncated;
    case lha::Status::UnknownMethod: return kUnknownMethod;
    case lha::Status::ReadError: return kArchiveUnreadable;
    case lha::Status::WriteError: return WriteFailureCode(writeError ? writeError : ERROR_WRITE_FAULT);
    case lha::Status::TooLarge: return kTooLarge;
  }
  return kInternal;
}

bool OpenArchive(const std::string& name, ArchiveIn& out, Report& r) {
  std::string path = name;
  if (!Exists(path) && !HasExtension(path)) path += ".LZH";
  File f(Sys().CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!f.ok()) {
    DWORD err = GetLastError();
    bool missing = err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND || err == ERROR_INVALID_NAME;
    r.Fail(missing ? kArchiveMissing : kArchiveUnreadable, CallFailed("CreateFileA", path, err));
    return false;
  }
  std::vector<uint8_t> head(kScanLimit);
  FileSource src(f.get());
  size_t got = 0;
  while (got < head.size()) {
    long long n = src.Read(head.data() + got, head.size() - got);
    if (n < 0) {
      r.Fail(kArchiveUnreadable, CallFailed("ReadFile", path, src.error()));
      return false;
    }
    if (n == 0) break;
    got += static_cast<size_t>(n);
  }
  long long start = lha::FindArchiveStart(head.data(), got);
  if (start < 0) {
    r.Fail(kNotAnArchive, "not an LHA archive: " + path);
    return false;
  }
  if (!SeekTo(f.get(), static_cast<unsigned long long>(start))) {
    r.Fail(kArchiveUnreadable, CallFailed("SetFilePointer", path, GetLastError()));
    return false;
  }
  out.ourSfx = got >= 2 && head[0] == 'M' && head[1] == 'Z' && Contains(head, static_cast<size_t>(start), kSfxTag);
  out.file = std::move(f);
  out.path = path;
  out.start = static_cast<unsigned long long>(start);
  return true;
}

}  // namespace unlha
