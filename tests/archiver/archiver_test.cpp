#include "archiver/archiver.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

namespace quillet {
namespace {

TEST(ArchiverBinding, MissingLibraryGivesAnErrorCodeNotACrash) {
  ASSERT_FALSE(LoadArchiverLibrary()) << "no Unlha32.dll beside the test program";
  EXPECT_FALSE(ArchiverLibraryLoaded());
  char report[2048];
  std::memset(report, 'x', sizeof report);
  EXPECT_NE(ArchiverCommand(nullptr, "x -y1 C:\\none.lzh", report, sizeof report), 0);
  EXPECT_EQ(report[0], '\0');
  EXPECT_EQ(report[1], 'x') << "nothing beyond the terminator is touched";
  EXPECT_NE(ArchiverCommand(nullptr, "a", nullptr, 0), 0);
}

TEST(ArchiverBinding, LoadedLibraryAnswersThroughOrdinalOne) {
#ifndef QUILLET_DLL_DIR
  GTEST_SKIP() << "the archiver library is not part of this build";
#else
  ASSERT_TRUE(SetDllDirectoryA(QUILLET_DLL_DIR));
  ASSERT_TRUE(LoadArchiverLibrary());
  EXPECT_TRUE(ArchiverLibraryLoaded());
  char report[2048] = "";
  int32_t unknown = ArchiverCommand(nullptr, "no-such-command", report, sizeof report);
  EXPECT_NE(unknown, 0);
  EXPECT_NE(unknown, kArchiverUnavailable);
  EXPECT_NE(report[0], '\0') << "the library explains its refusal";
#endif
}

}  // namespace
}  // namespace quillet
