#include <cstring>

#include "unlha32/codec/dos_time.h"
#include "unlha32/codec/header.h"
#include "unlha32/codec/le.h"
#include "unlha32/codec/sjis.h"

namespace lha {
namespace {

constexpr size_t kMaxHeader = 0xFFFF;  // the level-2 size field is 16 bits
constexpr uint8_t kArchiveAttribute = 0x20;
constexpr uint8_t kDirectoryAttribute = 0x10;
constexpr uint32_t kShiftJisCodePage = 932;

void Extension(std::vector<uint8_t>& h, uint8_t type, const uint8_t* payload, size_t n) {
  // The chain's size fields each announce the header that follows them.
  size_t sizeAt = h.size() - 2;
  Put16(&h[sizeAt], static_cast<uint32_t>(n + 3));
  h.push_back(type);
  h.insert(h.end(), payload, payload + n);
  h.push_back(0);
  h.push_back(0);
}

// Splits "a\b\name" into directory components and the name, never at a trail byte.
void SplitPath(const std::string& path, std::vector<std::string>& dirs, std::string& name) {
  std::string part;
  for (size_t i = 0; i < path.size(); ++i) {
    char c = path[i];
    if (IsLeadByte(static_cast<uint8_t>(c)) && i + 1 < path.size()) {
      part += c;
      part += path[++i];
    } else if (c == '\\' || c == '/') {
      if (!part.empty()) dirs.push_back(part);
      part.clear();
    } else {
      part += c;
    }
  }
  name = part;
}

}  // namespace

Status BuildLevel2Header(const Entry& e, const char* method, uint32_t packed, uint32_t size, uint16_t crc,
                         std::vector<uint8_t>& h) {
  bool folder = std::strcmp(method, "-lhd-") == 0;
  std::vector<std::string> dirs;
  std::string name;
  SplitPath(e.path, dirs, name);
  if (folder && !name.empty()) {
    dirs.push_back(name);  // a folder's own name goes in the directory field
    name.clear();
  }
  std::string dir;
  for (const std::string& d : dirs) dir += d + '\xFF';

  h.assign(kLevel2BaseSize, 0);
  Put16(&h[0], 0);
  std::memcpy(&h[2], method, 5);
  Put32(&h[7], packed);
  Put32(&h[11], size);
  long long unixTime = DosTimeToUnix(e.dosTime);
  Put32(&h[15], static_cast<uint32_t>(unixTime > 0 && unixTime <= 0xFFFFFFFFll ? unixTime : 0));
  h[19] = kArchiveAttribute;  // readers reject other values here; the real ones go in 0x40
  h[20] = 2;
  Put16(&h[21], crc);
  h[23] = static_cast<uint8_t>(e.osId == 'w' ? 'w' : 'W');  // keeps the case of names

  const uint8_t zero[2] = {0, 0};
  Extension(h, 0x00, zero, 2);
  const size_t crcAt = h.size() - 4;
  Extension(h, 0x01, reinterpret_cast<const uint8_t*>(name.data()), name.size());
  if (!dir.empty()) Extension(h, 0x02, reinterpret_cast<const uint8_t*>(dir.data()), dir.size());
  uint8_t attr[2] = {static_cast<uint8_t>(folder ? (e.attributes | kDirectoryAttribute) : e.attributes), 0};
  Extension(h, 0x40, attr, 2);
  // Names are Shift-JIS; saying so lets readers that convert names (libarchive) do it right.
  uint8_t codePage[4];
  Put32(codePage, kShiftJisCodePage);
  Extension(h, 0x46, codePage, 4);
  // A size whose low byte is 0 would read as the end marker.
  if ((h.size() & 0xFF) == 0) h.push_back(0);
  if (h.size() > kMaxHeader) return Status::TooLarge;
  Put16(&h[0], static_cast<uint32_t>(h.size()));
  Put16(&h[crcAt], Crc16(h.data(), h.size()));
  return Status::Ok;
}

}  // namespace lha
