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
    bits_ |= LoadBigEndian(p_) >> count_;
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

  // Written out byte by byte: compilers turn this into one load and a byte swap.
  static uint64_t LoadBigEndian(const uint8_t* p) {
    return static_cast<uint64_t>(p[0]) << 56 | static_cast<uint64_t>(p[1]) << 48 | static_cast<uint64_t>(p[2]) << 40 |
           static_cast<uint64_t>(p[3]) << 32 | static_cast<uint64_t>(p[4]) << 24 | static_cast<uint64_t>(p[5]) << 16 |
           static_cast<uint64_t>(p[6]) << 8 | static_cast<uint64_t>(p[7]);
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
