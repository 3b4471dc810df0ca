// Opening an archive to read: a plain .LZH or one behind a self-extracting program.
#pragma once
#include <string>

#include "unlha32/report.h"
#include "unlha32/win_file.h"

namespace unlha {

// Bytes our self-extracting stub carries; an archive behind them was written by us in
// direct mode, and only such an archive may restore to its stored original paths.
extern const char kSfxTag[];

struct ArchiveIn {
  File file;
  std::string path;                // the file actually opened
  unsigned long long start = 0;    // offset of the first header
  bool ourSfx = false;
};

// Opens name, or name + ".LZH" when name has no extension and is not there itself;
// finds the first header and leaves the file positioned on it.
bool OpenArchive(const std::string& name, ArchiveIn& out, Report& r);

// The codec's status as a result code; writeError is the sink's GetLastError.
int CodeOfStatus(lha::Status s, unsigned long writeError = 0);

}  // namespace unlha
