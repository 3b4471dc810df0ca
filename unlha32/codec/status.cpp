#include "unlha32/codec/lha.h"

namespace lha {

const char* StatusText(Status s) {
  switch (s) {
    case Status::Ok: return "ok";
    case Status::End: return "end of archive";
    case Status::BadHeader: return "damaged header";
    case Status::HeaderCrc: return "header checksum mismatch";
    case Status::DataCrc: return "data CRC mismatch";
    case Status::Truncated: return "archive truncated";
    case Status::UnknownMethod: return "unsupported compression method";
    case Status::ReadError: return "read error";
    case Status::WriteError: return "write error";
    case Status::TooLarge: return "too large for the archive format";
  }
  return "unknown status";
}

}  // namespace lha
