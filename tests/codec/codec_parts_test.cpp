// The codec's building blocks where a fault would hide in a round trip: CRC values,
// Huffman length limits and decode tables, archive search in programs, path cleaning.
#include <gtest/gtest.h>

#include "tests/codec/streams.h"
#include "unlha32/codec/bit_writer.h"
#include "unlha32/codec/byte_input.h"
#include "unlha32/codec/huffman.h"
#include "unlha32/codec/method.h"

namespace codec_test {
namespace {

TEST(Crc16, KnownValues) {
  const std::string check = "123456789";
  EXPECT_EQ(lha::Crc16(reinterpret_cast<const uint8_t*>(check.data()), check.size()), 0xBB3D);
  const uint8_t one[] = {1}, ff[] = {0xFF};
  EXPECT_EQ(lha::Crc16(one, 1), 0xC0C1);
  EXPECT_EQ(lha::Crc16(ff, 1), 0x4040);
  // Chained over pieces as over the whole.
  const uint8_t* p = reinterpret_cast<const uint8_t*>(check.data());
  EXPECT_EQ(lha::Crc16(p + 4, 5, lha::Crc16(p, 4)), 0xBB3D);
}

// Fibonacci frequencies make the deepest possible Huffman tree.
TEST(Huffman, LengthsStayWithin16AndFormACompleteCode) {
  for (unsigned n : {19u, 40u, 510u}) {
    std::vector<uint32_t> freq(n, 0);
    uint32_t a = 1, b = 1;
    for (unsigned i = 0; i < n && i < 40; ++i) {
      freq[i] = a;
      uint32_t c = a + b;
      a = b;
      b = c;
    }
    for (unsigned i = 40; i < n; ++i) freq[i] = 1;
    std::vector<uint8_t> len(n);
    lha::BuildLengths(freq.data(), n, 16, len.data());
    unsigned long kraft = 0;
    for (unsigned i = 0; i < n; ++i) {
      EXPECT_GE(len[i], 1) << i;
      EXPECT_LE(len[i], 16) << i;
      kraft += 1ul << (16 - len[i]);
    }
    EXPECT_EQ(kraft, 1ul << 16) << n << " symbols";
  }
}

TEST(Huffman, DecodeTableReadsBackWhatCanonicalCodesWrote) {
  std::vector<uint32_t> freq(lha::kNC);
  Rng r(5);
  for (auto& f : freq) f = r.Next() % 7 == 0 ? 0 : 1 + (r.Next() % 1000) * (r.Next() % 1000);
  freq[3] = 1u << 30;  // very short and
  freq[7] = 1;         // very long codes
  uint8_t len[lha::kNC];
  uint16_t code[lha::kNC];
  lha::BuildLengths(freq.data(), lha::kNC, 16, len);
  lha::MakeCodes(len, lha::kNC, code);

  std::vector<unsigned> symbols;
  for (int i = 0; i < 5000; ++i) {
    unsigned s = r.Next() % lha::kNC;
    if (len[s]) symbols.push_back(s);
  }
  lha::BitWriter w;
  w.Reserve(symbols.size() * 2 + 16);
  for (unsigned s : symbols) w.Put(code[s], len[s]);
  w.Finish();

  MemorySource src(Bytes(w.Data(), w.Data() + w.Size()));
  lha::ByteInput in(src);
  std::vector<uint8_t> buffer;
  lha::BitReader br(in, w.Size(), buffer);
  auto table = std::make_unique<lha::HuffmanTable<lha::kNC, 12>>();
  ASSERT_TRUE(table->Build(len, lha::kNC));
  for (unsigned s : symbols) {
    br.Refill();
    ASSERT_EQ(table->Decode(br), s);
  }
  EXPECT_FALSE(br.Overrun());
}

TEST(Huffman, OversubscribedLengthsAreRefused) {
  uint8_t len[lha::kNT] = {1, 1, 1};
  lha::HuffmanTable<lha::kNT, 8> table;
  EXPECT_FALSE(table.Build(len, lha::kNT));
  uint8_t tooLong[lha::kNT] = {1, 17};
  EXPECT_FALSE(table.Build(tooLong, lha::kNT));
}

TEST(FindArchiveStart, FindsTheFirstRealHeader) {
  // A small archive of ours.
  MemorySink sink;
  {
    lha::Writer w(sink);
    MemorySource data(ToBytes("payload payload payload"));
    lha::Entry e;
    e.path = "p.txt";
    ASSERT_EQ(w.AddFile(e, data, lha::Method::Lh5), lha::Status::Ok);
    ASSERT_EQ(w.Finish(), lha::Status::Ok);
  }
  const Bytes archive = sink.data;
  EXPECT_EQ(lha::FindArchiveStart(archive.data(), archive.size()), 0);

  // A program stub that quotes a method id of its own before the archive.
  Bytes stub = ToBytes("MZ");
  stub.resize(3000, 0x90);
  const std::string decoy = "xx-lh5-this is no header at all, only text.";
  std::copy(decoy.begin(), decoy.end(), stub.begin() + 500);
  Bytes program = stub;
  program.insert(program.end(), archive.begin(), archive.end());
  EXPECT_EQ(lha::FindArchiveStart(program.data(), program.size()), static_cast<long long>(stub.size()));
  EXPECT_EQ(lha::FindArchiveStart(stub.data(), stub.size()), -1);
  EXPECT_EQ(lha::FindArchiveStart(program.data(), 10), -1);
}

TEST(SafePath, CleansOrRefuses) {
  const struct {
    const char* in;
    bool ok;
    const char* out;
  } cases[] = {
      {"a\\b\\c.txt", true, "a\\b\\c.txt"},
      {"a/b/c.txt", true, "a\\b\\c.txt"},
      {"\\abs\\x", true, "abs\\x"},
      {"/tmp/absolute_path.txt", true, "tmp\\absolute_path.txt"},
      {"C:\\Windows\\x", true, "Windows\\x"},
      {"c:rel", true, "rel"},
      {".\\a\\.\\b", true, "a\\b"},
      {"\\\\server\\share\\f", true, "server\\share\\f"},
      {"\x83\x5C\\\x95\x5C", true, "\x83\x5C\\\x95\x5C"},  // trail bytes 0x5C are no separators
      {"\x83\x5C", true, "\x83\x5C"},
      {"..\\evil", false, ""},
      {"foo\\..\\..\\evil", false, ""},
      {"a/../b", false, ""},
      {"a\\...\\b", false, ""},
      {"a\\. .\\b", false, ""},
      {"a\\b:stream", false, ""},
      {"x\\C:\\y", false, ""},
  };
  for (const auto& c : cases) {
    std::string out = "junk";
    EXPECT_EQ(lha::SafePath(c.in, out), c.ok) << c.in;
    EXPECT_EQ(out, c.out) << c.in;
  }
}

}  // namespace
}  // namespace codec_test
