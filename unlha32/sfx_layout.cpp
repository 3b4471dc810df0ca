#include "unlha32/sfx_layout.h"

#include <cstring>

namespace unlha {
namespace {

constexpr size_t kPeOffsetField = 0x3C;
constexpr size_t kCoffSize = 20;            // bytes after the "PE\0\0" signature
constexpr size_t kFileAlignmentField = 36;  // in the optional header, PE32 and PE32+ alike
constexpr size_t kSizeOfHeadersField = 60;
constexpr size_t kSectionSize = 40;
constexpr size_t kRawSizeField = 16;
constexpr size_t kRawPointerField = 20;

uint32_t Get32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24); }
uint16_t Get16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
void Put32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

}  // namespace

bool LayOutSfx(const uint8_t* stub, size_t n, unsigned long long archiveSize, const char* tag, SfxLayout& out) {
  if (n < 0x40 || stub[0] != 'M' || stub[1] != 'Z') return false;
  size_t pe = Get32(stub + kPeOffsetField);
  if (pe > n || n - pe < 4 + kCoffSize || std::memcmp(stub + pe, "PE\0\0", 4) != 0) return false;
  size_t coff = pe + 4;
  size_t sections = Get16(stub + coff + 2);
  size_t optional = coff + kCoffSize;
  size_t table = optional + Get16(stub + coff + 16);
  if (table > n || (n - table) / kSectionSize < sections || n - optional < kSizeOfHeadersField + 4) return false;
  uint32_t align = Get32(stub + optional + kFileAlignmentField);
  uint32_t headers = Get32(stub + optional + kSizeOfHeadersField);
  if (align == 0 || (align & (align - 1)) != 0 || headers > n) return false;
  if (table + sections * kSectionSize > headers) return false;  // the table is patched inside the headers

  uint64_t first = n;
  for (size_t i = 0; i < sections; ++i) {
    const uint8_t* s = stub + table + i * kSectionSize;
    uint32_t raw = Get32(s + kRawPointerField), size = Get32(s + kRawSizeField);
    if (size == 0) continue;
    if (raw < headers || raw > n || size > n - raw) return false;
    if (raw < first) first = raw;
  }

  size_t tagLen = std::strlen(tag);
  uint64_t archiveAt = headers + tagLen;
  // At least one zero after the archive: an end marker for archives that lack one.
  uint64_t moved = (archiveAt + archiveSize + 1 + align - 1) & ~static_cast<uint64_t>(align - 1);
  uint64_t delta = moved - first;
  if (moved + (n - first) > 0xFFFFFFFFull) return false;

  out.head.assign(stub, stub + headers);
  out.head.insert(out.head.end(), tag, tag + tagLen);
  for (size_t i = 0; i < sections; ++i) {
    uint8_t* s = out.head.data() + table + i * kSectionSize;
    if (Get32(s + kRawSizeField) != 0) Put32(s + kRawPointerField, static_cast<uint32_t>(Get32(s + kRawPointerField) + delta));
  }
  out.tail.assign(static_cast<size_t>(moved - archiveAt - archiveSize), 0);
  out.tail.insert(out.tail.end(), stub + first, stub + n);
  return true;
}

}  // namespace unlha
