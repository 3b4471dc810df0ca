// MS-DOS timestamps (local time) to and from Unix time (UTC), through the C library's
// notion of the local time zone.
#pragma once

#include <cstdint>

namespace lha {

long long DosTimeToUnix(uint32_t dosTime);
uint32_t UnixToDosTime(long long unixTime);

}  // namespace lha
