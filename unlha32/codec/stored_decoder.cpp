#include <algorithm>
#include <vector>

#include "unlha32/codec/decoder.h"

namespace lha {
namespace {

class StoredDecoder : public Decoder {
 public:
  Status Decode(ByteInput& in, unsigned long long packed, unsigned long long size, DataOut& out) override {
    std::vector<uint8_t> buf(64 * 1024);
    unsigned long long left = std::min(packed, size);
    while (left > 0) {
      size_t want = static_cast<size_t>(std::min<unsigned long long>(left, buf.size()));
      size_t got = in.Read(buf.data(), want);
      if (!out.Write(buf.data(), got)) return Status::WriteError;
      if (got < want) return in.Failed() ? Status::ReadError : Status::Truncated;
      left -= got;
    }
    // A stored entry whose two sizes differ is damaged; the CRC check reports it.
    return Status::Ok;
  }
};

}  // namespace

std::unique_ptr<Decoder> MakeStoredDecoder() { return std::unique_ptr<Decoder>(new StoredDecoder); }

}  // namespace lha
