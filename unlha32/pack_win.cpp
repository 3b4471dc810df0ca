#include "unlha32/pack.h"

#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "unlha32/archive_in.h"
#include "unlha32/disk.h"
#include "unlha32/entry_target.h"
#include "unlha32/result.h"
#include "unlha32/sjis_path.h"
#include "unlha32/syscalls.h"
#include "unlha32/win_error.h"

namespace unlha {
namespace {

constexpr DWORD kStoredAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                    FILE_ATTRIBUTE_ARCHIVE;

struct Item {
  std::string source;  // full path on disk
  lha::Entry meta;
};

bool HasExtension(const std::string& path) { return NameOf(path).find('.') != std::string::npos; }

bool IsAbsolute(const std::string& p) {
  return (p.size() >= 2 && p[1] == ':') || (!p.empty() && IsSeparator(p[0]));
}

lha::Method CodecMethod(Method m) {
  return m == Method::Stored ? lha::Method::Stored : m == Method::Lh7 ? lha::Method::Lh7 : lha::Method::Lh5;
}

class Collector {
 public:
  Collector(const Switches& sw, const std::string& archiveFull, Report& r)
      : sw_(sw), archiveFull_(archiveFull), r_(r) {}

  // One pattern. storedPrefix is "" for full-path storing, else the stored folder prefix.
  bool AddPattern(const std::string& full, bool fullPathMode, const std::string& storedPrefix) {
    std::string folder = FolderOf(full);
    std::string mask = NameOf(full);
    fullPathMode_ = fullPathMode;
    if (mask.empty()) mask = "*";
    if (!HasWildcard(mask) && IsFolder(full)) {
      // A folder named by itself: the folder and everything in it.
      WIN32_FIND_DATAA fd = {};
      fd.dwFileAttributes = Attributes(full);
      AddOne(full, storedPrefix + mask, fd, true);
      Walk(full + "\\", storedPrefix + mask + "\\", "*", sw_.recurse);
      return true;
    }
    Walk(folder.empty() ? ".\\" : folder, storedPrefix, mask, sw_.recurse);
    return true;
  }

  std::vector<Item>& items() { return items_; }
  std::set<std::string>& keys() { return keys_; }

 private:
  void Walk(const std::string& folder, const std::string& prefix, const std::string& mask, bool recurse) {
    WIN32_FIND_DATAA fd;
    std::string query = folder + "*";
    HANDLE h = Sys().FindFirstFileA(query.c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) {
      DWORD err = GetLastError();
      if (err != ERROR_FILE_NOT_FOUND && err != ERROR_PATH_NOT_FOUND && err != ERROR_NO_MORE_FILES)
        r_.Fail(kSourceUnreadable, CallFailed("FindFirstFileA", query, err));
      return;
    }
    std::vector<std::pair<std::string, WIN32_FIND_DATAA>> subfolders;
    do {
      std::string name = fd.cFileName;
      if (name == "." || name == "..") continue;
      bool isFolder = (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
      if (isFolder) {
        // A junction is stored as nothing and never walked: it may loop or lead anywhere.
        if (recurse && !(fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) subfolders.push_back({name, fd});
        continue;
      }
      if (WildcardMatch(mask, name)) AddOne(folder + name, prefix + name, fd, false);
    } while (Sys().FindNextFileA(h, &fd));
    FindClose(h);
    for (auto& sub : subfolders) {
      if (WildcardMatch(mask, sub.first)) AddOne(folder + sub.first, prefix + sub.first, sub.second, true);
      Walk(folder + sub.first + "\\", prefix + sub.first + "\\", mask, recurse);
    }
  }

  void AddOne(const std::string& source, const std::string& relStored, const WIN32_FIND_DATAA& fd, bool isFolder) {
    std::string full = FullPath(source);
    if (!isFolder && SameName(full, archiveFull_)) return;  // never the archive into itself
    std::string stored = relStored;
    if (fullPathMode_ && !StoredNameOfFullPath(full, stored)) {
      r_.Fail(kBadCommandLine, "cannot store a full path for " + full);
      return;
    }
    if (!sw_.keepFolders) {
      if (isFolder) return;
      stored = NameOf(stored);
    }
    if (!keys_.insert(FoldedName(stored)).second) return;
    Item it;
    it.source = full;
    it.meta.path = stored;
    it.meta.isDirectory = isFolder;
    it.meta.attributes = static_cast<uint8_t>((fd.dwFileAttributes & kStoredAttributes) | (isFolder ? 0x10 : 0));
    it.meta.dosTime = DosTimeOf(fd.ftLastWriteTime);
    it.meta.size = (static_cast<unsigned long long>(fd.nFileSizeHigh) << 32) | fd.nFileSizeLow;
    it.meta.osId = 'W';
    items_.push_back(it);
  }

  const Switches& sw_;
  std::string archiveFull_;
  Report& r_;
  bool fullPathMode_ = false;
  std::vector<Item> items_;
  std::set<std::string> keys_;
};

class Packer {
 public:
  Packer(const Switches& sw, Report& r) : sw_(sw), r_(r) {}

  bool Carry(const std::string& archivePath, lha::Writer& w, const std::set<std::string>& replaced) {
    ArchiveIn old;
    if (!OpenArchive(archivePath, old, r_)) return false;
    FileSource src(old.file.get(), old.start);
    lha::Reader reader(src);
    lha::Entry e;
    lha::Status st;
    while ((st = reader.Next(e)) == lha::Status::Ok) {
      if (replaced.count(FoldedName(e.path)) || e.isSymlink) {
        st = reader.Skip();
      } else if (e.isDirectory) {
        st = reader.Skip();
        if (st == lha::Status::Ok && !Added(w.AddDirectory(e), e.path)) return false;
      } else {
        // Decoded to a scratch file and packed again: the codec writes whole entries only.
        ScratchFile scratch;
        if (!scratch.Create(FolderOf(archivePath), r_)) return false;
        FileSink sink(scratch.handle());
        st = reader.Extract(sink);
        if (st == lha::Status::WriteError) {
          r_.Fail(WriteFailureCode(sink.error()), CallFailed("WriteFile", "scratch file", sink.error()));
          return false;
        }
        if (st == lha::Status::Ok) {
          FileSource data(scratch.handle());
          if (!data.Rewind() || !Added(w.AddFile(e, data, CodecMethod(sw_.method)), e.path)) return false;
        }
      }
      if (st != lha::Status::Ok) break;
    }
    if (st != lha::Status::End) {
      int code = CodeOfStatus(st);
      r_.Fail(code, std::string(ResultText(code)) + " in the existing archive " + old.path + "; left as it was");
      return false;
    }
    return true;
  }

  bool AddNew(lha::Writer& w, const std::vector<Item>& items) {
    for (const Item& it : items) {
      if (it.meta.isDirectory) {
        if (!Added(w.AddDirectory(it.meta), it.meta.path)) return false;
        ++folders_;
        continue;
      }
      File f(Sys().CreateFileA(it.source.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
      if (!f.ok()) {
        // A file in use is left out and named; the rest of the backup still goes in.
        DWORD err = GetLastError();
        r_.Fail(kSourceUnreadable, CallFailed("CreateFileA", it.source, err));
        continue;
      }
      FileSource data(f.get());
      lha::Status st = w.AddFile(it.meta, data, CodecMethod(sw_.method));
      if (st == lha::Status::ReadError) {
        r_.Fail(kSourceUnreadable, CallFailed("ReadFile", it.source, data.error()));
        return false;
      }
      if (st == lha::Status::TooLarge) {
        r_.Fail(kTooLarge, "4 GiB or more, left out: " + it.source);
        continue;
      }
      if (!Added(st, it.meta.path)) return false;
      ++files_;
    }
    return true;
  }

  bool Added(lha::Status st, const std::string& what) {
    if (st == lha::Status::Ok) return true;
    int code = CodeOfStatus(st, sink_ ? sink_->error() : 0);
    r_.Fail(code, std::string(ResultText(code)) + " while packing " + what);
    return false;
  }

  void WatchSink(const FileSink* sink) { sink_ = sink; }
  int files() const { return files_; }
  int folders() const { return folders_; }

 private:
  const Switches& sw_;
  Report& r_;
  const FileSink* sink_ = nullptr;
  int files_ = 0, folders_ = 0;
};

}  // namespace

int RunPack(const CommandLine& cl, Report& r) {
  std::string archivePath = HasExtension(cl.archive) ? cl.archive : cl.archive + ".LZH";
  std::string archiveFull = FullPath(archivePath);
  std::string base;
  size_t first = 0;
  if (cl.args.size() >= 2 && EndsWithSeparator(cl.args[0])) {
    base = cl.args[0];
    first = 1;
  }
  Collector collect(cl.switches, archiveFull, r);
  for (size_t i = first; i < cl.args.size(); ++i) {
    const std::string& p = cl.args[i];
    if (IsAbsolute(p)) {
      collect.AddPattern(FullPath(p), true, "");
      continue;
    }
    std::string prefix;
    std::string folder = FolderOf(p);
    if (!folder.empty() && RelativeTarget(folder + "x", prefix) != kOk) {
      r.Fail(kBadCommandLine, "a pattern relative to its folder may not climb out with \"..\": " + p);
      return r.code();
    }
    if (!prefix.empty()) prefix = FolderOf(prefix);
    collect.AddPattern(base + p, false, prefix);
  }
  if (collect.items().empty()) {
    if (r.code() == kOk) r.Fail(kNothingMatched, "no file matched; nothing written to " + archivePath);
    return r.code();
  }

  AtomicFile out;
  if (!out.Create(archivePath, r)) return r.code();
  FileSink sink(out.handle());
  lha::Writer w(sink);
  Packer packer(cl.switches, r);
  packer.WatchSink(&sink);
  bool ok = (!Exists(archivePath) || packer.Carry(archivePath, w, collect.keys())) && packer.AddNew(w, collect.items());
  if (ok) ok = packer.Added(w.Finish(), archivePath);
  if (!ok || !out.Commit(true, r)) return r.code();
  r.Line(std::to_string(packer.files()) + " file(s) and " + std::to_string(packer.folders()) +
         " folder(s) packed into " + archivePath);
  return r.code();
}

}  // namespace unlha
