#include "unlha32/codec/lha.h"

#include <array>

namespace lha {
namespace {

// CRC-16/ARC: polynomial 0x8005 reflected, initial 0, no final xor.
constexpr std::array<uint16_t, 256> MakeTable() {
  std::array<uint16_t, 256> t{};
  for (unsigned i = 0; i < 256; ++i) {
    unsigned c = i;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? (c >> 1) ^ 0xA001u : c >> 1;
    t[i] = static_cast<uint16_t>(c);
  }
  return t;
}
constexpr std::array<uint16_t, 256> kTable = MakeTable();

}  // namespace

uint16_t Crc16(const uint8_t* p, size_t n, uint16_t crc) {
  for (size_t i = 0; i < n; ++i) crc = static_cast<uint16_t>((crc >> 8) ^ kTable[(crc ^ p[i]) & 0xFF]);
  return crc;
}

}  // namespace lha
