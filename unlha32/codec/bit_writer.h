// Most-significant-bit-first writer into a byte buffer the caller drains.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace lha {

class BitWriter {
 public:
  // Makes room for n more bytes of output.
  void Reserve(size_t n) {
    if (buf_.size() < used_ + n + 8) buf_.resize(used_ + n + 8);
  }
  // n in 0..32; value holds exactly n bits. Needs room from Reserve.
  void Put(uint32_t value, unsigned n) {
    acc_ = acc_ << n | value;
    count_ += n;
    if (count_ >= 32) {
      count_ -= 32;
      uint32_t v = static_cast<uint32_t>(acc_ >> count_);
      uint8_t* p = buf_.data() + used_;
      p[0] = static_cast<uint8_t>(v >> 24);
      p[1] = static_cast<uint8_t>(v >> 16);
      p[2] = static_cast<uint8_t>(v >> 8);
      p[3] = static_cast<uint8_t>(v);
      used_ += 4;
    }
  }
  // Whole bytes written so far; fewer than 32 bits may still wait.
  const uint8_t* Data() const { return buf_.data(); }
  size_t Size() const { return used_; }
  unsigned long long BitsPending() const { return count_; }
  // Hands out the whole bytes; the waiting bits stay.
  void Drop() { used_ = 0; }
  // Forgets everything, for a new stream.
  void Clear() {
    used_ = 0;
    acc_ = 0;
    count_ = 0;
  }
  // Pads the last byte with zero bits and moves it out.
  void Finish() {
    Reserve(8);
    while (count_ >= 8) {
      count_ -= 8;
      buf_[used_++] = static_cast<uint8_t>(acc_ >> count_);
    }
    if (count_ > 0) buf_[used_++] = static_cast<uint8_t>(acc_ << (8 - count_));
    count_ = 0;
    acc_ = 0;
  }

 private:
  std::vector<uint8_t> buf_;
  size_t used_ = 0;
  uint64_t acc_ = 0;
  unsigned count_ = 0;
};

}  // namespace lha
