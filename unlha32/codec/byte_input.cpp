#include "unlha32/codec/byte_input.h"

#include <algorithm>
#include <cstring>

namespace lha {
namespace {
constexpr size_t kBufferSize = 64 * 1024;  // bytes
}

ByteInput::ByteInput(Source& src) : src_(src), buf_(kBufferSize) {}

bool ByteInput::Fill() {
  if (failed_ || ended_) return false;
  long long got = src_.Read(buf_.data(), buf_.size());
  if (got < 0 || static_cast<unsigned long long>(got) > buf_.size()) {
    failed_ = true;
    return false;
  }
  if (got == 0) {
    ended_ = true;
    return false;
  }
  pos_ = 0;
  len_ = static_cast<size_t>(got);
  return true;
}

size_t ByteInput::Read(uint8_t* dst, size_t n) {
  size_t done = 0;
  while (done < n) {
    if (pos_ == len_ && !Fill()) break;
    size_t k = std::min(n - done, len_ - pos_);
    std::memcpy(dst + done, buf_.data() + pos_, k);
    pos_ += k;
    done += k;
  }
  consumed_ += done;
  return done;
}

bool ByteInput::Skip(unsigned long long n) {
  while (n > 0) {
    if (pos_ == len_ && !Fill()) return false;
    size_t k = static_cast<size_t>(std::min<unsigned long long>(n, len_ - pos_));
    pos_ += k;
    n -= k;
    consumed_ += k;
  }
  return true;
}

}  // namespace lha
