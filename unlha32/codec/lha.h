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
  std::string path;    // folders and name joined with '\', bytes as stored (Shift-JIS), no leading '\' added;
                       // '/' and 0xFF separators of other writers read as '\'. Clean with SafePath.
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

  // Next header; Status::End after the last entry (or at the end of the source). A
  // damaged header (BadHeader, HeaderCrc) or a short source (Truncated, ReadError) ends
  // the walk: every later call returns the same status.
  Status Next(Entry& e);
  // Decodes the current entry's data into out, CRC checked; streaming, bounded memory.
  // Once per entry. Folders and links write nothing. UnknownMethod and DataCrc leave the
  // archive readable: Next goes on with the following entry.
  Status Extract(Sink& out);
  Status Skip();  // pass over the current entry's data

 private:
  struct State;
  std::unique_ptr<State> s_;
};

// Level-2 headers with header CRC, OS id 'W', attributes in ext 0x40, code page 932 in
// ext 0x46 (names are Shift-JIS); the DOS time goes in as Unix time. End marker on Finish.
class Writer {
 public:
  explicit Writer(Sink& out);
  ~Writer();
  Writer(const Writer&) = delete;
  Writer& operator=(const Writer&) = delete;

  // Packs; falls back to -lh0- when packing does not pay (Rewind); empty -> -lh0-.
  // Uses meta's path, attributes, dosTime and size (checked against the 4 GiB limit
  // first: TooLarge). A failing entry (ReadError, WriteError, TooLarge) leaves the sink
  // positioned where the entry began, so the archive can go on without it; bytes already
  // written past that point stay until overwritten.
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
