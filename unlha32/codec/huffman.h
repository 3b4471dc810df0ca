// Huffman codes: lengths from frequencies (limited), canonical codes, decode tables.
#pragma once

#include <cstdint>

#include "unlha32/codec/bit_reader.h"

namespace lha {

// Code lengths for n symbols (n <= 512) from their frequencies, none longer than maxLen.
// Unused symbols get 0; a lone used symbol gets 1 (callers write such tables specially).
void BuildLengths(const uint32_t* freq, unsigned n, unsigned maxLen, uint8_t* len);

// Canonical codes: by increasing length, then increasing symbol.
void MakeCodes(const uint8_t* len, unsigned n, uint16_t* code);

// Two-level decode table over a 16-bit peek: kBits index the first level, codes longer
// than that continue in a sub-table of the remaining 16 - kBits bits.
template <unsigned kSyms, unsigned kBits>
class HuffmanTable {
 public:
  static constexpr uint16_t kInvalid = 0xFFFF;

  // False when the lengths over-subscribe the code space; unused codes decode as kInvalid.
  bool Build(const uint8_t* len, unsigned n);
  // The table of a single symbol, coded with zero bits.
  void BuildSingle(unsigned sym);

  // Needs 16 refilled bits in br.
  unsigned Decode(BitReader& br) const {
    uint32_t peek = br.Peek(16);
    uint32_t e = table_[peek >> kSubBits];
    if (e & kSubFlag) e = table_[(e >> 16) + (peek & ((1u << kSubBits) - 1))];
    br.Skip(e & 0xFF);
    return e >> 16;
  }

 private:
  static constexpr unsigned kSubBits = 16 - kBits;
  static constexpr uint32_t kSubFlag = 0x100;
  static constexpr uint32_t kInvalidEntry = static_cast<uint32_t>(kInvalid) << 16;
  uint32_t table_[(1u << kBits) + kSyms * (1u << kSubBits)];
};

}  // namespace lha
