// Reading archives other tools write (hand-built level 0 and 1 headers) and damaged ones.
#include <gtest/gtest.h>

#include "tests/codec/archive_util.h"

namespace codec_test {
namespace {

void Put16(Bytes& b, uint32_t v) {
  b.push_back(static_cast<uint8_t>(v));
  b.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(Bytes& b, uint32_t v) {
  Put16(b, v);
  Put16(b, v >> 16);
}
uint16_t CrcOf(const Bytes& b) { return lha::Crc16(b.data(), b.size()); }
void SetChecksum(Bytes& h) {
  unsigned sum = 0;
  for (size_t i = 2; i < h.size(); ++i) sum += h[i];
  h[1] = static_cast<uint8_t>(sum);
}

// A level-0 entry, stored: [size][sum][method][packed][size][time][attr][0][N][name][crc][ext].
Bytes Level0(const std::string& name, const Bytes& data, uint8_t attr, const Bytes& ext = {}) {
  Bytes h = {0, 0};
  for (char c : std::string("-lh0-")) h.push_back(static_cast<uint8_t>(c));
  Put32(h, static_cast<uint32_t>(data.size()));
  Put32(h, static_cast<uint32_t>(data.size()));
  Put32(h, kSomeDosTime);
  h.push_back(attr);
  h.push_back(0);
  h.push_back(static_cast<uint8_t>(name.size()));
  h.insert(h.end(), name.begin(), name.end());
  Put16(h, CrcOf(data));
  h.insert(h.end(), ext.begin(), ext.end());
  h[0] = static_cast<uint8_t>(h.size() - 2);
  SetChecksum(h);
  h.insert(h.end(), data.begin(), data.end());
  return h;
}

// A level-1 entry, stored, with extended headers given as (type, payload).
Bytes Level1(const std::string& method, const std::string& name, const Bytes& data,
             const std::vector<std::pair<uint8_t, Bytes>>& exts) {
  Bytes extBytes;
  for (size_t i = 0; i < exts.size(); ++i) {
    extBytes.push_back(exts[i].first);
    extBytes.insert(extBytes.end(), exts[i].second.begin(), exts[i].second.end());
    Put16(extBytes, i + 1 < exts.size() ? static_cast<uint32_t>(exts[i + 1].second.size() + 3) : 0);
  }
  Bytes h = {0, 0};
  for (char c : method) h.push_back(static_cast<uint8_t>(c));
  Put32(h, static_cast<uint32_t>(extBytes.size() + data.size()));
  Put32(h, static_cast<uint32_t>(data.size()));
  Put32(h, kSomeDosTime);
  h.push_back(0x20);
  h.push_back(1);
  h.push_back(static_cast<uint8_t>(name.size()));
  h.insert(h.end(), name.begin(), name.end());
  Put16(h, CrcOf(data));
  h.push_back('M');
  Put16(h, exts.empty() ? 0 : static_cast<uint32_t>(exts[0].second.size() + 3));
  h[0] = static_cast<uint8_t>(h.size() - 2);
  SetChecksum(h);
  h.insert(h.end(), extBytes.begin(), extBytes.end());
  h.insert(h.end(), data.begin(), data.end());
  return h;
}

Bytes Archive(std::initializer_list<Bytes> entries, bool endMarker = true) {
  Bytes a;
  for (const Bytes& e : entries) a.insert(a.end(), e.begin(), e.end());
  if (endMarker) a.push_back(0);
  return a;
}

TEST(ReaderHeaders, Level0And1NamesAttributesAndData) {
  const Bytes hello = ToBytes("hello, world");
  Bytes unixExt = {'U', 0, 0, 0, 0, 0, 0xA4, 0x81, 0xE8, 0x03, 0xE8, 0x03};  // mode 0100644
  Bytes archive = Archive({
      Level0("dir\\\x83\x5C.txt", hello, 0x21),
      Level0("unix/sub/name", hello, 0x20, unixExt),
      Level1("-lh0-", "\x95\x5C", hello, {{0x02, ToBytes("a\xFF\x83\x5C\xFF")}, {0x40, {0x23, 0}}}),
      Level1("-lhd-", "", {}, {{0x02, ToBytes("folder\xFF")}}),
  });
  lha::Status end;
  auto entries = ReadArchive(archive, end, 5);
  ASSERT_EQ(end, lha::Status::End);
  ASSERT_EQ(entries.size(), 4u);
  const struct {
    const char* path;
    int level;
    uint8_t attributes;
    bool folder;
  } want[] = {{"dir\\\x83\x5C.txt", 0, 0x21, false},
              {"unix\\sub\\name", 0, 0x20, false},
              {"a\\\x83\x5C\\\x95\x5C", 1, 0x23, false},
              {"folder", 1, 0x20, true}};
  for (size_t i = 0; i < 4; ++i) {
    SCOPED_TRACE(want[i].path);
    EXPECT_EQ(entries[i].entry.path, want[i].path);
    EXPECT_EQ(entries[i].entry.level, want[i].level);
    EXPECT_EQ(entries[i].entry.attributes, want[i].attributes);
    EXPECT_EQ(entries[i].entry.isDirectory, want[i].folder);
    EXPECT_EQ(entries[i].entry.dosTime, kSomeDosTime);
    EXPECT_EQ(entries[i].status, lha::Status::Ok);
    EXPECT_TRUE(entries[i].data == (want[i].folder ? Bytes() : hello));
  }
}

TEST(ReaderHeaders, SymlinksAreReportedAndYieldNoData) {
  Bytes mode = {0xFF, 0xA1};  // 0120777
  Bytes archive = Archive({
      Level1("-lhd-", "link|../../etc/passwd", {}, {{0x50, mode}}),
      Level1("-lhd-", "", {}, {{0x02, ToBytes("d|..\xFF..\xFF")}, {0x50, mode}}),
      Level1("-lhd-", "plain|bar", {}, {}),  // marked by the bar alone
  });
  lha::Status end;
  auto entries = ReadArchive(archive, end);
  ASSERT_EQ(entries.size(), 3u);
  const char* const paths[] = {"link", "d", "plain"};
  const char* const targets[] = {"..\\..\\etc\\passwd", "..\\..", "bar"};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_TRUE(entries[i].entry.isSymlink);
    EXPECT_FALSE(entries[i].entry.isDirectory);
    EXPECT_EQ(entries[i].entry.path, paths[i]);
    EXPECT_EQ(entries[i].entry.linkTarget, targets[i]);
    EXPECT_EQ(entries[i].status, lha::Status::Ok);
    EXPECT_TRUE(entries[i].data.empty());
  }
}

// Two packed files written by us, then damaged in one place.
struct Damage {
  const char* name;
  void (*apply)(Bytes& archive, size_t secondHeader);
  lha::Status next1, extract1, next2;  // what Next, Extract, Next report
};

Bytes TwoFiles(size_t& secondHeader) {
  std::vector<TestFile> files = {{"a.txt", TextBytes(20000, 1)}, {"b.txt", TextBytes(3000, 2)}};
  Bytes archive = PackFiles(files, lha::Method::Lh5);
  lha::Status end;
  auto entries = ReadArchive(archive, end);
  const size_t firstHeader = archive[0] | archive[1] << 8;  // level 2: the total header size
  secondHeader = firstHeader + static_cast<size_t>(entries[0].entry.packedSize);
  return archive;
}

void RefreshHeaderCrc(Bytes& a, size_t at) {
  size_t total = a[at] | a[at + 1] << 8;
  const size_t crcAt = at + 27;  // our writer puts the CRC extension first
  a[crcAt] = a[crcAt + 1] = 0;
  uint16_t crc = lha::Crc16(a.data() + at, total);
  a[crcAt] = static_cast<uint8_t>(crc);
  a[crcAt + 1] = static_cast<uint8_t>(crc >> 8);
}

const Damage kDamages[] = {
    {"DataByteFlipped", [](Bytes& a, size_t second) { a[second / 2] ^= 0x10; }, lha::Status::Ok,
     lha::Status::DataCrc, lha::Status::Ok},
    {"HeaderByteFlipped", [](Bytes& a, size_t) { a[40] ^= 0x01; }, lha::Status::HeaderCrc, lha::Status::HeaderCrc,
     lha::Status::HeaderCrc},
    {"UnknownMethod",
     [](Bytes& a, size_t) {
       a[5] = '1';
       RefreshHeaderCrc(a, 0);
     },
     lha::Status::Ok, lha::Status::UnknownMethod, lha::Status::Ok},
    {"CutInData", [](Bytes& a, size_t second) { a.resize(second / 2); }, lha::Status::Ok, lha::Status::Truncated,
     lha::Status::Truncated},
    {"CutInSecondHeader", [](Bytes& a, size_t second) { a.resize(second + 10); }, lha::Status::Ok, lha::Status::Ok,
     lha::Status::Truncated},
    {"UnknownLevel", [](Bytes& a, size_t) { a[20] = 7; }, lha::Status::BadHeader, lha::Status::BadHeader,
     lha::Status::BadHeader},
    {"NoEndMarker", [](Bytes& a, size_t) { a.pop_back(); }, lha::Status::Ok, lha::Status::Ok, lha::Status::Ok},
};

void PrintTo(const Damage& d, std::ostream* os) { *os << d.name; }

class ReaderDamage : public ::testing::TestWithParam<Damage> {};

TEST_P(ReaderDamage, ReportedWhereItIsAndTheRestStaysReadable) {
  const Damage& d = GetParam();
  size_t second = 0;
  Bytes archive = TwoFiles(second);
  ASSERT_GT(second, 100u);
  d.apply(archive, second);
  MemorySource src(archive);
  lha::Reader r(src);
  lha::Entry e;
  MemorySink sink;
  ASSERT_EQ(r.Next(e), d.next1);
  EXPECT_EQ(r.Extract(sink), d.extract1);
  lha::Status n2 = r.Next(e);
  EXPECT_EQ(n2, d.next2);
  if (n2 == lha::Status::Ok) {
    MemorySink second2;
    EXPECT_EQ(r.Extract(second2), lha::Status::Ok);
    EXPECT_EQ(e.path, "b.txt");
    EXPECT_TRUE(second2.data == TextBytes(3000, 2));
    EXPECT_EQ(r.Next(e), lha::Status::End);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, ReaderDamage, ::testing::ValuesIn(kDamages),
                         [](const ::testing::TestParamInfo<Damage>& i) { return std::string(i.param.name); });

TEST(ReaderCalls, SkipPassesDataAndExtractRunsOncePerEntry) {
  size_t second = 0;
  Bytes archive = TwoFiles(second);
  MemorySource src(archive);
  lha::Reader r(src);
  lha::Entry e;
  MemorySink sink;
  EXPECT_EQ(r.Extract(sink), lha::Status::ReadError) << "no entry yet";
  ASSERT_EQ(r.Next(e), lha::Status::Ok);
  EXPECT_EQ(r.Skip(), lha::Status::Ok);
  EXPECT_EQ(r.Extract(sink), lha::Status::ReadError) << "data already passed";
  ASSERT_EQ(r.Next(e), lha::Status::Ok);
  EXPECT_EQ(e.path, "b.txt");
  EXPECT_EQ(r.Extract(sink), lha::Status::Ok);
  EXPECT_EQ(r.Next(e), lha::Status::End);
  EXPECT_EQ(r.Next(e), lha::Status::End);
}

TEST(ReaderCalls, SourceAndSinkFailuresAreReported) {
  size_t second = 0;
  Bytes archive = TwoFiles(second);
  {
    MemorySource src(archive);
    src.failAt = static_cast<long>(second / 2);
    src.chunk = 100;
    lha::Reader r(src);
    lha::Entry e;
    MemorySink sink;
    ASSERT_EQ(r.Next(e), lha::Status::Ok);
    EXPECT_EQ(r.Extract(sink), lha::Status::ReadError);
    EXPECT_EQ(r.Next(e), lha::Status::ReadError);
  }
  {
    MemorySource src(archive);
    lha::Reader r(src);
    lha::Entry e;
    MemorySink sink;
    sink.failAt = 1000;
    ASSERT_EQ(r.Next(e), lha::Status::Ok);
    EXPECT_EQ(r.Extract(sink), lha::Status::WriteError);
    ASSERT_EQ(r.Next(e), lha::Status::Ok) << "a full disk for one file does not lose the rest";
    EXPECT_EQ(e.path, "b.txt");
  }
}

}  // namespace
}  // namespace codec_test
