#include <cstring>

#include "unlha32/codec/header.h"
#include "unlha32/codec/lha.h"
#include "unlha32/codec/le.h"

namespace lha {
namespace {

// "-lh?-", "-lz?-" or "-pm?-" at offset 2: how every header level starts.
bool MethodAt(const uint8_t* p) {
  return p[0] == '-' && p[4] == '-' && ((p[1] == 'l' && (p[2] == 'h' || p[2] == 'z')) || (p[1] == 'p' && p[2] == 'm'));
}

// A header candidate at p with `left` bytes available; checked as far as they reach,
// so that a method-like string inside the program itself is passed over.
bool PlausibleHeader(const uint8_t* p, size_t left) {
  if (left < kPrefixSize || !MethodAt(p + 2)) return false;
  const uint8_t level = p[kLevelOffset];
  if (level == 0 || level == 1) {
    size_t total = p[0] + 2u;
    if (total < kLevel01BaseSize + 2) return false;
    if (total > left) return true;
    unsigned sum = 0;
    for (size_t i = 2; i < total; ++i) sum += p[i];
    return static_cast<uint8_t>(sum) == p[1];
  }
  if (level == 2) {
    size_t total = Get16(p);
    if (total < kLevel2BaseSize) return false;
    if (total > left) return true;
    // Walk the extended headers; a header CRC, when there is one, must agree.
    size_t at = 24;
    unsigned size = Get16(p + at);
    at += 2;
    long crcAt = -1;
    while (size != 0) {
      if (size < 3 || at + size > total) return false;
      if (p[at] == 0x00 && size >= 5) crcAt = static_cast<long>(at + 1);
      at += size;
      size = Get16(p + at - 2);
    }
    if (crcAt < 0) return true;
    uint16_t stored = Get16(p + crcAt);
    const uint8_t zero[2] = {0, 0};
    uint16_t crc = Crc16(p, static_cast<size_t>(crcAt));
    crc = Crc16(zero, 2, crc);
    crc = Crc16(p + crcAt + 2, total - static_cast<size_t>(crcAt) - 2, crc);
    return crc == stored;
  }
  return false;
}

}  // namespace

long long FindArchiveStart(const uint8_t* buf, size_t n) {
  for (size_t i = 0; i + kPrefixSize <= n; ++i)
    if (PlausibleHeader(buf + i, n - i)) return static_cast<long long>(i);
  return -1;
}

}  // namespace lha
