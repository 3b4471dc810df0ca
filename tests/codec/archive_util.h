// Packing a file set into an archive in memory and reading an archive back whole.
#pragma once

#include <vector>

#include "tests/codec/streams.h"

namespace codec_test {

// 2023-05-06 12:34:00 local time.
constexpr uint32_t kSomeDosTime = 43u << 25 | 5u << 21 | 6u << 16 | 12u << 11 | 34u << 5;

inline lha::Entry MetaFor(const TestFile& f, size_t index) {
  lha::Entry e;
  e.path = f.path;
  e.size = f.data.size();
  e.dosTime = kSomeDosTime + static_cast<uint32_t>(index % 20);  // each entry its own seconds
  e.attributes = f.folder ? 0x10 : static_cast<uint8_t>(0x20 | (index % 4 == 1 ? 0x01 : 0) | (index % 4 == 2 ? 0x02 : 0));
  return e;
}

inline Bytes PackFiles(const std::vector<TestFile>& files, lha::Method m, size_t chunk = static_cast<size_t>(-1),
                       bool rewindable = true) {
  MemorySink sink;
  lha::Writer w(sink);
  for (size_t i = 0; i < files.size(); ++i) {
    const TestFile& f = files[i];
    lha::Status s;
    if (f.folder) {
      s = w.AddDirectory(MetaFor(f, i));
    } else {
      MemorySource src(f.data);
      src.chunk = chunk;
      src.rewindable = rewindable;
      s = w.AddFile(MetaFor(f, i), src, m);
    }
    if (s != lha::Status::Ok) return Bytes();
  }
  if (w.Finish() != lha::Status::Ok) return Bytes();
  return sink.data;
}

struct ReadBack {
  lha::Entry entry;
  lha::Status status = lha::Status::Ok;  // of Extract
  Bytes data;
};

// Every entry with its data; `end` receives the status that ended the listing.
inline std::vector<ReadBack> ReadArchive(const Bytes& archive, lha::Status& end, size_t chunk = static_cast<size_t>(-1)) {
  MemorySource src(archive);
  src.chunk = chunk;
  lha::Reader r(src);
  std::vector<ReadBack> out;
  ReadBack rb;
  while ((end = r.Next(rb.entry)) == lha::Status::Ok) {
    MemorySink sink;
    rb.status = r.Extract(sink);
    rb.data = sink.data;
    out.push_back(rb);
  }
  return out;
}

}  // namespace codec_test
