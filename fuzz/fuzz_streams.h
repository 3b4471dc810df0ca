// Byte streams for the fuzzers: input from memory, output counted and dropped.
#pragma once

#include <algorithm>
#include <cstring>
#include <vector>

#include "unlha32/codec/lha.h"

namespace fuzz {

class BytesSource : public lha::Source {
 public:
  BytesSource(const uint8_t* p, size_t n) : p_(p), n_(n) {}
  long long Read(uint8_t* buf, size_t n) override {
    size_t k = std::min(n, n_ - pos_);
    if (k) std::memcpy(buf, p_ + pos_, k);
    pos_ += k;
    return static_cast<long long>(k);
  }
  bool Rewind() override {
    pos_ = 0;
    return true;
  }

 private:
  const uint8_t* p_;
  size_t n_, pos_ = 0;
};

// Refuses to take more than a bound: a few bytes may legally claim gigabytes.
class NullSink : public lha::Sink {
 public:
  explicit NullSink(unsigned long long limit) : limit_(limit) {}
  bool Write(const uint8_t*, size_t n) override {
    pos_ += n;
    return pos_ <= limit_;
  }
  unsigned long long Tell() const override { return pos_; }
  bool Seek(unsigned long long p) override {
    pos_ = p;
    return true;
  }

 private:
  unsigned long long limit_, pos_ = 0;
};

}  // namespace fuzz
