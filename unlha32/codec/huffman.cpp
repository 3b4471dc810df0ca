#include "unlha32/codec/huffman.h"

#include <algorithm>

#include "unlha32/codec/method.h"

namespace lha {
namespace {

constexpr unsigned kMaxSyms = 512;

// Minimum-redundancy code lengths in place (Moffat and Katajainen): a[] holds the
// frequencies in ascending order and receives the matching code lengths.
void MinimumRedundancy(uint32_t* a, int n) {
  if (n == 1) {
    a[0] = 1;
    return;
  }
  a[0] += a[1];
  int root = 0, leaf = 2;
  for (int next = 1; next < n - 1; ++next) {
    if (leaf >= n || a[root] < a[leaf]) {
      a[next] = a[root];
      a[root++] = static_cast<uint32_t>(next);
    } else {
      a[next] = a[leaf++];
    }
    if (leaf >= n || (root < next && a[root] < a[leaf])) {
      a[next] += a[root];
      a[root++] = static_cast<uint32_t>(next);
    } else {
      a[next] += a[leaf++];
    }
  }
  a[n - 2] = 0;
  for (int next = n - 3; next >= 0; --next) a[next] = a[a[next]] + 1;
  int avail = 1, used = 0, depth = 0, root2 = n - 2, next = n - 1;
  while (avail > 0) {
    while (root2 >= 0 && static_cast<int>(a[root2]) == depth) {
      ++used;
      --root2;
    }
    while (avail > used) {
      a[next--] = static_cast<uint32_t>(depth);
      --avail;
    }
    avail = 2 * used;
    ++depth;
    used = 0;
  }
}

}  // namespace

void BuildLengths(const uint32_t* freq, unsigned n, unsigned maxLen, uint8_t* len) {
  uint16_t order[kMaxSyms];
  uint32_t a[kMaxSyms];
  int m = 0;
  for (unsigned i = 0; i < n; ++i) {
    len[i] = 0;
    if (freq[i]) order[m++] = static_cast<uint16_t>(i);
  }
  if (m == 0) return;
  std::stable_sort(order, order + m, [&](uint16_t x, uint16_t y) { return freq[x] < freq[y]; });
  for (int i = 0; i < m; ++i) a[i] = freq[order[i]];
  MinimumRedundancy(a, m);

  // Count lengths, then pull any beyond maxLen up while keeping the code complete.
  unsigned count[kMaxSyms + 1] = {};
  unsigned longest = 0;
  for (int i = 0; i < m; ++i) {
    ++count[a[i]];
    longest = std::max<unsigned>(longest, a[i]);
  }
  for (unsigned i = longest; i > maxLen; --i) {
    while (count[i] > 0) {
      unsigned j = i - 2;
      while (count[j] == 0) --j;
      count[i] -= 2;
      count[i - 1] += 1;
      count[j + 1] += 2;
      count[j] -= 1;
    }
  }
  // The rarest symbols take the longest codes.
  int k = 0;
  for (unsigned l = std::min(longest, maxLen); l >= 1; --l)
    for (unsigned c = count[l]; c > 0; --c) len[order[k++]] = static_cast<uint8_t>(l);
}

void MakeCodes(const uint8_t* len, unsigned n, uint16_t* code) {
  unsigned count[kMaxCodeLen + 2] = {};
  for (unsigned i = 0; i < n; ++i) ++count[len[i]];
  count[0] = 0;
  unsigned next[kMaxCodeLen + 2] = {};
  unsigned c = 0;
  for (unsigned l = 1; l <= kMaxCodeLen; ++l) {
    c = (c + count[l - 1]) << 1;
    next[l] = c;
  }
  for (unsigned i = 0; i < n; ++i)
    if (len[i]) code[i] = static_cast<uint16_t>(next[len[i]]++);
}

template <unsigned kSyms, unsigned kBits>
bool HuffmanTable<kSyms, kBits>::Build(const uint8_t* len, unsigned n) {
  if (n > kSyms) return false;
  unsigned long space = 0;
  for (unsigned i = 0; i < n; ++i) {
    if (len[i] > kMaxCodeLen) return false;
    if (len[i]) space += 1ul << (kMaxCodeLen - len[i]);
  }
  if (space > (1ul << kMaxCodeLen)) return false;

  uint16_t code[kSyms];
  MakeCodes(len, n, code);
  std::fill(table_, table_ + (1u << kBits), kInvalidEntry);
  unsigned nextSub = 1u << kBits;
  for (unsigned s = 0; s < n; ++s) {
    unsigned l = len[s];
    if (l == 0) continue;
    uint32_t entry = static_cast<uint32_t>(s) << 16 | l;
    if (l <= kBits) {
      unsigned first = static_cast<unsigned>(code[s]) << (kBits - l);
      std::fill(table_ + first, table_ + first + (1u << (kBits - l)), entry);
      continue;
    }
    unsigned prefix = code[s] >> (l - kBits);
    if (!(table_[prefix] & kSubFlag)) {
      std::fill(table_ + nextSub, table_ + nextSub + (1u << kSubBits), kInvalidEntry);
      table_[prefix] = static_cast<uint32_t>(nextSub) << 16 | kSubFlag;
      nextSub += 1u << kSubBits;
    }
    unsigned base = table_[prefix] >> 16;
    unsigned low = (code[s] & ((1u << (l - kBits)) - 1)) << (kMaxCodeLen - l);
    std::fill(table_ + base + low, table_ + base + low + (1u << (kMaxCodeLen - l)), entry);
  }
  return true;
}

template <unsigned kSyms, unsigned kBits>
void HuffmanTable<kSyms, kBits>::BuildSingle(unsigned sym) {
  std::fill(table_, table_ + (1u << kBits), static_cast<uint32_t>(sym) << 16);
}

// The decoders' three tables: char/length, positions, code lengths.
template class HuffmanTable<kNC, 12>;
template class HuffmanTable<kMaxNP, 8>;
template class HuffmanTable<kNT, 8>;

}  // namespace lha
