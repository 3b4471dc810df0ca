// Date and time as the user's locale writes them.
#pragma once
#include <string>

namespace quillet {

struct ClockTime {
  int year, month, day, hour, minute, second;
};

ClockTime Now();
std::string ShortDateText(const ClockTime& t);
std::string LongTimeText(const ClockTime& t);

}  // namespace quillet
