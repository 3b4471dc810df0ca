// One static-Huffman block of the -lh5-/-lh7- family: tables, then the symbols.
#pragma once

#include <cstdint>

#include "unlha32/codec/bit_writer.h"
#include "unlha32/codec/method.h"

namespace lha {

// A block's symbols as the match finder produced them: c < 256 a literal, else a match
// of length c - 253 whose distance - 1 is in pos.
struct BlockSymbols {
  // Symbols per block (the count field allows 65535): small blocks follow changes in
  // the data; measured on programs and text, 8K beat 16K and 32K by 0.3-0.6%.
  static constexpr unsigned kMax = 8 * 1024;
  uint16_t c[kMax];
  uint16_t pos[kMax];
  uint32_t cFreq[kNC];
  uint32_t pFreq[kMaxNP];
  unsigned n = 0;

  void Clear();
  void Literal(uint8_t b) {
    c[n] = b;
    ++cFreq[b];
    ++n;
  }
  void Match(unsigned len, unsigned dist) {
    unsigned code = len + 256 - kThreshold;
    unsigned p = dist - 1;
    c[n] = static_cast<uint16_t>(code);
    pos[n] = static_cast<uint16_t>(p);
    ++cFreq[code];
    ++pFreq[PositionSymbol(p)];
    ++n;
  }
  bool Full() const { return n == kMax; }
  // The bit length of p: 0 for 0, 1 for 1, 2 for 2..3, ...
  static unsigned PositionSymbol(unsigned p) {
    unsigned j = 0;
    while (p >> j) ++j;
    return j;
  }
};

// Writes the block; np and pbit are the method's position parameters.
void EncodeBlock(const BlockSymbols& b, unsigned np, unsigned pbit, BitWriter& out);

}  // namespace lha
