// Failures of Windows itself, made real through the library's Win32 seam: a disk that
// fills up after some bytes, a folder that cannot be made, a rename that is refused.
#include <gtest/gtest.h>

#include "tests/unlha32/dll_support.h"
#include "unlha32/commands.h"
#include "unlha32/syscalls.h"

namespace unlha_test {
namespace {

long long g_writeBudget = 0;  // bytes WriteFile still takes before the disk is "full"

BOOL WINAPI WriteUntilFull(HANDLE h, LPCVOID buf, DWORD n, LPDWORD done, LPOVERLAPPED ov) {
  if (g_writeBudget < static_cast<long long>(n)) {
    *done = 0;
    SetLastError(ERROR_DISK_FULL);
    return FALSE;
  }
  g_writeBudget -= n;
  return ::WriteFile(h, buf, n, done, ov);
}

BOOL WINAPI RefuseFolder(LPCSTR, LPSECURITY_ATTRIBUTES) {
  SetLastError(ERROR_ACCESS_DENIED);
  return FALSE;
}

BOOL WINAPI RefuseRename(LPCSTR, LPCSTR, DWORD) {
  SetLastError(ERROR_ACCESS_DENIED);
  return FALSE;
}

BOOL WINAPI FailRead(HANDLE, LPVOID, DWORD, LPDWORD done, LPOVERLAPPED) {
  *done = 0;
  SetLastError(ERROR_CRC);
  return FALSE;
}

int Lib(const std::string& command, std::string* report = nullptr) {
  unlha::Report r;
  int code = unlha::RunCommand(command, r);
  if (report) *report = r.text();
  return code;
}

class Faults : public ::testing::Test {
 protected:
  void SetUp() override {
    saved = unlha::Sys();
    src = dir.path("src\\");
    MakeFolders(src);
    std::string big;
    for (int i = 0; i < 20000; ++i) big += std::to_string(i * 7919 % 10007) + " ";
    WriteText(src + "big.txt", big);
    WriteText(src + "small.txt", "small");
    archive = dir.path("store\\arc.lzh");
    MakeFolders(dir.path("store"));
    ASSERT_EQ(Lib("a " + archive + " \"" + src + "\" small.txt"), 0);
    original = ReadBytes(archive);
  }
  void TearDown() override { unlha::Sys() = saved; }

  unlha::Syscalls saved;
  TempDir dir;
  std::string src, archive;
  std::vector<unsigned char> original;
};

TEST_F(Faults, DiskFullWhilePackingLeavesTheOldArchiveWhole) {
  for (long long budget : {0LL, 100LL, 5000LL}) {
    unlha::Sys().WriteFile = WriteUntilFull;
    g_writeBudget = budget;
    std::string report;
    EXPECT_EQ(Lib("a " + archive + " \"" + src + "\" big.txt", &report), 0x800D) << budget << " " << report;
    unlha::Sys() = saved;
    EXPECT_EQ(ReadBytes(archive), original) << budget;
    EXPECT_EQ(ListTree(dir.path("store")), std::vector<std::string>{"arc.lzh"}) << "no temporary file left";
    EXPECT_EQ(Lib("a " + dir.path("store\\new") + " \"" + src + "\" big.txt"), 0) << "the seam is restored";
    DeleteFileA(dir.path("store\\new.LZH").c_str());
  }
  unlha::Sys().WriteFile = WriteUntilFull;
  g_writeBudget = 100;
  EXPECT_EQ(Lib("a " + dir.path("store\\fresh") + " \"" + src + "\" big.txt"), 0x800D);
  EXPECT_EQ(ListTree(dir.path("store")), std::vector<std::string>{"arc.lzh"}) << "no half archive under any name";
}

TEST_F(Faults, DiskFullWhileExtractingKeepsTheExistingFile) {
  ASSERT_EQ(Lib("a " + archive + " \"" + src + "\" big.txt"), 0);
  std::string out = dir.path("out\\");
  MakeFolders(out);
  WriteText(out + "big.txt", "previous");
  unlha::Sys().WriteFile = WriteUntilFull;
  g_writeBudget = 1000;
  EXPECT_EQ(Lib("x -y1 " + archive + " \"" + out + "\" big.txt"), 0x800D);
  unlha::Sys() = saved;
  EXPECT_EQ(ReadText(out + "big.txt"), "previous");
  EXPECT_EQ(ListTree(out), std::vector<std::string>{"big.txt"});
}

TEST_F(Faults, DiskFullWhileConvertingWritesNoProgram) {
  unlha::Sys().WriteFile = WriteUntilFull;
  g_writeBudget = 2000;
  EXPECT_EQ(Lib("s -x1 " + dir.path("store\\arc") + ".lzh " + dir.path("store\\")), 0x800D);
  unlha::Sys() = saved;
  EXPECT_EQ(ListTree(dir.path("store")), std::vector<std::string>{"arc.lzh"});
}

TEST_F(Faults, UnwritableDestinationAndRefusedRename) {
  unlha::Sys().CreateDirectoryA = RefuseFolder;
  std::string report;
  EXPECT_EQ(Lib("x " + archive + " \"" + dir.path("new\\dest\\") + "\"", &report), 0x800C);
  EXPECT_NE(report.find("CreateDirectoryA"), std::string::npos) << report;
  unlha::Sys() = saved;

  unlha::Sys().MoveFileExA = RefuseRename;
  EXPECT_EQ(Lib("a " + archive + " \"" + src + "\" big.txt", &report), 0x800C);
  EXPECT_NE(report.find(archive), std::string::npos) << "the report names the path: " << report;
  unlha::Sys() = saved;
  EXPECT_EQ(ReadBytes(archive), original);
  EXPECT_EQ(ListTree(dir.path("store")), std::vector<std::string>{"arc.lzh"});
}

TEST_F(Faults, ReadFailureOfTheArchive) {
  unlha::Sys().ReadFile = FailRead;
  std::string report;
  EXPECT_EQ(Lib("t " + archive, &report), 0x8005);
  EXPECT_NE(report.find("ReadFile"), std::string::npos) << report;
}

}  // namespace
}  // namespace unlha_test
