// The writer's edges: failures leave the archive as it was, sizes it refuses, headers
// whose size would read as an end marker.
#include <gtest/gtest.h>

#include "tests/codec/archive_util.h"

namespace codec_test {
namespace {

lha::Entry Named(const std::string& path, size_t size = 0) {
  lha::Entry e;
  e.path = path;
  e.size = size;
  e.dosTime = kSomeDosTime;
  return e;
}

// Fails a write or a read in the middle of the second file: the writer reports it and
// winds back, so the archive finished afterwards holds the first and third files intact.
TEST(WriterFailure, AFailedFileLeavesTheArchiveUsable) {
  const Bytes first = TextBytes(50000, 1), second = TextBytes(80000, 2), third = TextBytes(9000, 3);
  for (lha::Method m : {lha::Method::Lh5, lha::Method::Stored}) {
    for (bool failRead : {false, true}) {
      SCOPED_TRACE(std::string(failRead ? "read" : "write") + (m == lha::Method::Stored ? " stored" : " lh5"));
      MemorySink sink;
      lha::Writer w(sink);
      MemorySource a(first), b(second), c(third);
      ASSERT_EQ(w.AddFile(Named("first"), a, m), lha::Status::Ok);
      const size_t before = sink.data.size();
      b.chunk = 4096;
      if (failRead)
        b.failAt = 40000;
      else
        sink.failAt = static_cast<long>(before + 5000);
      EXPECT_EQ(w.AddFile(Named("second"), b, m), failRead ? lha::Status::ReadError : lha::Status::WriteError);
      EXPECT_EQ(sink.Tell(), before);
      sink.failAt = -1;
      ASSERT_EQ(w.AddFile(Named("third"), c, m), lha::Status::Ok);
      ASSERT_EQ(w.Finish(), lha::Status::Ok);

      lha::Status end;
      auto entries = ReadArchive(sink.data, end);
      EXPECT_EQ(end, lha::Status::End);
      ASSERT_EQ(entries.size(), 2u);
      EXPECT_EQ(entries[0].entry.path, "first");
      EXPECT_TRUE(entries[0].data == first);
      EXPECT_EQ(entries[1].entry.path, "third");
      EXPECT_TRUE(entries[1].data == third);
    }
  }
}

TEST(WriterLimits, FilesOf4GiBAreRefusedBeforeAnythingIsWritten) {
  MemorySink sink;
  lha::Writer w(sink);
  MemorySource data(Bytes(10, 1));
  EXPECT_EQ(w.AddFile(Named("huge", 0x100000000ull), data, lha::Method::Lh5), lha::Status::TooLarge);
  EXPECT_TRUE(sink.data.empty());
}

// The level-2 size field must never end in a zero byte: a reader would take it for the
// end of the archive. Names of every length around 256 bytes of header are tried.
TEST(WriterHeaders, SizeLowByteIsNeverZero) {
  for (size_t n = 180; n < 240; ++n) {
    std::vector<TestFile> files = {{std::string(n, 'n'), ToBytes("x")}, {"dir\\" + std::string(n, 'd'), {}, true},
                                   {"after", ToBytes("after")}};
    Bytes archive = PackFiles(files, lha::Method::Lh5);
    ASSERT_NE(archive[0], 0) << n;
    lha::Status end;
    auto entries = ReadArchive(archive, end);
    ASSERT_EQ(entries.size(), 3u) << n;
    EXPECT_EQ(entries[0].entry.path, files[0].path);
    EXPECT_EQ(entries[1].entry.path, files[1].path);
    EXPECT_TRUE(entries[2].data == ToBytes("after"));
  }
}

TEST(WriterHeaders, NamesTooLongForTheHeaderAreRefused) {
  MemorySink sink;
  lha::Writer w(sink);
  MemorySource data(Bytes(10, 1));
  EXPECT_EQ(w.AddFile(Named(std::string(70000, 'x')), data, lha::Method::Lh5), lha::Status::TooLarge);
  EXPECT_EQ(w.AddDirectory(Named(std::string(70000, 'x'))), lha::Status::TooLarge);
  EXPECT_TRUE(sink.data.empty());
}

}  // namespace
}  // namespace codec_test
