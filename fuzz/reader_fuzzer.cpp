// Any bytes as an archive: list and extract every entry into a null sink. The reader must
// neither crash nor hang nor allocate without bound, whatever it is fed.
#include <string>

#include "fuzz/fuzz_streams.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  long long start = lha::FindArchiveStart(data, size);
  if (start < 0) start = 0;
  fuzz::BytesSource src(data + start, size - static_cast<size_t>(start));
  lha::Reader reader(src);
  lha::Entry e;
  for (int i = 0; i < 10000 && reader.Next(e) == lha::Status::Ok; ++i) {
    std::string safe;
    lha::SafePath(e.path, safe);
    if (i % 3 == 2) {
      reader.Skip();
      continue;
    }
    fuzz::NullSink sink(16u << 20);
    reader.Extract(sink);
  }
  return 0;
}
