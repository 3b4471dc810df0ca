#include "platform/clock.h"

#include <windows.h>

namespace quillet {

static SYSTEMTIME ToSystemTime(const ClockTime& t) {
  SYSTEMTIME st = {};
  st.wYear = static_cast<WORD>(t.year);
  st.wMonth = static_cast<WORD>(t.month);
  st.wDay = static_cast<WORD>(t.day);
  st.wHour = static_cast<WORD>(t.hour);
  st.wMinute = static_cast<WORD>(t.minute);
  st.wSecond = static_cast<WORD>(t.second);
  return st;
}

ClockTime Now() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
}

std::string ShortDateText(const ClockTime& t) {
  SYSTEMTIME st = ToSystemTime(t);
  char buf[128];
  int n = GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, buf, sizeof buf);
  return n > 0 ? std::string(buf) : std::string();
}

std::string LongTimeText(const ClockTime& t) {
  SYSTEMTIME st = ToSystemTime(t);
  char buf[128];
  int n = GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &st, nullptr, buf, sizeof buf);
  return n > 0 ? std::string(buf) : std::string();
}

}  // namespace quillet
