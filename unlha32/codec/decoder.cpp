#include "unlha32/codec/decoder.h"

#include "unlha32/codec/method.h"

namespace lha {

bool DataOut::Write(const uint8_t* p, size_t n) {
  if (n == 0) return true;
  crc_ = Crc16(p, n, crc_);
  count_ += n;
  return sink_.Write(p, n);
}

std::unique_ptr<Decoder> MakeDecoder(const std::string& method) {
  if (method == "-lh0-") return MakeStoredDecoder();
  if (method == "-lh4-") return MakeLzhDecoder<Lh4>();
  if (method == "-lh5-") return MakeLzhDecoder<Lh5>();
  if (method == "-lh6-") return MakeLzhDecoder<Lh6>();
  if (method == "-lh7-") return MakeLzhDecoder<Lh7>();
  return nullptr;
}

Status DecodeEntry(Decoder& decoder, ByteInput& in, const Entry& e, Sink& out, unsigned long long& consumed) {
  unsigned long long start = in.Position();
  DataOut data(out);
  Status s = decoder.Decode(in, e.packedSize, e.size, data);
  consumed = in.Position() - start;
  if (s != Status::Ok) return s;
  if (data.Count() != e.size || data.Crc() != e.crc) return Status::DataCrc;
  return Status::Ok;
}

}  // namespace lha
