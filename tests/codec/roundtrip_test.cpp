// What the writer packs, the reader gives back: names, data, attributes and times.
#include <gtest/gtest.h>

#include "tests/codec/archive_util.h"

namespace codec_test {
namespace {

struct Way {
  const char* name;
  lha::Method method;
  size_t chunk;     // bytes per Read of the sources and of the archive
  bool rewindable;  // whether the writer may go back and store
};

void PrintTo(const Way& w, std::ostream* os) { *os << w.name; }

class RoundTrip : public ::testing::TestWithParam<Way> {};

TEST_P(RoundTrip, EveryFileComesBackAsWritten) {
  const Way& way = GetParam();
  auto files = VariedFiles();
  Bytes archive = PackFiles(files, way.method, way.chunk, way.rewindable);
  ASSERT_FALSE(archive.empty());
  EXPECT_EQ(archive.back(), 0) << "end marker";

  lha::Status end;
  auto entries = ReadArchive(archive, end, way.chunk);
  ASSERT_EQ(end, lha::Status::End);
  ASSERT_EQ(entries.size(), files.size());
  const std::string packedId = way.method == lha::Method::Lh7 ? "-lh7-" : "-lh5-";
  for (size_t i = 0; i < files.size(); ++i) {
    const TestFile& f = files[i];
    const ReadBack& got = entries[i];
    SCOPED_TRACE(f.path);
    lha::Entry want = MetaFor(f, i);
    EXPECT_EQ(got.entry.path, f.path);
    EXPECT_EQ(got.entry.isDirectory, f.folder);
    EXPECT_EQ(got.entry.attributes, want.attributes);
    EXPECT_EQ(got.entry.dosTime, want.dosTime);
    EXPECT_EQ(got.entry.level, 2);
    EXPECT_EQ(got.entry.osId, 'W');
    EXPECT_EQ(got.status, lha::Status::Ok);
    EXPECT_EQ(got.entry.size, f.data.size());
    EXPECT_TRUE(got.data == f.data);
    if (f.folder) {
      EXPECT_EQ(got.entry.method, "-lhd-");
    } else if (way.method == lha::Method::Stored || f.data.empty()) {
      EXPECT_EQ(got.entry.method, "-lh0-");
    } else if (f.path == "random.bin") {
      // Packing does not pay: stored when the source can be read again, else packed.
      EXPECT_EQ(got.entry.method, way.rewindable ? "-lh0-" : packedId);
      if (way.rewindable) {
        EXPECT_EQ(got.entry.packedSize, f.data.size());
      }
    } else if (f.data.size() > 100) {
      EXPECT_EQ(got.entry.method, packedId);
      EXPECT_LT(got.entry.packedSize, f.data.size());
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Ways, RoundTrip,
                         ::testing::Values(Way{"Lh5", lha::Method::Lh5, static_cast<size_t>(-1), true},
                                           Way{"Lh7", lha::Method::Lh7, static_cast<size_t>(-1), true},
                                           Way{"Stored", lha::Method::Stored, static_cast<size_t>(-1), true},
                                           Way{"Lh5ShortReads", lha::Method::Lh5, 7, true},
                                           Way{"Lh7ShortReads", lha::Method::Lh7, 1000, true},
                                           Way{"Lh5NoRewind", lha::Method::Lh5, static_cast<size_t>(-1), false}),
                         [](const ::testing::TestParamInfo<Way>& i) { return std::string(i.param.name); });

// Data shaped to stress the match finder and block coder: long runs, matches at the
// longest distance, the longest match, many blocks of few distinct symbols.
TEST(RoundTripData, AwkwardShapesSurvive) {
  std::vector<Bytes> cases;
  Bytes periodic(300000);
  for (size_t i = 0; i < periodic.size(); ++i) periodic[i] = static_cast<uint8_t>(i % 8191 % 251);
  cases.push_back(periodic);
  Bytes farRepeat = RandomBytes(65535, 9);
  Bytes tail(farRepeat.begin(), farRepeat.begin() + 3000);
  farRepeat.insert(farRepeat.end(), tail.begin(), tail.end());  // repeats 65535 back
  cases.push_back(farRepeat);
  Bytes twoSymbols(150000);
  Rng r(11);
  for (auto& b : twoSymbols) b = (r.Next() & 1) ? 'a' : 'b';
  cases.push_back(twoSymbols);
  Bytes runs;
  for (int i = 0; i < 2000; ++i) runs.insert(runs.end(), static_cast<size_t>(r.Next() % 600), static_cast<uint8_t>(i));
  cases.push_back(runs);

  for (lha::Method m : {lha::Method::Lh5, lha::Method::Lh7}) {
    for (size_t c = 0; c < cases.size(); ++c) {
      SCOPED_TRACE("case " + std::to_string(c) + (m == lha::Method::Lh7 ? " -lh7-" : " -lh5-"));
      Bytes archive = PackFiles({{"f", cases[c]}}, m);
      lha::Status end;
      auto entries = ReadArchive(archive, end);
      ASSERT_EQ(entries.size(), 1u);
      EXPECT_EQ(entries[0].status, lha::Status::Ok);
      EXPECT_TRUE(entries[0].data == cases[c]);
    }
  }
}

}  // namespace
}  // namespace codec_test
