// The -lh4- to -lh7- family: one coder, four parameter sets.
#pragma once

namespace lha {

// Shared by every member of the family.
constexpr unsigned kNC = 510;        // literals 0..255 and match lengths 3..256
constexpr unsigned kCBit = 9;        // bits of the char table's count
constexpr unsigned kNT = 19;         // code-length ("temp") table symbols
constexpr unsigned kTBit = 5;
constexpr unsigned kThreshold = 3;   // shortest match
constexpr unsigned kMaxMatch = 256;  // longest match
constexpr unsigned kMaxCodeLen = 16;
constexpr unsigned kMaxNP = 17;

template <unsigned DictBits, unsigned NP, unsigned PBit>
struct LzhParams {
  static constexpr unsigned kDictBits = DictBits;
  static constexpr unsigned kWindow = 1u << DictBits;
  static constexpr unsigned kNP = NP;      // position symbols
  static constexpr unsigned kPBit = PBit;  // bits of the position table's count
  // A position symbol j reaches 2^j - 1 at most, so the decoder's history is sized by
  // NP rather than the nominal window: -lh4- shares -lh5-'s NP and could point past 4 KiB.
  static constexpr unsigned kHistoryBits = NP - 1;
};

using Lh4 = LzhParams<12, 14, 4>;
using Lh5 = LzhParams<13, 14, 4>;
using Lh6 = LzhParams<15, 16, 5>;
using Lh7 = LzhParams<16, 17, 5>;

}  // namespace lha
