// Where the archive goes in a self-extracting program. Our stub with the codec's decoders
// and safe extraction is about 40 KiB, too far for readers that look for an appended
// archive only in a program's first 24 KiB (libarchive). So the archive is not appended:
// it sits between the stub's PE headers and its first section, whose file offsets are
// moved past it. The loader maps sections from those offsets and never reads the gap;
// every LHA reader finds the archive a few hundred bytes into the file.
//
//   [PE headers][tag][archive][0x00 and padding to FileAlignment][stub sections]
//
// Portable, so it is tested without Windows.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace unlha {

struct SfxLayout {
  std::vector<uint8_t> head;  // headers with moved section offsets, then the tag
  std::vector<uint8_t> tail;  // padding, then the sections
};

// False when stub is not a PE program this can lay out, or the archive is too large for
// 32-bit section offsets.
bool LayOutSfx(const uint8_t* stub, size_t n, unsigned long long archiveSize, const char* tag, SfxLayout& out);

}  // namespace unlha
