#include "unlha32/codec/block_encoder.h"

#include <algorithm>

#include "unlha32/codec/huffman.h"

namespace lha {
namespace {

unsigned UsedCount(const uint32_t* freq, unsigned n, unsigned& last) {
  unsigned used = 0;
  for (unsigned i = 0; i < n; ++i)
    if (freq[i]) {
      ++used;
      last = i;
    }
  return used;
}

// Temp and position tables: a count, then each length as 3 bits or 111 + unary tail.
void WriteCodeLengths(const uint8_t* len, unsigned nn, unsigned nbit, int special, BitWriter& out) {
  unsigned n = nn;
  while (n > 0 && len[n - 1] == 0) --n;
  out.Put(n, nbit);
  unsigned i = 0;
  while (i < n) {
    unsigned k = len[i++];
    if (k <= 6)
      out.Put(k, 3);
    else
      out.Put((1u << (k - 3)) - 2, k - 3);
    if (static_cast<int>(i) == special) {
      unsigned zeros = 0;
      while (i < 6 && len[i] == 0) {
        ++i;
        ++zeros;
      }
      out.Put(zeros, 2);
    }
  }
}

// The char table's lengths as temp symbols: 0 one zero, 1 a run of 3..18, 2 a run of
// 20..531, k+2 a length k. Calls emit(symbol, extraBits, extraCount).
template <class Emit>
void RunLengths(const uint8_t* len, unsigned n, Emit emit) {
  unsigned i = 0;
  while (i < n) {
    unsigned k = len[i++];
    if (k != 0) {
      emit(k + 2, 0, 0);
      continue;
    }
    unsigned run = 1;
    while (i < n && len[i] == 0) {
      ++i;
      ++run;
    }
    if (run <= 2) {
      for (unsigned r = 0; r < run; ++r) emit(0, 0, 0);
    } else if (run <= 18) {
      emit(1, run - 3, 4);
    } else if (run == 19) {
      emit(0, 0, 0);
      emit(1, 15, 4);
    } else {
      emit(2, run - 20, kCBit);
    }
  }
}

void WriteSingle(unsigned nbit, unsigned sym, BitWriter& out) {
  out.Put(0, nbit);
  out.Put(sym, nbit);
}

}  // namespace

void BlockSymbols::Clear() {
  n = 0;
  std::fill(cFreq, cFreq + kNC, 0);
  std::fill(pFreq, pFreq + kMaxNP, 0);
}

void EncodeBlock(const BlockSymbols& b, unsigned np, unsigned pbit, BitWriter& out) {
  // Worst case: 16 + 16 + 15 bits a symbol, plus the tables.
  out.Reserve(b.n * 6 + 2048);
  out.Put(b.n, 16);

  uint8_t cLen[kNC];
  uint16_t cCode[kNC];
  unsigned lastC = 0;
  if (UsedCount(b.cFreq, kNC, lastC) == 1) {
    WriteSingle(kTBit, 0, out);
    WriteSingle(kCBit, lastC, out);
    std::fill(cLen, cLen + kNC, 0);
  } else {
    BuildLengths(b.cFreq, kNC, kMaxCodeLen, cLen);
    MakeCodes(cLen, kNC, cCode);
    unsigned n = kNC;
    while (n > 0 && cLen[n - 1] == 0) --n;

    uint32_t tFreq[kNT] = {};
    RunLengths(cLen, n, [&](unsigned s, unsigned, unsigned) { ++tFreq[s]; });
    uint8_t tLen[kNT];
    uint16_t tCode[kNT];
    unsigned lastT = 0;
    if (UsedCount(tFreq, kNT, lastT) == 1) {
      WriteSingle(kTBit, lastT, out);
      std::fill(tLen, tLen + kNT, 0);
      std::fill(tCode, tCode + kNT, 0);
    } else {
      BuildLengths(tFreq, kNT, kMaxCodeLen, tLen);
      MakeCodes(tLen, kNT, tCode);
      WriteCodeLengths(tLen, kNT, kTBit, 3, out);
    }
    out.Put(n, kCBit);
    RunLengths(cLen, n, [&](unsigned s, unsigned extra, unsigned bits) {
      out.Put(tCode[s], tLen[s]);
      out.Put(extra, bits);
    });
  }

  uint8_t pLen[kMaxNP];
  uint16_t pCode[kMaxNP];
  unsigned lastP = 0;
  unsigned usedP = UsedCount(b.pFreq, np, lastP);
  if (usedP <= 1) {
    WriteSingle(pbit, lastP, out);
    std::fill(pLen, pLen + np, 0);
  } else {
    BuildLengths(b.pFreq, np, kMaxCodeLen, pLen);
    MakeCodes(pLen, np, pCode);
    WriteCodeLengths(pLen, np, pbit, -1, out);
  }

  for (unsigned i = 0; i < b.n; ++i) {
    unsigned c = b.c[i];
    if (cLen[c]) out.Put(cCode[c], cLen[c]);
    if (c < 256) continue;
    unsigned p = b.pos[i];
    unsigned j = BlockSymbols::PositionSymbol(p);
    if (pLen[j]) out.Put(pCode[j], pLen[j]);
    if (j > 1) out.Put(p & ((1u << (j - 1)) - 1), j - 1);
  }
}

}  // namespace lha
