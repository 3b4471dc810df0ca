#include "platform/text.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

// "ソ" and "表" are Shift-JIS characters whose trail byte is 0x5C, a backslash.
const Text kSo = "ソ";
const Text kHyo = "表";

TEST(Text, LiteralsAreShiftJis) {
  ASSERT_EQ(kSo, "\x83\x5C");
  ASSERT_EQ(kHyo, "\x95\x5C");
}

TEST(Text, SearchesSkipTrailBytes) {
  Text s = "C:\\" + kSo + "ft\\x";
  EXPECT_EQ(FindChar(s, '\\'), 2u);
  EXPECT_EQ(FindChar(s, '\\', 3), 7u);  // not the trail byte at 4
  EXPECT_EQ(FindLastChar(s, '\\'), 7u);
  EXPECT_EQ(FindChar(kSo, '\\'), Text::npos);
  EXPECT_EQ(FindText("a" + kHyo + "\\b", "\\b"), 3u);
  EXPECT_EQ(FindText(kHyo + "b", "\\b"), Text::npos);
  EXPECT_EQ(FindText("abc", ""), Text::npos);
}

TEST(Text, HexTextLikeTheLogShowsCodes) {
  EXPECT_EQ(HexText(0x31F), "031F");
  EXPECT_EQ(HexText(0x8012), "8012");
  EXPECT_EQ(HexText(0x12345), "12345");
  EXPECT_EQ(HexText(-1), "FFFFFFFF");
}

struct PathCase {
  Text path, prefix, folder, name;
};

TEST(Text, PathSplits) {
  const PathCase cases[] = {
      {"C:\\WINDOWS\\system.ini", "C:\\WINDOWS\\", "C:\\WINDOWS", "system.ini"},
      {"C:\\x.ini", "C:\\", "C:\\", "x.ini"},
      {"C:data", "C:", "C:", "data"},
      {"name", "", "", "name"},
      {"WIN\\system.ini", "WIN\\", "WIN", "system.ini"},
      {"\\\\srv\\share\\a", "\\\\srv\\share\\", "\\\\srv\\share", "a"},
      {"D:\\TMP\\", "D:\\TMP\\", "D:\\TMP", ""},
      {"D:\\" + kSo + "\\a", "D:\\" + kSo + "\\", "D:\\" + kSo, "a"},
      {"D:\\" + kSo, "D:\\", "D:\\", kSo},
  };
  for (const PathCase& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(FolderPrefix(c.path), c.prefix);
    EXPECT_EQ(FolderPart(c.path), c.folder);
    EXPECT_EQ(FileNamePart(c.path), c.name);
  }
}

}  // namespace
}  // namespace quillet
