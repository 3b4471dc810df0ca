// -lh5-/-lh7- packing: match finder and block encoder driven over a Source.
#pragma once

#include "unlha32/codec/lha.h"

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

// ReadError, WriteError when out refused, TooLarge when the source passes maxSize.
template <class Params>
Status PackLzh(Source& src, PackedOut& out, unsigned long long maxSize, PackResult& result);

}  // namespace lha
