// LZSS match finder: a sliding buffer with hash chains of bounded length.
#pragma once

#include <cstdint>
#include <vector>

#include "unlha32/codec/lha.h"
#include "unlha32/codec/method.h"

namespace lha {

struct MatchTuning {
  unsigned chain;  // candidates tried at most
  unsigned good;   // past a match this long, try a quarter as many
  unsigned nice;   // a match this long ends the search
  unsigned lazy;   // past a match this long, take it without looking one byte further
};

class MatchFinder {
 public:
  static constexpr int32_t kNil = -(1 << 30);
  // The finder never looks further back than window - 1 bytes.
  MatchFinder(unsigned windowBits, const MatchTuning& tuning);
  unsigned WindowBits() const { return windowBits_; }
  // Ready for a new file. Only the chain heads are cleared: every chain starts there.
  void Reset();

  // Tops the lookahead up to at least kLookahead bytes unless the source ends; the CRC
  // and count of what was read are kept. False on a read error.
  static constexpr unsigned kLookahead = kMaxMatch + kThreshold + 1;
  bool Fill(Source& src);
  bool Ended() const { return ended_; }
  unsigned Ahead() const { return avail_ - pos_; }
  uint8_t Previous() const { return buf_[pos_ - 1]; }
  unsigned long long BytesRead() const { return read_; }
  uint16_t Crc() const { return crc_; }

  // Enters the current position in its chain; returns the chain's former head.
  int32_t Insert() {
    uint32_t h = Hash(&buf_[pos_]);
    int32_t head = head_[h];
    prev_[pos_ & windowMask_] = head;
    head_[h] = static_cast<int32_t>(pos_);
    return head;
  }
  void Advance() { ++pos_; }
  // Advances n positions, entering each one passed over (not the new current one,
  // which the caller enters itself).
  void AdvanceInserting(unsigned n) {
    for (unsigned i = 1; i < n; ++i) {
      ++pos_;
      if (Ahead() >= kThreshold) Insert();
    }
    ++pos_;
  }
  // Longest match at the current position along the chain from `head`, longer than
  // `atLeast`; 0 when there is none. dist is 1-based.
  unsigned Longest(int32_t head, unsigned atLeast, unsigned& dist) const;

 private:
  uint32_t Hash(const uint8_t* p) const {
    uint32_t v = p[0] | p[1] << 8 | p[2] << 16;
    return (v * 2654435761u) >> (32 - hashBits_);
  }
  void Slide();

  MatchTuning tuning_;
  unsigned windowBits_, window_, windowMask_, hashBits_;
  std::vector<uint8_t> buf_;
  std::vector<int32_t> head_, prev_;
  unsigned pos_ = 0, avail_ = 0;
  unsigned long long read_ = 0;
  uint16_t crc_ = 0;
  bool ended_ = false;
};

}  // namespace lha
