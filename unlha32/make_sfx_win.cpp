#include "unlha32/make_sfx.h"

#include <vector>

#include "unlha32/archive_in.h"
#include "unlha32/disk.h"
#include "unlha32/result.h"
#include "unlha32/sfx_layout.h"
#include "unlha32/sfx_stub.h"
#include "unlha32/sjis_path.h"
#include "unlha32/syscalls.h"
#include "unlha32/win_error.h"

namespace unlha {
namespace {

std::string WithoutExtension(const std::string& name) {
  size_t dot = name.rfind('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

// Walks every header and skips every entry's data: a damaged archive is not wrapped.
bool Verify(ArchiveIn& in, Report& r) {
  FileSource src(in.file.get(), in.start);
  lha::Reader reader(src);
  lha::Entry e;
  lha::Status st;
  while ((st = reader.Next(e)) == lha::Status::Ok)
    if ((st = reader.Skip()) != lha::Status::Ok) break;
  if (st != lha::Status::End) {
    int code = CodeOfStatus(st);
    r.Fail(code, std::string(ResultText(code)) + ": " + in.path);
    return false;
  }
  if (!SeekTo(in.file.get(), in.start)) {
    r.Fail(kArchiveUnreadable, CallFailed("SetFilePointer", in.path, GetLastError()));
    return false;
  }
  return true;
}

}  // namespace

int RunMakeSfx(const CommandLine& cl, Report& r) {
  ArchiveIn in;
  if (!OpenArchive(cl.archive, in, r) || !Verify(in, r)) return r.code();
  std::string folder = cl.args.empty() ? FolderOf(in.path) : cl.args[0];
  if (!folder.empty() && !EndsWithSeparator(folder)) folder += '\\';
  if (!folder.empty() && !IsFolder(folder)) {
    r.Fail(kCannotWrite, "no such folder: " + folder);
    return r.code();
  }
  std::string target = folder + WithoutExtension(NameOf(in.path)) + ".exe";
  if (Exists(target) && !cl.switches.overwrite) {
    r.Fail(kFileExists, "exists, not overwritten (-y1 overwrites): " + target);
    return r.code();
  }
  DWORD high = 0;
  SetLastError(NO_ERROR);
  DWORD low = Sys().GetFileSize(in.file.get(), &high);
  if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) {
    r.Fail(kArchiveUnreadable, CallFailed("GetFileSize", in.path, GetLastError()));
    return r.code();
  }
  unsigned long long archiveSize = ((static_cast<unsigned long long>(high) << 32) | low) - in.start;
  SfxLayout layout;
  if (!LayOutSfx(kSfxStub, kSfxStubSize, archiveSize, kSfxTag, layout)) {
    r.Fail(kTooLarge, "too large for a self-extracting program: " + in.path);
    return r.code();
  }
  AtomicFile out;
  if (!out.Create(target, r)) return r.code();
  FileSink sink(out.handle());
  FileSource src(in.file.get(), in.start);
  bool ok = sink.Write(layout.head.data(), layout.head.size());
  std::vector<uint8_t> buf(64 * 1024);
  while (ok) {
    long long n = src.Read(buf.data(), buf.size());
    if (n < 0) {
      r.Fail(kArchiveUnreadable, CallFailed("ReadFile", in.path, src.error()));
      return r.code();
    }
    if (n == 0) break;
    ok = sink.Write(buf.data(), static_cast<size_t>(n));
  }
  if (ok) ok = sink.Write(layout.tail.data(), layout.tail.size());
  if (!ok) {
    r.Fail(WriteFailureCode(sink.error()), CallFailed("WriteFile", target, sink.error()));
    return r.code();
  }
  if (!out.Commit(cl.switches.overwrite, r)) return r.code();
  r.Line("self-extracting program written: " + target);
  return r.code();
}

}  // namespace unlha
