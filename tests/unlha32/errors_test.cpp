// Failures: each has its own code and a short report, never past the caller's buffer,
// and none harms an archive or writes outside the place it was asked to write.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/unlha32/dll_support.h"

namespace unlha_test {
namespace {

size_t Find(const std::vector<unsigned char>& b, const std::string& s) {
  auto it = std::search(b.begin(), b.end(), s.begin(), s.end());
  return it == b.end() ? std::string::npos : static_cast<size_t>(it - b.begin());
}

class Errors : public ::testing::Test {
 protected:
  void SetUp() override {
    src = dir.path("src\\");
    MakeFolders(src);
    WriteText(src + "first.txt", "first file");
    WriteText(src + "second.txt", "payload-data of the second file");
    archive = dir.path("good.lzh");
    ASSERT_EQ(Archiver("a -m0 " + archive + " \"" + src + "\" first.txt second.txt").code, 0);
    bytes = ReadBytes(archive);
  }
  // A damaged copy of the archive.
  std::string Damaged(const std::string& name, std::vector<unsigned char> b) {
    WriteBytes(dir.path(name), b);
    return dir.path(name);
  }
  TempDir dir;
  std::string src, archive;
  std::vector<unsigned char> bytes;
};

TEST_F(Errors, EachFailureHasItsOwnCode) {
  std::vector<unsigned char> headerCrc = bytes, dataCrc = bytes;
  size_t name2 = Find(bytes, "second.txt");
  ASSERT_NE(name2, std::string::npos);
  headerCrc[name2] = 'S';  // the second header, so the archive itself is still found
  size_t data2 = Find(bytes, "payload-data");
  ASSERT_NE(data2, std::string::npos);
  dataCrc[data2] ^= 0x01;
  std::vector<unsigned char> truncated(bytes.begin(), bytes.begin() + static_cast<long>(data2 + 5));
  WriteText(dir.path("text.txt"), "plain text, no archive here");
  WriteText(dir.path("file"), "a file where a folder would go");

  struct Case {
    const char* what;
    std::string command;
    int code;
  } cases[] = {
      {"unknown command", "q " + archive, 0x8001},
      {"unknown command word", "extract " + archive, 0x8001},
      {"unknown switch", "x -k " + archive + " \"" + dir.path("o") + "\"", 0x8002},
      {"switch value out of range", "a -m6 " + archive + " x", 0x8002},
      {"open quote", "x \"" + archive, 0x8003},
      {"no archive", "x -y1", 0x8003},
      {"empty", "", 0x8003},
      {"missing archive", "x " + dir.path("none.lzh") + " \"" + dir.path("o\\") + "\"", 0x8004},
      {"not an archive", "t " + dir.path("text.txt"), 0x8006},
      {"bad header CRC", "t " + Damaged("h.lzh", headerCrc), 0x8007},
      {"bad data CRC", "t " + Damaged("d.lzh", dataCrc), 0x8008},
      {"truncated", "t " + Damaged("t.lzh", truncated), 0x8009},
      {"method we do not decode", "x " + Corpus("lengths/lh1-64k.lzh") + " \"" + dir.path("o\\") + "\"", 0x800A},
      {"nothing matched", "a " + dir.path("new.lzh") + " \"" + src + "\" *.doc", 0x800B},
      {"destination under a file", "x " + archive + " \"" + dir.path("file\\sub\\") + "\"", 0x800C},
      {"dot-dot entries", "x " + Corpus("regression/dotdot.lzh") + " \"" + dir.path("o\\") + "\"", 0x800E},
      {"link entries", "x " + Corpus("regression/symlink1.lzh") + " \"" + dir.path("o\\") + "\"", 0x800F},
      {"no destination, foreign archive", "x -y1 " + archive, 0x8010},
  };
  for (const Case& c : cases) {
    CallResult r = Archiver(c.command);
    EXPECT_EQ(r.code, c.code) << c.what << "\n" << r.report;
    EXPECT_FALSE(r.report.empty()) << c.what << ": a failure says why";
  }
  EXPECT_FALSE(FileExists(dir.path("new.lzh"))) << "nothing written when nothing matched";
  EXPECT_EQ(ReadBytes(archive), bytes) << "no command above touched the archive it read";
}

TEST_F(Errors, ArchiveHeldOpenByAnotherProgramIsUnreadable) {
  HANDLE h = CreateFileA(archive.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  CallResult r = Archiver("t " + archive);
  CloseHandle(h);
  EXPECT_EQ(r.code, 0x8005) << r.report;
}

TEST_F(Errors, AFileInUseIsLeftOutAndNamedTheRestIsPacked) {
  HANDLE h = CreateFileA((src + "first.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  CallResult r = Archiver("a " + dir.path("part.lzh") + " \"" + src + "\" *.txt");
  CloseHandle(h);
  EXPECT_EQ(r.code, 0x8012) << r.report;
  EXPECT_NE(r.report.find("first.txt"), std::string::npos) << r.report;
  std::string out = dir.path("o\\");
  ASSERT_EQ(Archiver("x " + dir.path("part.lzh") + " \"" + out + "\"").code, 0);
  EXPECT_EQ(ListTree(out), std::vector<std::string>{"second.txt"});
}

TEST_F(Errors, DamagedEntriesNeverReplaceExistingFilesAndTheOthersStillExtract) {
  std::vector<unsigned char> dataCrc = bytes;
  dataCrc[Find(bytes, "payload-data")] ^= 0x01;
  std::string out = dir.path("o\\");
  MakeFolders(out);
  WriteText(out + "second.txt", "the good old copy");
  CallResult r = Archiver("x -y1 " + Damaged("d.lzh", dataCrc) + " \"" + out + "\"");
  EXPECT_EQ(r.code, 0x8008) << r.report;
  EXPECT_EQ(ReadText(out + "second.txt"), "the good old copy");
  EXPECT_EQ(ReadText(out + "first.txt"), "first file");
  EXPECT_EQ(ListTree(out), (std::vector<std::string>{"first.txt", "second.txt"})) << "no temporary file left";
}

TEST_F(Errors, ReportNeverPassesTheBufferAndAlwaysEnds) {
  // A long report: a listing of many entries, and a failure with a long path.
  std::string many = dir.path("many\\");
  MakeFolders(many);
  for (int i = 0; i < 60; ++i) WriteText(many + "file_with_a_long_name_" + std::to_string(i) + "_表.txt", "x");
  std::string big = dir.path("big.lzh");
  ASSERT_EQ(Archiver("a " + big + " \"" + many + "\" *.*").code, 0);
  const std::string commands[] = {"l " + big, "x " + dir.path(std::string(300, 'n')) + " \"" + dir.path("o\\") + "\"",
                                  "bogus", "l " + archive};
  for (const std::string& cmd : commands) {
    for (size_t size : {0u, 1u, 2u, 7u, 100u, 2048u}) {
      CallResult r = Archiver(cmd, size);
      EXPECT_TRUE(r.canaryIntact) << cmd.substr(0, 20) << " size " << size;
      EXPECT_TRUE(r.terminated) << cmd.substr(0, 20) << " size " << size;
      if (size > 1) {
        EXPECT_LE(r.report.size(), size - 1);
      }
    }
  }
  CallResult full = Archiver("l " + big, 2048);
  EXPECT_GT(full.report.size(), 1900u) << "a listing fills what it is given";
}

TEST_F(Errors, HostileArchivesWriteNothingOutsideTheDestination) {
  const char* hostile[] = {"abspath.lzh", "badterm.lzh", "dir.lzh",      "dotdot.lzh",    "multiple.lzh",
                           "symlink1.lzh", "symlink2.lzh", "symlink3.lzh", "truncated.lzh", "unixsep.lzh"};
  for (const char* name : hostile) {
    TempDir sandbox;
    std::string dest = sandbox.path("dest\\");
    CallResult r = Archiver(std::string("x -y1 ") + Corpus(std::string("regression/") + name) + " \"" + dest + "\"");
    for (const std::string& p : ListTree(sandbox.path()))
      EXPECT_EQ(p.compare(0, 5, "dest\\"), 0) << name << " wrote " << p;
    EXPECT_TRUE(r.canaryIntact) << name;
    if (std::string(name) == "abspath.lzh") {
      EXPECT_EQ(r.code, 0) << r.report;
      EXPECT_TRUE(FileExists(dest + "tmp\\absolute_path.txt")) << "the leading separator is dropped";
    }
    if (std::string(name) == "unixsep.lzh") {
      EXPECT_TRUE(FileExists(dest + "subdir\\subdir2\\hello.txt"));
    }
    if (std::string(name) == "symlink1.lzh") {
      EXPECT_EQ(r.code, 0x800F);
      EXPECT_EQ(ListTree(dest), std::vector<std::string>{"foo.txt"}) << "the link is not made, the file is";
    }
    if (std::string(name) == "truncated.lzh") {
      EXPECT_EQ(r.code, 0x8009);
    }
    if (std::string(name) == "dotdot.lzh") {
      EXPECT_EQ(r.code, 0x800E);
    }
  }
}

}  // namespace
}  // namespace unlha_test
