// The LHA codec: reads and writes .lzh archives over abstract byte streams.
// Portable C++ with no platform call; the DLL supplies Win32 files as Source/Sink.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace lha {

enum class Status { Ok, End, BadHeader, HeaderCrc, DataCrc, Truncated, UnknownMethod, ReadError, WriteError, TooLarge };
const char* StatusText(Status);

// Byte streams the codec reads and writes; the DLL implements them over Win32 files, tests over memory.
struct Source {
  virtual ~Source() = default;
  virtual long long Read(uint8_t* buf, size_t n) = 0;  // bytes read, 0 at end, -1 on error
  virtual bool Rewind() { return false; }              // back to where reading began (to re-read as stored)
};
struct Sink {
  virtual ~Sink() = default;
  virtual bool Write(const uint8_t* buf, size_t n) = 0;
  virtual unsigned long long Tell() const = 0;
  virtual bool Seek(unsigned long long pos) = 0;  // writers patch a header once the data is packed
};

enum class Method { Stored, Lh5, Lh7 };  // what the writer may use

struct Entry {
  std::string method;  // "-lh5-", "-lhd-", ... as stored
  std::string path;    // folders and name joined with '\', bytes as stored (Shift-JIS), no leading '\' added
  unsigned long long packedSize = 0, size = 0;
  uint16_t crc = 0;             // CRC-16 of the data
  uint8_t attributes = 0x20;    // MS-DOS attribute bits
  uint32_t dosTime = 0;         // MS-DOS date (high word) and time (low word), local time
  int level = 2;
  char osId = 'W';
  bool isDirectory = false;     // -lhd-
  bool isSymlink = false;       // Unix symlink entry: never created, never followed
  std::string linkTarget;       // a symlink's target as stored, for reports only
};

class Reader {  // one pass over an archive, entry by entry
 public:
  explicit Reader(Source& src);  // src at the first header (see FindArchiveStart for self-extracting programs)
  ~Reader();
  Reader(const Reader&) = delete;
  Reader& operator=(const Reader&) = delete;

  Status Next(Entry& e);     // next header; Status::End after the last entry
  Status Extract(Sink& out);  // decode the current entry's data into out, CRC checked; streaming, bounded memory
  Status Skip();             // pass over the current entry's data

 private:
  struct State;
  std::unique_ptr<State> s_;
};

class Writer {  // level-2 headers with header CRC; end marker on Finish
 public:
  explicit Writer(Sink& out);
  ~Writer();
  Writer(const Writer&) = delete;
  Writer& operator=(const Writer&) = delete;

  // Packs; falls back to -lh0- when packing does not pay (Rewind); empty -> -lh0-.
  // Files of 4 GiB or more are refused with TooLarge and leave the archive as it was.
  Status AddFile(const Entry& meta, Source& data, Method m);
  Status AddDirectory(const Entry& meta);  // -lhd-
  Status Finish();

 private:
  struct State;
  std::unique_ptr<State> s_;
};

// Offset of the first archive header inside a self-extracting program (or 0 for a plain archive); -1 when none.
long long FindArchiveStart(const uint8_t* buf, size_t n);
uint16_t Crc16(const uint8_t* p, size_t n, uint16_t crc = 0);

// An entry path made fit to join under a destination folder: '/' read as '\' (never a
// Shift-JIS trail byte), drive letters and leading separators dropped, "." removed.
// Returns false (and leaves out empty) when a ".." component would climb out.
bool SafePath(const std::string& path, std::string& out);

}  // namespace lha
