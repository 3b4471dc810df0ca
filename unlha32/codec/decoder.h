// Decoders keyed by method id, behind one generic layer that checks the data CRC.
#pragma once

#include <memory>
#include <string>

#include "unlha32/codec/byte_input.h"
#include "unlha32/codec/lha.h"

namespace lha {

// Where decoded bytes go: the caller's Sink, with the CRC and count kept on the way.
class DataOut {
 public:
  explicit DataOut(Sink& sink) : sink_(sink) {}
  bool Write(const uint8_t* p, size_t n);
  uint16_t Crc() const { return crc_; }
  unsigned long long Count() const { return count_; }

 private:
  Sink& sink_;
  uint16_t crc_ = 0;
  unsigned long long count_ = 0;
};

class Decoder {
 public:
  virtual ~Decoder() = default;
  // Writes exactly `size` bytes to out, reading at most `packed` bytes from in. A decoder
  // is used for one entry after another: it keeps its buffers.
  // Damaged data gives DataCrc; the CRC itself is checked by DecodeEntry.
  virtual Status Decode(ByteInput& in, unsigned long long packed, unsigned long long size, DataOut& out) = 0;
};

// Null for a method this codec does not decode.
std::unique_ptr<Decoder> MakeDecoder(const std::string& method);
std::unique_ptr<Decoder> MakeStoredDecoder();
template <class Params>
std::unique_ptr<Decoder> MakeLzhDecoder();

// Decodes the entry whose data starts at `in` with the decoder for its method, consuming
// at most e.packedSize bytes; returns a decoder's failure, or DataCrc when the CRC disagrees.
Status DecodeEntry(Decoder& decoder, ByteInput& in, const Entry& e, Sink& out, unsigned long long& consumed);

}  // namespace lha
