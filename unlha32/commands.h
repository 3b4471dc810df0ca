// One command line carried out: parse, then pack, convert, extract, test or list.
#pragma once
#include <string>

#include "unlha32/report.h"

namespace unlha {

// Returns the result code (0 for success); r holds the lines for the caller's buffer.
int RunCommand(const std::string& text, Report& r);

}  // namespace unlha
