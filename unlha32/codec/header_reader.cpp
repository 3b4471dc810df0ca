#include <algorithm>
#include <cstring>

#include "unlha32/codec/dos_time.h"
#include "unlha32/codec/header.h"
#include "unlha32/codec/le.h"
#include "unlha32/codec/sjis.h"

namespace lha {
namespace {

constexpr unsigned kUnixTypeMask = 0170000;
constexpr unsigned kUnixSymlink = 0120000;
constexpr size_t kMaxNamePart = 4096;  // bytes kept of a name or directory field

// True when the last byte is the second half of a double-byte character.
bool EndsInTrailByte(const std::string& s) {
  size_t i = 0;
  while (i + 1 < s.size()) i += IsLeadByte(static_cast<uint8_t>(s[i])) ? 2 : 1;
  return i == s.size();
}

void TrimSeparators(std::string& s) {
  while (!s.empty() && s.back() == '\\' && !EndsInTrailByte(s)) s.pop_back();
}

Status Shortfall(ByteInput& in) { return in.Failed() ? Status::ReadError : Status::Truncated; }

bool ReadExact(ByteInput& in, uint8_t* p, size_t n) { return in.Read(p, n) == n; }

// Sum of bytes mod 256: the level 0 and 1 header checksum.
uint8_t Checksum(const uint8_t* p, size_t n) {
  unsigned sum = 0;
  for (size_t i = 0; i < n; ++i) sum += p[i];
  return static_cast<uint8_t>(sum);
}

void CommonFields(const uint8_t* h, Entry& e) {
  e.method.assign(reinterpret_cast<const char*>(h + 2), 5);
  e.packedSize = Get32(h + 7);
  e.size = Get32(h + 11);
  e.level = h[kLevelOffset];
}

// Extended headers of level 1, read from the stream one by one after the base header.
// Returns their total size through `total`.
Status ReadExtensionChain(ByteInput& in, unsigned firstSize, unsigned long long budget, Extensions& x,
                          unsigned long long& total) {
  std::vector<uint8_t> buf;
  unsigned size = firstSize;
  total = 0;
  while (size != 0) {
    if (size < 3) return Status::BadHeader;
    total += size;
    if (total > budget) return Status::BadHeader;
    buf.resize(size);
    if (!ReadExact(in, buf.data(), size)) return Shortfall(in);
    ReadExtension(buf.data(), size - 2, x);
    size = Get16(buf.data() + size - 2);
  }
  return Status::Ok;
}

void ApplyExtensions(const Extensions& x, Entry& e) {
  if (x.attributes >= 0) e.attributes = static_cast<uint8_t>(x.attributes);
  if (x.haveSizes) {
    e.packedSize = x.packedSize;
    e.size = x.size;
  }
}

}  // namespace

void ReadExtension(const uint8_t* p, size_t n, Extensions& x) {
  if (n < 1) return;
  const uint8_t* d = p + 1;
  size_t len = n - 1;
  switch (p[0]) {
    case 0x01:
      x.name.assign(reinterpret_cast<const char*>(d), std::min(len, kMaxNamePart));
      x.haveName = true;
      break;
    case 0x02:
      x.dir.assign(reinterpret_cast<const char*>(d), std::min(len, kMaxNamePart));
      x.haveDir = true;
      break;
    case 0x40:
      if (len >= 2) x.attributes = Get16(d) & 0xFF;
      break;
    case 0x42:
      if (len >= 16) {
        x.haveSizes = true;
        x.packedSize = Get64(d);
        x.size = Get64(d + 8);
      }
      break;
    case 0x50:
      if (len >= 2) x.unixMode = Get16(d);
      break;
    default:
      break;  // comments, owners, code pages, other timestamps: nothing we keep
  }
}

void FinishPath(const std::string& dir, const std::string& name, long unixMode, Entry& e) {
  // Directory components end in 0xFF (level 2) or a separator; either becomes '\'.
  std::string joined = dir;
  bool separated = !joined.empty() && (joined.back() == '\xFF' || joined.back() == '/' ||
                                       (joined.back() == '\\' && !EndsInTrailByte(joined)));
  if (!joined.empty() && !separated && !name.empty()) joined += '\\';
  joined += name;
  std::string path;
  size_t bar = std::string::npos;
  for (size_t i = 0; i < joined.size(); ++i) {
    char c = joined[i];
    if (IsLeadByte(static_cast<uint8_t>(c)) && i + 1 < joined.size()) {
      path += c;
      path += joined[++i];
      continue;
    }
    if (c == '|' && bar == std::string::npos) bar = path.size();
    path += (c == '\xFF' || c == '/') ? '\\' : c;
  }
  e.isDirectory = e.method == "-lhd-";
  bool linkMode = unixMode >= 0 && (static_cast<unsigned long>(unixMode) & kUnixTypeMask) == kUnixSymlink;
  // A link is stored as "name|target" (the bar may sit in the directory field); some
  // writers mark it only by the bar in a -lhd- entry.
  if (linkMode || (bar != std::string::npos && e.isDirectory)) {
    e.isSymlink = true;
    e.isDirectory = false;
    if (bar != std::string::npos) {
      e.linkTarget = path.substr(bar + 1);
      path.resize(bar);
    }
  }
  TrimSeparators(path);
  TrimSeparators(e.linkTarget);
  e.path = path;
}

Status ReadHeader(ByteInput& in, Entry& e) {
  e = Entry();
  uint8_t prefix[kPrefixSize];
  size_t got = in.Read(prefix, kPrefixSize);
  if (got == 0 && !in.Failed()) return Status::End;  // no end marker: tolerated
  if (got >= 1 && prefix[0] == 0) return Status::End;
  if (got < kPrefixSize) return Shortfall(in);
  Status s;
  switch (prefix[kLevelOffset]) {
    case 0: s = ReadLevel0(prefix, in, e); break;
    case 1: s = ReadLevel1(prefix, in, e); break;
    case 2: s = ReadLevel2(prefix, in, e); break;
    default: return Status::BadHeader;
  }
  // An entry without a name is a damaged header (some level-0 writers drop long paths).
  if (s == Status::Ok && e.path.empty()) return Status::BadHeader;
  return s;
}

// Levels 0 and 1 share their base: a one-byte size, a checksum over the rest, DOS time.
// h must hold 259 bytes; minTail is what the level needs after the name's fixed part.
static Status ReadLevel01Base(const uint8_t* prefix, ByteInput& in, size_t minTail, uint8_t* h, size_t& total,
                              Entry& e) {
  total = prefix[0] + 2u;
  if (total < kLevel01BaseSize + minTail) return Status::BadHeader;
  std::memcpy(h, prefix, kPrefixSize);
  if (!ReadExact(in, h + kPrefixSize, total - kPrefixSize)) return Shortfall(in);
  if (Checksum(h + 2, total - 2) != h[1]) return Status::HeaderCrc;
  CommonFields(h, e);
  e.dosTime = Get32(h + 15);
  return Status::Ok;
}

// Level 0: [size][checksum][method][packed][size][DOS time][attr][0][N][name][crc][ext...]
Status ReadLevel0(const uint8_t* prefix, ByteInput& in, Entry& e) {
  uint8_t h[257 + 2];
  size_t total = 0;
  Status base = ReadLevel01Base(prefix, in, 2, h, total, e);
  if (base != Status::Ok) return base;
  e.attributes = h[19];
  e.osId = 0;
  size_t n = h[21];
  if (kLevel01BaseSize + n + 2 > total) return Status::BadHeader;
  std::string name(reinterpret_cast<const char*>(h + kLevel01BaseSize), n);
  e.crc = Get16(h + kLevel01BaseSize + n);
  // Unix LHA tools add: 'U', a version byte, Unix time, mode, uid, gid.
  size_t ext = kLevel01BaseSize + n + 2;
  long mode = -1;
  if (ext < total) e.osId = static_cast<char>(h[ext]);
  if (ext + 8 <= total && h[ext] == 'U') mode = Get16(h + ext + 6);
  FinishPath(std::string(), name, mode, e);
  return Status::Ok;
}

// Level 1: as level 0, but the size field counts the extended headers too.
Status ReadLevel1(const uint8_t* prefix, ByteInput& in, Entry& e) {
  uint8_t h[257 + 2];
  size_t total = 0;
  Status base = ReadLevel01Base(prefix, in, 5, h, total, e);
  if (base != Status::Ok) return base;
  size_t n = h[21];
  if (kLevel01BaseSize + n + 5 > total) return Status::BadHeader;
  std::string name(reinterpret_cast<const char*>(h + kLevel01BaseSize), n);
  e.crc = Get16(h + kLevel01BaseSize + n);
  e.osId = static_cast<char>(h[kLevel01BaseSize + n + 2]);
  unsigned firstExt = Get16(h + total - 2);
  Extensions x;
  unsigned long long extTotal = 0;
  Status s = ReadExtensionChain(in, firstExt, e.packedSize, x, extTotal);
  if (s != Status::Ok) return s;
  e.packedSize -= extTotal;
  ApplyExtensions(x, e);
  FinishPath(x.haveDir ? x.dir : std::string(), x.haveName ? x.name : name, x.unixMode, e);
  return Status::Ok;
}

// Level 2: [total size 2][method][packed][size][Unix time][0x20][2][crc][os][ext size]...
Status ReadLevel2(const uint8_t* prefix, ByteInput& in, Entry& e) {
  size_t total = Get16(prefix);
  if (total < kLevel2BaseSize) return Status::BadHeader;
  std::vector<uint8_t> h(total);
  std::memcpy(h.data(), prefix, kPrefixSize);
  if (!ReadExact(in, h.data() + kPrefixSize, total - kPrefixSize)) return Shortfall(in);
  CommonFields(h.data(), e);
  e.dosTime = UnixToDosTime(Get32(&h[15]));
  e.crc = Get16(&h[21]);
  e.osId = static_cast<char>(h[23]);
  Extensions x;
  size_t at = 24;
  unsigned size = Get16(&h[at]);
  at += 2;
  while (size != 0) {
    if (size < 3 || at + size > total) return Status::BadHeader;
    if (h[at] == 0x00 && size >= 5) x.headerCrcOffset = static_cast<long>(at + 1);
    ReadExtension(&h[at], size - 2, x);
    at += size;
    size = Get16(&h[at - 2]);
  }
  if (x.headerCrcOffset >= 0) {
    size_t off = static_cast<size_t>(x.headerCrcOffset);
    uint16_t stored = Get16(&h[off]);
    h[off] = h[off + 1] = 0;
    if (Crc16(h.data(), total) != stored) return Status::HeaderCrc;
  }
  ApplyExtensions(x, e);
  FinishPath(x.dir, x.name, x.unixMode, e);
  return Status::Ok;
}

}  // namespace lha
