// The one reporting operation: errors to a box and "_errdb.TXT", trace lines to
// "_ZwLog.TXT" while logging is on. Both files are in the current directory.
#pragma once
#include <cstdint>

#include "platform/text.h"

namespace quillet {

constexpr int32_t kLogError = 1;
constexpr int32_t kLogTrace = 100;

// Never fails towards the caller; a file that cannot be opened gets a box of its own.
void WriteLogEntry(const Text& message, int32_t kind, const Text& detail);

}  // namespace quillet
