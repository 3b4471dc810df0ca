// Most-significant-bit-first reader over one entry's packed bytes.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#include "unlha32/codec/byte_input.h"

namespace lha {

class BitReader {
 public:
  // Reads at most `limit` bytes from `in`; past them it yields zero bits, as other
  // decoders do, but only for a few bytes before it reports an overrun. `buffer` is the
  // caller's, so that it lasts from one entry to the next.
  BitReader(ByteInput& in, unsigned long long limit, std::vector<uint8_t>& buffer);

  // Guarantees at least 56 valid bits in the buffer.
  void Refill() {
    if (end_ - p_ < 8) SlowRefill();
    uint64_t v;
    std::memcpy(&v, p_, 8);
    bits_ |= FromBigEndian(v) >> count_;
    p_ += (63 - count_) >> 3;
    count_ |= 56;
  }
  // n in 1..32; valid after Refill for as many bits as were refilled.
  uint32_t Peek(unsigned n) const { return static_cast<uint32_t>(bits_ >> (64 - n)); }
  void Skip(unsigned n) {
    bits_ <<= n;
    count_ -= n;
  }
  uint32_t Get(unsigned n) {  // n in 1..32, Refill done for them
    uint32_t v = Peek(n);
    Skip(n);
    return v;
  }
  // Bits for table headers, where speed does not matter.
  uint32_t Bits(unsigned n) {
    if (n == 0) return 0;
    Refill();
    return Get(n);
  }
  bool Overrun() const { return padded_ > kSlack; }
  bool ReadFailed() const { return readFailed_; }

 private:
  static constexpr unsigned kSlack = 32;  // zero bytes past the end a sound stream may peek at

  static uint64_t FromBigEndian(uint64_t v) {
    uint8_t b[8];
    std::memcpy(b, &v, 8);
    uint64_t r = 0;
    for (int i = 0; i < 8; ++i) r = r << 8 | b[i];
    return r;
  }
  void SlowRefill();

  ByteInput& in_;
  unsigned long long left_;
  std::vector<uint8_t>& buf_;
  const uint8_t* p_;
  const uint8_t* end_;
  uint64_t bits_ = 0;
  unsigned count_ = 0;
  unsigned padded_ = 0;
  bool readFailed_ = false;
};

}  // namespace lha
