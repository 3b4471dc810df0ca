#include "unlha32/codec/bit_reader.h"

#include <algorithm>

namespace lha {
namespace {
constexpr size_t kChunk = 32 * 1024;  // bytes
constexpr size_t kTail = 8;           // room for one 8-byte load past the data
}  // namespace

BitReader::BitReader(ByteInput& in, unsigned long long limit, std::vector<uint8_t>& buffer)
    : in_(in), left_(limit), buf_(buffer) {
  buf_.resize(kChunk + 2 * kTail);
  p_ = end_ = buf_.data();
}

void BitReader::SlowRefill() {
  // Move the unread tail to the front, then top up from the source or with zeros.
  size_t keep = static_cast<size_t>(end_ - p_);
  std::memmove(buf_.data(), p_, keep);
  uint8_t* end = buf_.data() + keep;
  size_t want = static_cast<size_t>(std::min<unsigned long long>(left_, kChunk));
  if (want > 0) {
    size_t got = in_.Read(end, want);
    left_ -= got;
    end += got;
    if (got < want) {
      readFailed_ = true;  // truncated or failed: what was promised is not there
      left_ = 0;
    }
  }
  if (end - buf_.data() < static_cast<ptrdiff_t>(kTail)) {
    size_t pad = kTail - static_cast<size_t>(end - buf_.data());
    std::memset(end, 0, pad);
    end += pad;
    padded_ += static_cast<unsigned>(pad);
  }
  std::memset(end, 0, kTail);
  p_ = buf_.data();
  end_ = end;
}

}  // namespace lha
