#include "unlha32/extract.h"

#include "unlha32/disk.h"
#include "unlha32/entry_target.h"
#include "unlha32/result.h"
#include "unlha32/sjis_path.h"
#include "unlha32/syscalls.h"
#include "unlha32/win_error.h"

namespace unlha {
namespace {

constexpr DWORD kRestoredAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                      FILE_ATTRIBUTE_ARCHIVE;

bool Selected(const std::string& path, const std::vector<std::string>& patterns) {
  if (patterns.empty()) return true;
  for (const std::string& p : patterns) {
    // A pattern with a folder matches the whole stored path, one without only the name.
    const std::string& subject = LastSeparator(p) == std::string::npos ? NameOf(path) : path;
    if (WildcardMatch(p, subject)) return true;
  }
  return false;
}

std::string Decimal(unsigned long long v) {
  char buf[24];
  char* p = buf + sizeof buf;
  *--p = '\0';
  do *--p = static_cast<char>('0' + v % 10);
  while ((v /= 10) != 0);
  return p;
}

std::string ListLine(const lha::Entry& e) {
  char when[32];
  unsigned d = e.dosTime >> 16, t = e.dosTime & 0xFFFF;
  wsprintfA(when, "%04u-%02u-%02u %02u:%02u:%02u", 1980 + (d >> 9), (d >> 5) & 15, d & 31, t >> 11, (t >> 5) & 63,
            (t & 31) * 2);
  char crc[8];
  wsprintfA(crc, "%04X", e.crc);
  return Decimal(e.size) + " " + Decimal(e.packedSize) + " " + e.method + " " + crc + " " + when + " " + e.path;
}

// Where an entry goes: a root that the caller named (the destination, or the drive or
// share of an original path) and the part below it that extraction creates. Or a refusal.
int TargetOf(const lha::Entry& e, const ExtractJob& job, bool ourSfx, std::string& root, std::string& below) {
  if (job.destination.empty()) {
    if (!ourSfx) return kNoOriginalPath;
    return OriginalTarget(e.path, root, below);
  }
  int code = RelativeTarget(e.path, below);
  if (code != kOk) return code;
  if (!job.switches.keepFolders) below = NameOf(below);
  root = job.destination;
  if (!EndsWithSeparator(root)) root += '\\';
  return kOk;
}

class Extractor {
 public:
  Extractor(ArchiveIn& a, const ExtractJob& job, Report& r) : a_(a), job_(job), r_(r) {}

  int Run(ExtractCounts* counts) {
    if (job_.command == 'x' && job_.destination.empty() && !a_.ourSfx) {
      r_.Fail(kNoOriginalPath, "no destination folder given; only our self-extracting archives restore to "
                               "their stored paths: " + a_.path);
      return r_.code();
    }
    if (job_.command == 'x' && !job_.destination.empty() && !MakeFolders(job_.destination, "", r_))
      return r_.code();
    FileSource src(a_.file.get(), a_.start);
    lha::Reader reader(src);
    lha::Entry e;
    bool matched = false;
    lha::Status st;
    while ((st = reader.Next(e)) == lha::Status::Ok) {
      if (!Selected(e.path, job_.patterns)) {
        if (!SkipData(reader, e)) return r_.code();
        continue;
      }
      matched = true;
      if (!One(reader, e)) return r_.code();
    }
    if (st != lha::Status::End) {
      int code = st == lha::Status::ReadError ? kArchiveUnreadable : CodeOfStatus(st);
      r_.Fail(code, std::string(ResultText(code)) + " in " + a_.path + " after " + Decimal(files_) + " entries");
      return r_.code();
    }
    if (!matched) r_.Fail(kNothingMatched, "no entry matched in " + a_.path);
    if (counts) {
      counts->files = files_;
      counts->folders = folders_;
    }
    return r_.code();
  }

 private:
  bool SkipData(lha::Reader& reader, const lha::Entry& e) {
    lha::Status st = reader.Skip();
    if (st == lha::Status::Ok) return true;
    r_.Fail(CodeOfStatus(st), std::string(lha::StatusText(st)) + ": " + e.path);
    return false;
  }

  // Handles one selected entry; false stops the walk (the archive can no longer be trusted).
  bool One(lha::Reader& reader, const lha::Entry& e) {
    if (job_.command == 'l') {
      r_.Line(ListLine(e));
      return SkipData(reader, e);
    }
    if (job_.command == 't') {
      if (e.isDirectory || e.isSymlink) return SkipData(reader, e);
      NullSink sink;
      return Checked(reader.Extract(sink), e, 0);
    }
    if (e.isSymlink) {
      r_.Fail(kLinkSkipped, "link not created: " + e.path + " -> " + e.linkTarget);
      return SkipData(reader, e);
    }
    std::string root, below;
    int code = TargetOf(e, job_, a_.ourSfx, root, below);
    if (code != kOk) {
      r_.Fail(code, std::string(ResultText(code)) + ": " + e.path);
      return SkipData(reader, e);
    }
    std::string target = root + below;
    if (e.isDirectory) {
      if (!job_.switches.keepFolders && !job_.destination.empty()) return SkipData(reader, e);
      if (MakeFolders(root, below, r_, linksRefused())) ++folders_;
      return SkipData(reader, e);
    }
    if (!MakeFolders(root, FolderOf(below), r_, linksRefused())) return SkipData(reader, e);
    if (Exists(target) && !job_.switches.overwrite) {
      r_.Fail(kFileExists, "exists, not overwritten (-y1 overwrites): " + target);
      return SkipData(reader, e);
    }
    AtomicFile out;
    if (!out.Create(target, r_)) return SkipData(reader, e);
    FileSink sink(out.handle());
    lha::Status st = reader.Extract(sink);
    if (st != lha::Status::Ok) return Checked(st, e, sink.error());
    SetDosTime(out.handle(), e.dosTime);
    if (!out.Commit(true, r_)) return r_.code() != kDiskFull;
    Sys().SetFileAttributesA(target.c_str(), e.attributes & kRestoredAttributes ? e.attributes & kRestoredAttributes
                                                                                : FILE_ATTRIBUTE_NORMAL);
    ++files_;
    return true;
  }

  // Original paths may run through a junction of the user's own system; a destination never.
  bool linksRefused() const { return !job_.destination.empty(); }

  // Records a failed decode; data CRC and unknown methods leave the walk able to go on.
  bool Checked(lha::Status st, const lha::Entry& e, DWORD writeError) {
    if (st == lha::Status::Ok) return true;
    int code = CodeOfStatus(st, writeError);
    r_.Fail(code, std::string(ResultText(code)) + ": " + e.path);
    return st == lha::Status::DataCrc || st == lha::Status::UnknownMethod ||
           (st == lha::Status::WriteError && code != kDiskFull);
  }

  ArchiveIn& a_;
  const ExtractJob& job_;
  Report& r_;
  int files_ = 0, folders_ = 0;
};

}  // namespace

int RunExtract(ArchiveIn& archive, const ExtractJob& job, Report& r, ExtractCounts* counts) {
  return Extractor(archive, job, r).Run(counts);
}

int PlanOriginalTargets(ArchiveIn& archive, std::vector<std::string>& targets, Report& r) {
  FileSource src(archive.file.get(), archive.start);
  lha::Reader reader(src);
  lha::Entry e;
  lha::Status st;
  while ((st = reader.Next(e)) == lha::Status::Ok) {
    std::string root, rest;
    if (!e.isDirectory && !e.isSymlink && OriginalTarget(e.path, root, rest) == kOk) targets.push_back(root + rest);
    st = reader.Skip();
    if (st != lha::Status::Ok) break;
  }
  if (st != lha::Status::End && st != lha::Status::Ok) r.Fail(CodeOfStatus(st), lha::StatusText(st));
  return SeekTo(archive.file.get(), archive.start) ? r.code() : kArchiveUnreadable;
}

}  // namespace unlha
