#include "unlha32/result.h"

namespace unlha {

const char* ResultText(int code) {
  switch (code) {
    case kOk: return "ok";
    case kUnknownCommand: return "unknown command";
    case kUnknownSwitch: return "unknown switch";
    case kBadCommandLine: return "bad command line";
    case kArchiveMissing: return "archive not found";
    case kArchiveUnreadable: return "archive cannot be read";
    case kNotAnArchive: return "not an LHA archive";
    case kHeaderCrc: return "header CRC error";
    case kDataCrc: return "data CRC error";
    case kTruncated: return "archive truncated";
    case kUnknownMethod: return "unsupported method";
    case kNothingMatched: return "nothing matched";
    case kCannotWrite: return "cannot write";
    case kDiskFull: return "disk full";
    case kUnsafePath: return "unsafe path refused";
    case kLinkSkipped: return "link not extracted";
    case kNoOriginalPath: return "no original path";
    case kFileExists: return "file exists";
    case kSourceUnreadable: return "file cannot be read";
    case kTooLarge: return "file too large";
    default: return "internal error";
  }
}

}  // namespace unlha
