// -lh5-/-lh7- packing: match finder and block encoder driven over a Source.
#pragma once

#include <memory>

#include "unlha32/codec/bit_writer.h"
#include "unlha32/codec/block_encoder.h"
#include "unlha32/codec/lha.h"
#include "unlha32/codec/match_finder.h"

namespace lha {

// Receives packed bytes as they are made; inputRead is how much of the source has been
// read by then. Returning false stops the packing.
struct PackedOut {
  virtual ~PackedOut() = default;
  virtual bool Put(const uint8_t* p, size_t n, unsigned long long inputRead) = 0;
};

struct PackResult {
  unsigned long long size = 0, packed = 0;
  uint16_t crc = 0;
};

// The large buffers of packing, kept from one file to the next: most files are small.
struct PackBuffers {
  std::unique_ptr<MatchFinder> finder;
  std::unique_ptr<BlockSymbols> block;
  BitWriter bits;
};

// ReadError, WriteError when out refused, TooLarge when the source passes maxSize.
template <class Params>
Status PackLzh(Source& src, PackedOut& out, unsigned long long maxSize, PackResult& result, PackBuffers& buffers);

}  // namespace lha
