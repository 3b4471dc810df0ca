// Other LHA tools judge our archives, and we judge theirs: lhasa and libarchive must
// list, test and extract what we write exactly; archives by lhasa's corpus tools and by
// jlha must decode here exactly as lhasa decodes them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "tests/codec/archive_util.h"
#include "tests/codec/native_tools.h"
#include "unlha32/codec/dos_time.h"
#include "unlha32/codec/header.h"
#include "unlha32/codec/lzh_encoder.h"
#include "unlha32/codec/method.h"

namespace codec_test {
namespace {

std::string CorpusDir() { return CODEC_CORPUS_DIR; }

bool WriteArchive(const std::string& path, const Bytes& archive) { return !archive.empty() && WriteFileBytes(path, archive); }

class OracleReadsOurs : public ::testing::TestWithParam<lha::Method> {};

TEST_P(OracleReadsOurs, LhasaAndBsdtarExtractExactlyWhatWeWrote) {
  if (!HaveTool("lhasa") || !HaveTool("bsdtar")) GTEST_SKIP() << "lhasa or bsdtar is not installed";
  TempDir tmp;
  ASSERT_FALSE(tmp.path().empty());
  const auto files = VariedFiles();
  const std::string archive = tmp.path() + "/ours.lzh";
  ASSERT_TRUE(WriteArchive(archive, PackFiles(files, GetParam())));

  std::string out;
  EXPECT_EQ(RunCommand("lhasa t " + Quote(archive), &out), 0) << out;
  EXPECT_EQ(out.find("rror"), std::string::npos) << out;
  ASSERT_EQ(RunCommand("lhasa l " + Quote(archive), &out), 0) << out;
  size_t total = out.find(" Total ");
  ASSERT_NE(total, std::string::npos) << out;
  EXPECT_EQ(std::stoul(out.substr(total + 7)), files.size()) << out;

  const std::string byLhasa = tmp.path() + "/lhasa";
  fs::create_directory(byLhasa);
  ASSERT_EQ(RunCommand("cd " + Quote(byLhasa) + " && lhasa xq " + Quote(archive), &out), 0) << out;
  EXPECT_TRUE(ReadTree(byLhasa) == ExpectedTree(files, UnixName));
  // lhasa takes the time from the header's Unix time, which we derive from the DOS time.
  for (size_t i = 0; i < files.size(); ++i) {
    if (files[i].folder) continue;
    struct stat st;
    ASSERT_EQ(::stat((byLhasa + "/" + UnixName(files[i].path)).c_str(), &st), 0) << files[i].path;
    EXPECT_EQ(static_cast<long long>(st.st_mtime), lha::DosTimeToUnix(MetaFor(files[i], i).dosTime)) << files[i].path;
  }

  // libarchive converts names by the code page we declare; a UTF-8 locale receives them.
  const std::string byBsdtar = tmp.path() + "/bsdtar";
  fs::create_directory(byBsdtar);
  ASSERT_EQ(RunCommand("cd " + Quote(byBsdtar) + " && LC_ALL=C.UTF-8 bsdtar -xf " + Quote(archive), &out), 0) << out;
  Tree got = ReadTree(byBsdtar), want = ExpectedTree(files, Utf8Name);
  EXPECT_EQ(got.size(), want.size());
  for (const auto& [name, data] : want) {
    auto it = got.find(name);
    ASSERT_NE(it, got.end()) << name;
    EXPECT_TRUE(it->second == data) << name;
  }
}

INSTANTIATE_TEST_SUITE_P(Methods, OracleReadsOurs, ::testing::Values(lha::Method::Lh5, lha::Method::Lh7),
                         [](const ::testing::TestParamInfo<lha::Method>& i) {
                           return std::string(i.param == lha::Method::Lh7 ? "Lh7" : "Lh5");
                         });

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

bool Supported(const std::string& method) {
  for (const char* m : {"-lh0-", "-lh4-", "-lh5-", "-lh6-", "-lh7-", "-lhd-"})
    if (method == m) return true;
  return false;
}

// How reading ends where it does not end at the end marker.
lha::Status ExpectedEnd(const std::string& file) {
  const std::string name = fs::path(file).filename().string();
  if (name == "truncated.lzh") return lha::Status::Truncated;
  if (name == "h0_subdir.lzh") return lha::Status::BadHeader;  // names lost by its writer; lhasa lists nothing
  return lha::Status::End;
}

struct CorpusCounts {
  int compared = 0, unknown = 0;
};

// Reads the archive inside `file` (searching past a program stub), extracts each entry
// and compares it with lhasa's extraction in `lhasaDir`.
void CompareWithLhasa(const std::string& file, const std::string& lhasaDir, CorpusCounts& counts) {
  Bytes bytes = ReadFileBytes(file);
  long long start = lha::FindArchiveStart(bytes.data(), bytes.size());
  ASSERT_GE(start, 0);
  const std::string ext = fs::path(file).extension().string();
  if (ext != ".exe" && ext != ".com") EXPECT_EQ(start, 0);
  else EXPECT_GT(start, 0);
  bytes.erase(bytes.begin(), bytes.begin() + start);

  std::map<std::string, std::string> byLowerName;  // lhasa lower-cases names of DOS tools
  for (const auto& [rel, data] : ReadTree(lhasaDir)) byLowerName[Lower(rel)] = rel;
  const bool truncated = ExpectedEnd(file) == lha::Status::Truncated;
  std::vector<std::string> nonFolders;  // files and links: lhasa puts nothing beneath them
  bool lhasaGaveUp = false;            // and it stops at the first entry it cannot place

  MemorySource src(bytes);
  lha::Reader r(src);
  lha::Entry e;
  lha::Status s;
  while ((s = r.Next(e)) == lha::Status::Ok) {
    SCOPED_TRACE(e.path + " " + e.method);
    MemorySink sink;
    lha::Status x = r.Extract(sink);
    if (!Supported(e.method)) {
      EXPECT_EQ(x, lha::Status::UnknownMethod);
      ++counts.unknown;
      continue;
    }
    if (truncated) {
      EXPECT_EQ(x, lha::Status::Truncated);
      continue;
    }
    EXPECT_EQ(x, lha::Status::Ok);
    std::string safe;
    if (e.isDirectory || !lha::SafePath(e.path, safe)) continue;
    std::replace(safe.begin(), safe.end(), '\\', '/');
    const bool beneath = std::any_of(nonFolders.begin(), nonFolders.end(),
                                     [&](const std::string& p) { return Lower(safe).rfind(p + "/", 0) == 0; });
    nonFolders.push_back(Lower(safe));
    lhasaGaveUp = lhasaGaveUp || beneath;
    if (e.isSymlink || lhasaGaveUp) continue;
    auto it = byLowerName.find(Lower(safe));
    ASSERT_NE(it, byLowerName.end()) << "lhasa did not extract " << safe;
    EXPECT_TRUE(ReadFileBytes(lhasaDir + "/" + it->second) == sink.data);
    ++counts.compared;
  }
  EXPECT_EQ(s, ExpectedEnd(file));
}

TEST(OurReaderOnTheirs, CorpusDecodesAsLhasaDoes) {
  if (!HaveTool("lhasa")) GTEST_SKIP() << "lhasa is not installed";
  if (!fs::is_directory(CorpusDir())) GTEST_SKIP() << "no LHA corpus at " << CorpusDir();
  CorpusCounts counts;
  int archives = 0;
  for (const auto& entry : fs::recursive_directory_iterator(CorpusDir())) {
    const std::string ext = entry.path().extension().string();
    if (!entry.is_regular_file() || (ext != ".lzh" && ext != ".lzs" && ext != ".pma" && ext != ".exe" && ext != ".com"))
      continue;
    SCOPED_TRACE(entry.path().string());
    TempDir tmp;
    RunCommand("cd " + Quote(tmp.path()) + " && lhasa xq " + Quote(entry.path().string()));  // fails on what it refuses
    CompareWithLhasa(entry.path().string(), tmp.path(), counts);
    ++archives;
  }
  EXPECT_GT(archives, 60);
  EXPECT_GT(counts.compared, 40);
  EXPECT_GT(counts.unknown, 40);
}

TEST(OurReaderOnTheirs, JlhaArchivesOfEveryLevelAndMethodDecode) {
  if (!HaveTool("jlha")) GTEST_SKIP() << "jlha is not installed";
  TempDir tmp;
  std::vector<TestFile> files;
  for (const TestFile& f : VariedFiles())
    if (!f.folder && static_cast<unsigned char>(f.path[0]) < 0x80) files.push_back(f);  // jlha re-encodes other names
  for (const TestFile& f : files) {
    std::string path = tmp.path() + "/src/" + UnixName(f.path);
    fs::create_directories(fs::path(path).parent_path());
    ASSERT_TRUE(WriteFileBytes(path, f.data));
  }
  for (const char* level : {"0", "1", "2"}) {
    for (const char* method : {"5", "7"}) {
      const std::string want = std::string("-lh") + method + "-";
      SCOPED_TRACE(want + " level " + level);
      const std::string archive = tmp.path() + "/j" + level + method + ".lzh";
      std::string out;
      ASSERT_EQ(RunCommand("cd " + Quote(tmp.path()) + " && jlha -a" + level + "o" + method + " " + Quote(archive) + " src", &out), 0)
          << out;
      MemorySource src(ReadFileBytes(archive));
      lha::Reader r(src);
      lha::Entry e;
      lha::Status s;
      size_t found = 0, packedWithIt = 0;
      while ((s = r.Next(e)) == lha::Status::Ok) {
        EXPECT_EQ(e.level, level[0] - '0');
        MemorySink sink;
        EXPECT_EQ(r.Extract(sink), lha::Status::Ok) << e.path;
        if (e.isDirectory) continue;
        packedWithIt += e.method == want;
        for (const TestFile& f : files) {
          if ("src\\" + f.path != e.path) continue;
          EXPECT_TRUE(sink.data == f.data) << e.path;
          ++found;
        }
      }
      EXPECT_EQ(s, lha::Status::End);
      EXPECT_EQ(found, files.size());
      EXPECT_GT(packedWithIt, 5u);
    }
  }
}

// -lh4- and -lh6- are only read in the field; packing them here (the writer offers
// neither) gives streams whose decoding lhasa can judge.
struct CollectOut : lha::PackedOut {
  Bytes data;
  bool Put(const uint8_t* p, size_t n, unsigned long long) override {
    data.insert(data.end(), p, p + n);
    return true;
  }
};

template <class Params>
Bytes OneEntryArchive(const char* method, const Bytes& content) {
  MemorySource src(content);
  CollectOut packed;
  lha::PackResult r;
  lha::PackBuffers buffers;
  if (lha::PackLzh<Params>(src, packed, ~0ull, r, buffers) != lha::Status::Ok) return Bytes();
  lha::Entry e;
  e.path = "f.bin";
  e.dosTime = kSomeDosTime;
  Bytes archive;
  if (lha::BuildLevel2Header(e, method, static_cast<uint32_t>(r.packed), static_cast<uint32_t>(r.size), r.crc,
                             archive) != lha::Status::Ok)
    return Bytes();
  archive.insert(archive.end(), packed.data.begin(), packed.data.end());
  archive.push_back(0);
  return archive;
}

TEST(OurReaderOnTheirs, Lh4AndLh6StreamsDecodeAsLhasaDecodesThem) {
  if (!HaveTool("lhasa")) GTEST_SKIP() << "lhasa is not installed";
  Bytes content = TextBytes(150000, 21);
  Bytes noise = RandomBytes(20000, 22);
  content.insert(content.begin() + 70000, noise.begin(), noise.end());
  const std::pair<const char*, Bytes> archives[] = {{"-lh4-", OneEntryArchive<lha::Lh4>("-lh4-", content)},
                                                    {"-lh6-", OneEntryArchive<lha::Lh6>("-lh6-", content)}};
  for (const auto& [method, archive] : archives) {
    SCOPED_TRACE(method);
    ASSERT_FALSE(archive.empty());
    TempDir tmp;
    ASSERT_TRUE(WriteArchive(tmp.path() + "/a.lzh", archive));
    std::string out;
    ASSERT_EQ(RunCommand("cd " + Quote(tmp.path()) + " && lhasa xq a.lzh", &out), 0) << out;
    EXPECT_TRUE(ReadFileBytes(tmp.path() + "/f.bin") == content);
    lha::Status end;
    auto entries = ReadArchive(archive, end);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].entry.method, method);
    EXPECT_EQ(entries[0].status, lha::Status::Ok);
    EXPECT_TRUE(entries[0].data == content);
  }
}

}  // namespace
}  // namespace codec_test
