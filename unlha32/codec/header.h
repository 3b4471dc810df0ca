// Archive headers: one reader per level, one writer (level 2).
#pragma once

#include <cstdint>
#include <vector>

#include "unlha32/codec/byte_input.h"
#include "unlha32/codec/lha.h"

namespace lha {

constexpr unsigned kLevel01BaseSize = 22;  // bytes up to the name, levels 0 and 1
constexpr unsigned kLevel2BaseSize = 26;   // bytes up to the first extended header
constexpr unsigned kLevelOffset = 20;      // the level byte, the same at every level
constexpr unsigned kPrefixSize = kLevelOffset + 1;

// Reads the next header; End at the end marker (or the end of the source).
Status ReadHeader(ByteInput& in, Entry& e);

// The level readers take the first kPrefixSize bytes already read.
Status ReadLevel0(const uint8_t* prefix, ByteInput& in, Entry& e);
Status ReadLevel1(const uint8_t* prefix, ByteInput& in, Entry& e);
Status ReadLevel2(const uint8_t* prefix, ByteInput& in, Entry& e);

// What the extended headers of levels 1 and 2 told; applied to the Entry at the end.
struct Extensions {
  std::string name, dir;
  bool haveName = false, haveDir = false;
  int attributes = -1;
  long unixMode = -1;
  bool haveSizes = false;
  unsigned long long packedSize = 0, size = 0;
  long headerCrcOffset = -1;  // level 2: where the header CRC sits in the header
};
// One extended header (type and payload, without the next-size field).
void ReadExtension(const uint8_t* p, size_t n, Extensions& x);
// Fills e.path, isDirectory and isSymlink from the stored name parts.
void FinishPath(const std::string& dir, const std::string& name, long unixMode, Entry& e);

// A level-2 header for e with the given method and sizes; TooLarge when it cannot fit.
Status BuildLevel2Header(const Entry& e, const char* method, uint32_t packed, uint32_t size, uint16_t crc,
                         std::vector<uint8_t>& out);

}  // namespace lha
