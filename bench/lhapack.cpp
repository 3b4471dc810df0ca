// Bench-only driver: packs a folder into an archive or unpacks one, using the codec
// over plain POSIX files.
//   lhapack c [-lh0|-lh5|-lh7] ARCHIVE FOLDER   pack FOLDER's contents
//   lhapack x ARCHIVE FOLDER                    unpack into FOLDER
//   lhapack t ARCHIVE                           decode every entry, discard the bytes
//   lhapack l ARCHIVE                           list
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "unlha32/codec/lha.h"

namespace {

class FileSource : public lha::Source {
 public:
  explicit FileSource(int fd) : fd_(fd) {}
  long long Read(uint8_t* buf, size_t n) override { return ::read(fd_, buf, n); }
  bool Rewind() override { return ::lseek(fd_, 0, SEEK_SET) == 0; }

 private:
  int fd_;
};

class FileSink : public lha::Sink {
 public:
  explicit FileSink(int fd) : fd_(fd) {}
  bool Write(const uint8_t* buf, size_t n) override {
    while (n > 0) {
      ssize_t k = ::write(fd_, buf, n);
      if (k <= 0) return false;
      buf += k;
      n -= static_cast<size_t>(k);
      pos_ += static_cast<unsigned long long>(k);
    }
    return true;
  }
  unsigned long long Tell() const override { return pos_; }
  bool Seek(unsigned long long p) override {
    pos_ = p;
    return ::lseek(fd_, static_cast<off_t>(p), SEEK_SET) >= 0;
  }

 private:
  int fd_;
  unsigned long long pos_ = 0;
};

class NullSink : public lha::Sink {
 public:
  bool Write(const uint8_t*, size_t n) override {
    pos_ += n;
    return true;
  }
  unsigned long long Tell() const override { return pos_; }
  bool Seek(unsigned long long p) override {
    pos_ = p;
    return true;
  }

 private:
  unsigned long long pos_ = 0;
};

uint32_t DosTime(time_t t) {
  struct tm tm;
  localtime_r(&t, &tm);
  return static_cast<uint32_t>(tm.tm_year - 80) << 25 | static_cast<uint32_t>(tm.tm_mon + 1) << 21 |
         static_cast<uint32_t>(tm.tm_mday) << 16 | static_cast<uint32_t>(tm.tm_hour) << 11 |
         static_cast<uint32_t>(tm.tm_min) << 5 | static_cast<uint32_t>(tm.tm_sec / 2);
}

int Fail(const std::string& what, lha::Status s) {
  std::fprintf(stderr, "lhapack: %s: %s\n", what.c_str(), lha::StatusText(s));
  return 1;
}

// Adds every file and folder under root/rel, sorted, folders before their contents.
int PackTree(lha::Writer& w, const std::string& root, const std::string& rel, lha::Method m) {
  std::string dir = rel.empty() ? root : root + "/" + rel;
  DIR* d = ::opendir(dir.c_str());
  if (!d) {
    std::perror(dir.c_str());
    return 1;
  }
  std::vector<std::string> names;
  while (dirent* e = ::readdir(d))
    if (std::strcmp(e->d_name, ".") && std::strcmp(e->d_name, "..")) names.push_back(e->d_name);
  ::closedir(d);
  std::sort(names.begin(), names.end());
  for (const std::string& n : names) {
    std::string relPath = rel.empty() ? n : rel + "/" + n;
    std::string full = root + "/" + relPath;
    struct stat st;
    if (::lstat(full.c_str(), &st) != 0) continue;
    lha::Entry e;
    e.path = relPath;
    std::replace(e.path.begin(), e.path.end(), '/', '\\');
    e.dosTime = DosTime(st.st_mtime);
    e.size = static_cast<unsigned long long>(st.st_size);
    if (S_ISDIR(st.st_mode)) {
      e.attributes = 0x10;
      lha::Status s = w.AddDirectory(e);
      if (s != lha::Status::Ok) return Fail(full, s);
      if (PackTree(w, root, relPath, m)) return 1;
    } else if (S_ISREG(st.st_mode)) {
      int fd = ::open(full.c_str(), O_RDONLY);
      if (fd < 0) {
        std::perror(full.c_str());
        return 1;
      }
      FileSource src(fd);
      lha::Status s = w.AddFile(e, src, m);
      ::close(fd);
      if (s != lha::Status::Ok) return Fail(full, s);
    }
  }
  return 0;
}

int Pack(const std::string& archive, const std::string& folder, lha::Method m) {
  int fd = ::open(archive.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) {
    std::perror(archive.c_str());
    return 1;
  }
  FileSink out(fd);
  lha::Writer w(out);
  int rc = PackTree(w, folder, "", m);
  if (rc == 0 && w.Finish() != lha::Status::Ok) rc = Fail(archive, lha::Status::WriteError);
  ::close(fd);
  return rc;
}

void MakeParents(const std::string& path) {
  for (size_t i = 1; i < path.size(); ++i)
    if (path[i] == '/') ::mkdir(path.substr(0, i).c_str(), 0755);
}

int Unpack(const std::string& archive, const std::string& folder, char mode) {
  int fd = ::open(archive.c_str(), O_RDONLY);
  if (fd < 0) {
    std::perror(archive.c_str());
    return 1;
  }
  FileSource src(fd);
  lha::Reader r(src);
  lha::Entry e;
  lha::Status s;
  int rc = 0;
  while ((s = r.Next(e)) == lha::Status::Ok) {
    if (mode == 'l') {
      std::printf("%s %10llu %10llu %s%s\n", e.method.c_str(), e.packedSize, e.size, e.path.c_str(),
                  e.isSymlink ? " (link)" : "");
      continue;
    }
    std::string rel;
    if (!lha::SafePath(e.path, rel)) {
      std::fprintf(stderr, "lhapack: unsafe path skipped: %s\n", e.path.c_str());
      continue;
    }
    std::replace(rel.begin(), rel.end(), '\\', '/');
    if (mode == 't' || e.isSymlink) {
      NullSink null;
      lha::Status x = r.Extract(null);
      if (x != lha::Status::Ok) rc = Fail(e.path, x);
      continue;
    }
    std::string path = folder + "/" + rel;
    MakeParents(path);
    if (e.isDirectory) {
      ::mkdir(path.c_str(), 0755);
      continue;
    }
    int out = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (out < 0) {
      std::perror(path.c_str());
      rc = 1;
      continue;
    }
    FileSink sink(out);
    lha::Status x = r.Extract(sink);
    ::close(out);
    if (x != lha::Status::Ok) rc = Fail(e.path, x);
  }
  ::close(fd);
  if (s != lha::Status::End) return Fail(archive, s);
  return rc;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  lha::Method m = lha::Method::Lh5;
  if (args.size() >= 2 && args[0] == "c") {
    if (args[1] == "-lh0" || args[1] == "-lh5" || args[1] == "-lh7") {
      m = args[1] == "-lh0" ? lha::Method::Stored : args[1] == "-lh7" ? lha::Method::Lh7 : lha::Method::Lh5;
      args.erase(args.begin() + 1);
    }
    if (args.size() == 3) return Pack(args[1], args[2], m);
  }
  if (args.size() == 3 && args[0] == "x") return Unpack(args[1], args[2], 'x');
  if (args.size() == 2 && (args[0] == "t" || args[0] == "l")) return Unpack(args[1], "", args[0][0]);
  std::fprintf(stderr, "usage: lhapack c [-lh0|-lh5|-lh7] ARCHIVE FOLDER | x ARCHIVE FOLDER | t ARCHIVE | l ARCHIVE\n");
  return 2;
}
