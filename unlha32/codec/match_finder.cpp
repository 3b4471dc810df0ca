#include "unlha32/codec/match_finder.h"

#include <algorithm>
#include <cstring>

namespace lha {
namespace {

constexpr unsigned kReadChunk = 128 * 1024;  // bytes read per slide of the buffer
constexpr unsigned kPad = 16;                // the 8-byte compares may read past the data

// Common prefix length of a and b, at most max. Little-endian targets only: the first
// differing byte is the lowest set byte of the xor.
unsigned MatchLength(const uint8_t* a, const uint8_t* b, unsigned max) {
  unsigned n = 0;
  while (n < max) {
    uint64_t x, y;
    std::memcpy(&x, a + n, 8);
    std::memcpy(&y, b + n, 8);
    uint64_t d = x ^ y;
    if (d) return std::min(max, n + static_cast<unsigned>(__builtin_ctzll(d) >> 3));
    n += 8;
  }
  return max;
}

}  // namespace

MatchFinder::MatchFinder(unsigned windowBits, const MatchTuning& tuning)
    : tuning_(tuning),
      windowBits_(windowBits),
      window_(1u << windowBits),
      windowMask_(window_ - 1),
      hashBits_(std::min(windowBits + 2, 16u)),
      buf_(2 * window_ + kReadChunk + kPad, 0),
      head_(size_t{1} << hashBits_, kNil),
      prev_(window_, kNil) {}

void MatchFinder::Reset() {
  std::fill(head_.begin(), head_.end(), kNil);
  pos_ = avail_ = 0;
  read_ = 0;
  crc_ = 0;
  ended_ = false;
}

bool MatchFinder::Fill(Source& src) {
  const unsigned capacity = static_cast<unsigned>(buf_.size()) - kPad;
  while (!ended_ && Ahead() < kLookahead) {
    if (avail_ == capacity) Slide();
    long long got = src.Read(&buf_[avail_], capacity - avail_);
    if (got < 0 || static_cast<unsigned long long>(got) > capacity - avail_) return false;
    if (got == 0) {
      ended_ = true;
      break;
    }
    crc_ = Crc16(&buf_[avail_], static_cast<size_t>(got), crc_);
    avail_ += static_cast<unsigned>(got);
    read_ += static_cast<unsigned long long>(got);
  }
  return true;
}

// Keeps at least one window behind the current position, moving by whole windows so
// that prev_, indexed by position modulo the window, stays valid.
void MatchFinder::Slide() {
  unsigned delta = (pos_ - window_) / window_ * window_;
  std::memmove(buf_.data(), buf_.data() + delta, avail_ - delta);
  pos_ -= delta;
  avail_ -= delta;
  const int32_t d = static_cast<int32_t>(delta);
  auto rebase = [d](int32_t& v) { v = v >= d ? v - d : kNil; };
  std::for_each(head_.begin(), head_.end(), rebase);
  std::for_each(prev_.begin(), prev_.end(), rebase);
}

unsigned MatchFinder::Longest(int32_t cand, unsigned atLeast, unsigned& dist) const {
  unsigned max = std::min(kMaxMatch, Ahead());
  if (max < kThreshold || atLeast >= max) return 0;
  const uint8_t* cur = &buf_[pos_];
  const int32_t limit = static_cast<int32_t>(pos_) - static_cast<int32_t>(window_) + 1;
  unsigned chain = atLeast >= tuning_.good ? tuning_.chain >> 2 : tuning_.chain;
  unsigned nice = std::min(tuning_.nice, max);
  unsigned best = atLeast;
  while (cand >= limit && chain-- > 0) {
    const uint8_t* m = &buf_[static_cast<unsigned>(cand)];
    if (m[best] == cur[best] && m[0] == cur[0] && m[1] == cur[1]) {
      unsigned len = MatchLength(m, cur, max);
      if (len > best) {
        best = len;
        dist = pos_ - static_cast<unsigned>(cand);
        if (len >= nice) break;
      }
    }
    cand = prev_[static_cast<unsigned>(cand) & windowMask_];
  }
  return best > atLeast ? best : 0;
}

}  // namespace lha
