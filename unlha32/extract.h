// Reading commands over an opened archive: extract (x, e), test (t) and list (l).
#pragma once
#include <string>
#include <vector>

#include "unlha32/archive_in.h"
#include "unlha32/command_line.h"
#include "unlha32/report.h"

namespace unlha {

struct ExtractJob {
  char command = 'x';                 // 'x' extract, 't' test, 'l' list
  Switches switches;
  std::string destination;            // empty: the stored original paths (our direct archives only)
  std::vector<std::string> patterns;  // empty: every entry
};

struct ExtractCounts {
  int files = 0;
  int folders = 0;
};

// Runs job over the archive. Entries that cannot be written safely are refused one by
// one and the others still extract; the first failure decides the result. Returns it.
int RunExtract(ArchiveIn& archive, const ExtractJob& job, Report& r, ExtractCounts* counts = nullptr);

// Where each entry would go without a destination, for the stub to show before it asks.
int PlanOriginalTargets(ArchiveIn& archive, std::vector<std::string>& targets, Report& r);

}  // namespace unlha
