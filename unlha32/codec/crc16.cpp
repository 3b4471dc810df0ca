#include "unlha32/codec/lha.h"

#include <array>

namespace lha {
namespace {

// CRC-16/ARC: polynomial 0x8005 reflected, initial 0, no final xor. Eight tables: t[k][b]
// is the CRC of byte b followed by k zero bytes, so eight bytes go in one step.
using Tables = std::array<std::array<uint16_t, 256>, 8>;

constexpr Tables MakeTables() {
  Tables t{};
  for (unsigned i = 0; i < 256; ++i) {
    unsigned c = i;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? (c >> 1) ^ 0xA001u : c >> 1;
    t[0][i] = static_cast<uint16_t>(c);
  }
  for (unsigned k = 1; k < 8; ++k)
    for (unsigned i = 0; i < 256; ++i)
      t[k][i] = static_cast<uint16_t>((t[k - 1][i] >> 8) ^ t[0][t[k - 1][i] & 0xFF]);
  return t;
}
constexpr Tables kTables = MakeTables();

}  // namespace

uint16_t Crc16(const uint8_t* p, size_t n, uint16_t crc) {
  const auto& t = kTables;
  while (n >= 8) {
    unsigned x = crc ^ (p[0] | p[1] << 8);
    crc = static_cast<uint16_t>(t[7][x & 0xFF] ^ t[6][x >> 8] ^ t[5][p[2]] ^ t[4][p[3]] ^ t[3][p[4]] ^
                                t[2][p[5]] ^ t[1][p[6]] ^ t[0][p[7]]);
    p += 8;
    n -= 8;
  }
  for (size_t i = 0; i < n; ++i) crc = static_cast<uint16_t>((crc >> 8) ^ t[0][(crc ^ p[i]) & 0xFF]);
  return crc;
}

}  // namespace lha
