// Any bytes as a file: packed with each method and read back, they must come back whole.
#include <cstdlib>

#include "fuzz/fuzz_streams.h"
#include "tests/codec/streams.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  for (lha::Method m : {lha::Method::Lh5, lha::Method::Lh7, lha::Method::Stored}) {
    codec_test::MemorySink archive;
    {
      lha::Writer writer(archive);
      fuzz::BytesSource src(data, size);
      lha::Entry e;
      e.path = "f";
      e.size = size;
      if (writer.AddFile(e, src, m) != lha::Status::Ok || writer.Finish() != lha::Status::Ok) std::abort();
    }
    fuzz::BytesSource in(archive.data.data(), archive.data.size());
    lha::Reader reader(in);
    lha::Entry e;
    codec_test::MemorySink out;
    if (reader.Next(e) != lha::Status::Ok || reader.Extract(out) != lha::Status::Ok) std::abort();
    if (out.data.size() != size || (size && std::memcmp(out.data.data(), data, size) != 0)) std::abort();
    if (reader.Next(e) != lha::Status::End) std::abort();
  }
  return 0;
}
