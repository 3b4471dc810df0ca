#include "unlha32/codec/dos_time.h"

#include <ctime>

namespace lha {

long long DosTimeToUnix(uint32_t d) {
  if (d == 0) return 0;
  std::tm tm{};
  tm.tm_year = static_cast<int>((d >> 25) & 0x7F) + 80;
  tm.tm_mon = static_cast<int>((d >> 21) & 0x0F) - 1;
  tm.tm_mday = static_cast<int>((d >> 16) & 0x1F);
  tm.tm_hour = static_cast<int>((d >> 11) & 0x1F);
  tm.tm_min = static_cast<int>((d >> 5) & 0x3F);
  tm.tm_sec = static_cast<int>(d & 0x1F) * 2;
  tm.tm_isdst = -1;
  std::time_t t = std::mktime(&tm);
  return t == static_cast<std::time_t>(-1) ? 0 : static_cast<long long>(t);
}

uint32_t UnixToDosTime(long long unixTime) {
  if (unixTime <= 0) return 0;
  std::time_t t = static_cast<std::time_t>(unixTime);
  const std::tm* tm = std::localtime(&t);  // one thread uses the codec at a time
  if (!tm || tm->tm_year < 80 || tm->tm_year > 80 + 127) return 0;
  return static_cast<uint32_t>(tm->tm_year - 80) << 25 | static_cast<uint32_t>(tm->tm_mon + 1) << 21 |
         static_cast<uint32_t>(tm->tm_mday) << 16 | static_cast<uint32_t>(tm->tm_hour) << 11 |
         static_cast<uint32_t>(tm->tm_min) << 5 | static_cast<uint32_t>(tm->tm_sec / 2);
}

}  // namespace lha
