#include "unlha32/codec/lha.h"

namespace lha {

long long FindArchiveStart(const uint8_t*, size_t) { return -1; }

}  // namespace lha
