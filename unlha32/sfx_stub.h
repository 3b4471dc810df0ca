// The self-extracting stub program's bytes, embedded at build time.
#pragma once
#include <cstddef>

namespace unlha {
extern const unsigned char kSfxStub[];
extern const size_t kSfxStubSize;
}  // namespace unlha
