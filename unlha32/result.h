// Result codes of ArchiverCommand. The program shows a non-zero code as four
// hexadecimal digits, so every code sits in 0x8001.. and reads well that way.
#pragma once

namespace unlha {

enum Result : int {
  kOk = 0,
  kUnknownCommand = 0x8001,
  kUnknownSwitch = 0x8002,
  kBadCommandLine = 0x8003,   // unterminated quote, missing archive name, stray argument
  kArchiveMissing = 0x8004,
  kArchiveUnreadable = 0x8005,
  kNotAnArchive = 0x8006,     // no LHA header found, or a header that makes no sense
  kHeaderCrc = 0x8007,
  kDataCrc = 0x8008,
  kTruncated = 0x8009,
  kUnknownMethod = 0x800A,    // an entry packed with a method we do not decode
  kNothingMatched = 0x800B,
  kCannotWrite = 0x800C,      // destination folder, file, or rename refused
  kDiskFull = 0x800D,
  kUnsafePath = 0x800E,       // ".." or a name Windows would read as something else
  kLinkSkipped = 0x800F,      // link entries are never created
  kNoOriginalPath = 0x8010,   // no destination given and the entry has no stored original path
  kFileExists = 0x8011,       // not overwritten without -y1
  kSourceUnreadable = 0x8012, // a file to pack could not be opened or read
  kTooLarge = 0x8013,         // 4 GiB or more
  kInternal = 0x80FF,         // out of memory or an unexpected state
};

// Short English name of a result, for reports.
const char* ResultText(int code);

}  // namespace unlha
