// -lh4- to -lh7-: static Huffman blocks over LZSS, one template for the family.
#include <algorithm>
#include <cstring>
#include <vector>

#include "unlha32/codec/bit_reader.h"
#include "unlha32/codec/decoder.h"
#include "unlha32/codec/huffman.h"
#include "unlha32/codec/method.h"

namespace lha {
namespace {

template <class P>
class LzhDecoder : public Decoder {
 public:
  Status Decode(ByteInput& in, unsigned long long packed, unsigned long long size, DataOut& out) override;

 private:
  // Twice the history and at least 64 KiB: fewer, larger writes, and room for the
  // 8-byte copies to run past a match without touching live history.
  static constexpr unsigned kRingBits = std::max(P::kHistoryBits + 1, 16u);
  static constexpr uint32_t kRingSize = 1u << kRingBits;
  static constexpr uint32_t kMask = kRingSize - 1;

  bool ReadCodeLengths(BitReader& br, unsigned nn, unsigned nbit, int special, uint8_t* len, unsigned& single,
                       unsigned& count);
  bool ReadTempTable(BitReader& br);
  bool ReadCharTable(BitReader& br);
  bool ReadPositionTable(BitReader& br);

  std::vector<uint8_t> ring_ = std::vector<uint8_t>(kRingSize + kMaxMatch + 8);
  std::vector<uint8_t> input_;
  HuffmanTable<kNT, 8> temp_;
  HuffmanTable<kNC, 12> chars_;
  HuffmanTable<kMaxNP, 8> positions_;
};

// Temp and position tables: a count, then lengths of 3 bits or 7 + a unary tail.
template <class P>
bool LzhDecoder<P>::ReadCodeLengths(BitReader& br, unsigned nn, unsigned nbit, int special, uint8_t* len,
                                    unsigned& single, unsigned& count) {
  count = br.Bits(nbit);
  if (count == 0) {
    single = br.Bits(nbit);
    return single < nn;
  }
  if (count > nn) return false;
  unsigned i = 0;
  while (i < count) {
    unsigned l = br.Bits(3);
    if (l == 7) {
      while (br.Bits(1)) {
        if (++l > kMaxCodeLen) return false;
      }
    }
    len[i++] = static_cast<uint8_t>(l);
    if (static_cast<int>(i) == special) {
      unsigned zeros = br.Bits(2);
      while (zeros-- > 0 && i < count) len[i++] = 0;
    }
  }
  std::fill(len + count, len + nn, 0);
  return true;
}

template <class P>
bool LzhDecoder<P>::ReadTempTable(BitReader& br) {
  uint8_t len[kNT];
  unsigned single, count;
  if (!ReadCodeLengths(br, kNT, kTBit, 3, len, single, count)) return false;
  if (count == 0) {
    temp_.BuildSingle(single);
    return true;
  }
  return temp_.Build(len, kNT);
}

template <class P>
bool LzhDecoder<P>::ReadPositionTable(BitReader& br) {
  uint8_t len[kMaxNP];
  unsigned single, count;
  if (!ReadCodeLengths(br, P::kNP, P::kPBit, -1, len, single, count)) return false;
  if (count == 0) {
    positions_.BuildSingle(single);
    return true;
  }
  return positions_.Build(len, P::kNP);
}

// Char/length table: lengths coded with the temp table, with three kinds of zero run.
template <class P>
bool LzhDecoder<P>::ReadCharTable(BitReader& br) {
  unsigned count = br.Bits(kCBit);
  if (count == 0) {
    unsigned single = br.Bits(kCBit);
    if (single >= kNC) return false;
    chars_.BuildSingle(single);
    return true;
  }
  if (count > kNC) return false;
  uint8_t len[kNC];
  unsigned i = 0;
  while (i < count) {
    br.Refill();
    unsigned c = temp_.Decode(br);
    if (c >= kNT) return false;
    if (c > 2) {
      len[i++] = static_cast<uint8_t>(c - 2);
      continue;
    }
    unsigned zeros = c == 0 ? 1 : c == 1 ? br.Get(4) + 3 : br.Get(9) + 20;
    if (zeros > count - i) return false;
    std::memset(len + i, 0, zeros);
    i += zeros;
  }
  std::fill(len + count, len + kNC, 0);
  return chars_.Build(len, kNC);
}

template <class P>
Status LzhDecoder<P>::Decode(ByteInput& in, unsigned long long packed, unsigned long long size, DataOut& out) {
  BitReader br(in, packed, input_);
  // The window starts as spaces, as other decoders have it; before the first wrap only
  // the ring's last stretch can be reached, from the start.
  uint8_t* r = ring_.data();
  std::memset(r + kRingSize - (1u << P::kHistoryBits), ' ', 1u << P::kHistoryBits);
  uint32_t pos = 0;
  unsigned long long left = size;
  unsigned blockLeft = 0;
  Status damaged = Status::DataCrc;

  auto failure = [&]() {
    if (br.ReadFailed()) return in.Failed() ? Status::ReadError : Status::Truncated;
    return damaged;
  };
  auto flush = [&]() { return out.Write(r, pos); };

  while (left > 0) {
    if (blockLeft == 0) {
      blockLeft = br.Bits(16);
      if (blockLeft == 0 || !ReadTempTable(br) || !ReadCharTable(br) || !ReadPositionTable(br)) return failure();
    }
    if (br.Overrun()) return failure();
    --blockLeft;
    br.Refill();
    unsigned c = chars_.Decode(br);
    if (c < 256) {
      r[pos++] = static_cast<uint8_t>(c);
      --left;
      if (pos == kRingSize) {
        if (!flush()) return Status::WriteError;
        pos = 0;
      }
      continue;
    }
    if (c >= kNC) return failure();
    unsigned j = positions_.Decode(br);
    if (j >= P::kNP) return failure();
    uint32_t dist = (j <= 1 ? j : (1u << (j - 1)) + br.Get(j - 1)) + 1;
    uint32_t len = static_cast<uint32_t>(std::min<unsigned long long>(c - (256 - kThreshold), left));
    uint32_t src = (pos - dist) & kMask;
    left -= len;
    if (dist >= 8 && pos + len <= kRingSize && src + len + 8 <= kRingSize) {
      // No wrap on either side: 8-byte steps, overrunning into bytes that are
      // either rewritten next or older than any reachable distance.
      uint8_t* d = r + pos;
      const uint8_t* s = r + src;
      for (uint32_t k = 0; k < len; k += 8) std::memcpy(d + k, s + k, 8);
      pos += len;
      if (pos == kRingSize) {
        if (!flush()) return Status::WriteError;
        pos = 0;
      }
      continue;
    }
    for (uint32_t k = 0; k < len; ++k) {
      r[pos++] = r[src];
      src = (src + 1) & kMask;
      if (pos == kRingSize) {
        if (!flush()) return Status::WriteError;
        pos = 0;
      }
    }
  }
  if (!flush()) return Status::WriteError;
  if (br.ReadFailed()) return in.Failed() ? Status::ReadError : Status::Truncated;
  return Status::Ok;
}

}  // namespace

template <class Params>
std::unique_ptr<Decoder> MakeLzhDecoder() {
  return std::unique_ptr<Decoder>(new LzhDecoder<Params>);
}

template std::unique_ptr<Decoder> MakeLzhDecoder<Lh4>();
template std::unique_ptr<Decoder> MakeLzhDecoder<Lh5>();
template std::unique_ptr<Decoder> MakeLzhDecoder<Lh6>();
template std::unique_ptr<Decoder> MakeLzhDecoder<Lh7>();

}  // namespace lha
