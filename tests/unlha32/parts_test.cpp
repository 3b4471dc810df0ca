// The library's portable parts: the command language, names, targets, the report, and
// the layout of a self-extracting program.
#include <gtest/gtest.h>

#include <cstring>

#include "unlha32/archive_in.h"
#include "unlha32/command_line.h"
#include "unlha32/entry_target.h"
#include "unlha32/report.h"
#include "unlha32/result.h"
#include "unlha32/sfx_layout.h"
#include "unlha32/sfx_stub.h"
#include "unlha32/sjis_path.h"

namespace unlha {
namespace {

TEST(CommandLine, TheFourShapesTheProgramSends) {
  CommandLine cl;
  std::string why;
  ASSERT_EQ(ParseCommandLine("a -r D:\\ZEWOSTOR\\GameA\\021010_090503 \"C:\\TEMP\\\" ZEWO\\*.*", cl, why), kOk) << why;
  EXPECT_EQ(cl.command, 'a');
  EXPECT_TRUE(cl.switches.recurse);
  EXPECT_EQ(cl.archive, "D:\\ZEWOSTOR\\GameA\\021010_090503");
  EXPECT_EQ(cl.args, (std::vector<std::string>{"C:\\TEMP\\", "ZEWO\\*.*"}));

  ASSERT_EQ(ParseCommandLine("a D:\\S\\10100905  \"C:\\Games\\Foo\\\\save\\*.*\" \"C:\\G\\cfg.ini\"", cl, why), kOk);
  EXPECT_EQ(cl.args, (std::vector<std::string>{"C:\\Games\\Foo\\save\\*.*", "C:\\G\\cfg.ini"}));

  ASSERT_EQ(ParseCommandLine("s -x1 D:\\S\\10100905 D:\\S\\", cl, why), kOk);
  EXPECT_EQ(cl.command, 's');
  EXPECT_EQ(cl.args, std::vector<std::string>{"D:\\S\\"});

  ASSERT_EQ(ParseCommandLine("x -y1 D:\\S\\a.LZH \"C:\\TEMP\\\"", cl, why), kOk);
  EXPECT_TRUE(cl.switches.overwrite);
  EXPECT_EQ(cl.args, std::vector<std::string>{"C:\\TEMP\\"});
}

TEST(CommandLine, SwitchesAndErrors) {
  struct Case {
    const char* text;
    int code;
    bool recurse, keep, overwrite;
    Method method;
  } cases[] = {
      {"a -r0 x y", kOk, false, true, false, Method::Lh5},
      {"A -R2 -X0 -Y1 -M7 x y", kOk, true, false, true, Method::Lh7},
      {"a -r0x0y1m0 x y", kOk, false, false, true, Method::Stored},
      {"e x", kOk, true, false, false, Method::Lh5},
      {"x -- -name-", kOk, true, true, false, Method::Lh5},
      {"a -r3 x y", kUnknownSwitch, false, false, false, Method::Lh5},
      {"a -m x y", kUnknownSwitch, false, false, false, Method::Lh5},
      {"a - x y", kUnknownSwitch, false, false, false, Method::Lh5},
      {"x -z x", kUnknownSwitch, false, false, false, Method::Lh5},
      {"u x y", kUnknownCommand, false, false, false, Method::Lh5},
      {"ax x y", kUnknownCommand, false, false, false, Method::Lh5},
      {"x \"x", kBadCommandLine, false, false, false, Method::Lh5},
      {"x", kBadCommandLine, false, false, false, Method::Lh5},
      {"a x", kBadCommandLine, false, false, false, Method::Lh5},
      {"s x y z", kBadCommandLine, false, false, false, Method::Lh5},
      {"x \"\"", kBadCommandLine, false, false, false, Method::Lh5},
      {"   ", kBadCommandLine, false, false, false, Method::Lh5},
  };
  for (const Case& c : cases) {
    CommandLine cl;
    std::string why;
    EXPECT_EQ(ParseCommandLine(c.text, cl, why), c.code) << c.text;
    if (c.code != kOk) {
      EXPECT_FALSE(why.empty()) << c.text;
      continue;
    }
    EXPECT_EQ(cl.switches.recurse, c.recurse) << c.text;
    EXPECT_EQ(cl.switches.keepFolders, c.keep) << c.text;
    EXPECT_EQ(cl.switches.overwrite, c.overwrite) << c.text;
    EXPECT_EQ(cl.switches.method, c.method) << c.text;
  }
}

TEST(Names, ShiftJisTrailBytesAreNeverSeparatorsOrWildcards) {
  // "ソ" is 83 5C and "表" 95 5C: their second byte is a backslash.
  EXPECT_EQ(CollapseBackslashes("C:\\ソ\\\\x\\\\\\y"), "C:\\ソ\\x\\y");
  EXPECT_EQ(CollapseBackslashes("\\\\server\\\\share"), "\\\\server\\share");
  EXPECT_EQ(NameOf("C:\\dir\\表"), "表");
  EXPECT_EQ(FolderOf("C:\\dir\\表"), "C:\\dir\\");
  EXPECT_FALSE(EndsWithSeparator("表"));
  EXPECT_EQ(SplitPath("a\\ソ/b\\\\c"), (std::vector<std::string>{"a", "ソ", "b", "c"}));
  EXPECT_TRUE(WildcardMatch("*.*", "README"));
  EXPECT_TRUE(WildcardMatch("*.INI", "表示.ini"));
  EXPECT_TRUE(WildcardMatch("?示.ini", "表示.ini"));
  EXPECT_FALSE(WildcardMatch("??示.ini", "表示.ini"));
  EXPECT_FALSE(WildcardMatch("*.ini", "a.ini.bak"));
  EXPECT_TRUE(WildcardMatch("a*b*c", "axxbyyc"));
  EXPECT_FALSE(WildcardMatch("a*b*c", std::string(5000, 'a') + "b"));  // quick, not exponential
  EXPECT_TRUE(SameName("ZEWO\\Foo.INI", "zewo\\foo.ini"));
  EXPECT_FALSE(SameName("ｆ", "Ｆ"));
}

TEST(Targets, RelativeToADestination) {
  struct Case {
    const char* stored;
    int code;
    const char* relative;
  } cases[] = {
      {"ZEWO\\WIN\\a.ini", kOk, "ZEWO\\WIN\\a.ini"},
      {"\\subdir\\file.txt", kOk, "subdir\\file.txt"},
      {"C:\\Windows\\x.dll", kOk, "Windows\\x.dll"},
      {"C:x.dll", kOk, "x.dll"},
      {"/tmp/abs.txt", kOk, "tmp\\abs.txt"},
      {"./a/./b", kOk, "a\\b"},
      {"ソ\\表", kOk, "ソ\\表"},
      {"..\\evil", kUnsafePath, ""},
      {"a\\..\\b", kUnsafePath, ""},
      {"a/../../b", kUnsafePath, ""},
      {"a\\...\\b", kUnsafePath, ""},
      {"a\\.. \\b", kUnsafePath, ""},
      {"a\\b:stream", kUnsafePath, ""},
      {"dir\\CON", kUnsafePath, ""},
      {"nul.txt", kUnsafePath, ""},
      {"lpt1", kUnsafePath, ""},
      {"com10", kOk, "com10"},
      {"tab\there", kUnsafePath, ""},
      {"\\", kUnsafePath, ""},
      {"C:", kUnsafePath, ""},
  };
  for (const Case& c : cases) {
    std::string rel;
    EXPECT_EQ(RelativeTarget(c.stored, rel), c.code) << c.stored;
    EXPECT_EQ(rel, c.relative) << c.stored;
  }
}

TEST(Targets, OriginalPathsRoundTrip) {
  for (const char* full : {"C:\\G\\save\\a.sav", "d:\\ソ\\表.ini", "\\\\server\\share\\dir\\f.txt"}) {
    std::string stored, root, rest;
    ASSERT_TRUE(StoredNameOfFullPath(full, stored)) << full;
    EXPECT_EQ(stored.find(':'), std::string::npos) << stored;
    ASSERT_EQ(OriginalTarget(stored, root, rest), kOk) << stored;
    EXPECT_EQ(root + rest, full);
  }
  std::string root, rest;
  EXPECT_EQ(OriginalTarget("ZEWO\\WIN\\a.ini", root, rest), kNoOriginalPath);
  EXPECT_EQ(OriginalTarget("\\C\\x", root, rest), kNoOriginalPath);
  EXPECT_EQ(OriginalTarget("C:\\x", root, rest), kNoOriginalPath);
  EXPECT_EQ(OriginalTarget("C\\..\\Windows\\x", root, rest), kUnsafePath);
  EXPECT_EQ(OriginalTarget("C\\a\\con", root, rest), kUnsafePath);
  EXPECT_EQ(OriginalTarget("C", root, rest), kNoOriginalPath);
}

TEST(ReportBuffer, CutsAtCharacterBoundariesAndNeverPassesTheSize) {
  Report r;
  r.Fail(kDataCrc, "表表表");  // 6 bytes, then "\r\n"
  r.Fail(kTruncated, "later");
  EXPECT_EQ(r.code(), kDataCrc) << "the first failure decides";
  char buf[16];
  for (size_t size = 0; size <= 9; ++size) {
    std::memset(buf, 'Z', sizeof buf);
    r.CopyTo(buf, size);
    for (size_t i = size; i < sizeof buf; ++i) ASSERT_EQ(buf[i], 'Z') << size;
    if (size == 0) continue;
    size_t room = size - 1;
    size_t expected = room <= 6 ? room & ~static_cast<size_t>(1) : room;  // never half a 表
    EXPECT_EQ(std::strlen(buf), expected) << size;
  }
  r.CopyTo(nullptr, 10);  // no buffer: nothing to do, no crash
}

TEST(SfxLayout, ArchiveSitsEarlyAndSectionsMovePastIt) {
  SfxLayout layout;
  ASSERT_TRUE(LayOutSfx(kSfxStub, kSfxStubSize, 12345, kSfxTag, layout));
  size_t archiveAt = layout.head.size();
  EXPECT_LT(archiveAt, 4096u) << "other readers find it within their first 24 KiB";
  EXPECT_EQ(layout.head[0], 'M');
  // Every section's file offset now lies past the archive and keeps the stub's bytes.
  size_t pe = layout.head[0x3C] | (layout.head[0x3D] << 8);
  size_t sections = layout.head[pe + 6] | (layout.head[pe + 7] << 8);
  size_t table = pe + 24 + (layout.head[pe + 20] | (layout.head[pe + 21] << 8));
  size_t end = archiveAt + 12345;
  EXPECT_EQ(layout.tail[0], 0) << "an end marker follows the archive";
  for (size_t i = 0; i < sections; ++i) {
    const uint8_t* s = layout.head.data() + table + i * 40;
    uint32_t raw = s[20] | (s[21] << 8) | (s[22] << 16) | (static_cast<uint32_t>(s[23]) << 24);
    uint32_t size = s[16] | (s[17] << 8) | (s[18] << 16) | (static_cast<uint32_t>(s[19]) << 24);
    if (size == 0) continue;
    EXPECT_GT(raw, end);
    EXPECT_EQ(raw % 512, 0u);
    EXPECT_LE(raw - end + size, layout.tail.size());
  }
  EXPECT_FALSE(LayOutSfx(kSfxStub, 100, 10, kSfxTag, layout)) << "a cut stub is refused";
  EXPECT_FALSE(LayOutSfx(kSfxStub, kSfxStubSize, 0x100000000ull, kSfxTag, layout)) << "4 GiB does not fit";
}

}  // namespace
}  // namespace unlha
