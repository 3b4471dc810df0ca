// The four command lines the program sends, through the real DLL, with their effects.
#include <gtest/gtest.h>

#include "tests/unlha32/dll_support.h"

namespace unlha_test {
namespace {

// "ソ" and "表" end in the byte 0x5C, a backslash: names that break naive splitting.
const std::string kSo = "ソフト";
const std::string kHyo = "表示.ini";

class Commands : public ::testing::Test {
 protected:
  // A staging area as the program leaves it: macro folders, subfolders, an empty folder.
  void MakeStaging(const std::string& temp) {
    MakeFolders(temp + "ZEWO\\WIN\\system");
    MakeFolders(temp + "ZEWO\\PRG\\" + kSo + "\\empty");
    WriteText(temp + "ZEWO\\WIN\\system\\foo.ini", "[a]\r\nb=1\r\n");
    WriteText(temp + "ZEWO\\PRG\\" + kSo + "\\" + kHyo, std::string(50000, 'x') + "tail");
    WriteText(temp + "ZEWO\\PRG\\readme.txt", "");
  }
  TempDir dir;
};

TEST_F(Commands, StagedBackupPacksTheWholeZewoTreeAndRestoresItUnderTheTemporaryFolder) {
  std::string temp = dir.path("temp\\");
  MakeStaging(temp);
  MakeFolders(dir.path("store"));
  // Definitions may carry any switch text, or none: the tree is always packed whole.
  for (const std::string switchRest : {"a -r ", "a ", "a -r -x1 -m7 "}) {
    std::string archive = dir.path("store\\021010_090503");
    CallResult pack = Archiver(switchRest + archive + " \"" + temp + "\" ZEWO\\*.*");
    ASSERT_EQ(pack.code, 0) << switchRest << pack.report;
    ASSERT_TRUE(FileExists(archive + ".LZH"));

    CallResult list = Archiver("l " + archive + ".LZH");
    ASSERT_EQ(list.code, 0) << list.report;
    EXPECT_NE(list.report.find(" ZEWO\\PRG\\" + kSo + "\\" + kHyo + "\r\n"), std::string::npos) << list.report;
    EXPECT_EQ(list.report.find(temp), std::string::npos) << "stored paths begin at ZEWO\\";

    std::string restoreTemp = dir.path("restore\\");
    CallResult x = Archiver("x -y1 " + archive + ".LZH \"" + restoreTemp + "\"");
    ASSERT_EQ(x.code, 0) << x.report;
    EXPECT_EQ(ListTree(restoreTemp), ListTree(temp));
    EXPECT_EQ(ReadText(restoreTemp + "ZEWO\\PRG\\" + kSo + "\\" + kHyo), ReadText(temp + "ZEWO\\PRG\\" + kSo + "\\" + kHyo));
    EXPECT_EQ(ReadText(restoreTemp + "ZEWO\\WIN\\system\\foo.ini"), "[a]\r\nb=1\r\n");
    RemoveTree(restoreTemp.substr(0, restoreTemp.size() - 1));
    DeleteFileA((archive + ".LZH").c_str());
  }
}

TEST_F(Commands, RestoreOverwritesWithY1AndLeavesExistingFilesWithoutIt) {
  std::string temp = dir.path("temp\\");
  MakeStaging(temp);
  std::string archive = dir.path("a.lzh");
  ASSERT_EQ(Archiver("a " + archive + " \"" + temp + "\" ZEWO\\*.*").code, 0);
  std::string out = dir.path("out\\");
  MakeFolders(out + "ZEWO\\WIN\\system");
  WriteText(out + "ZEWO\\WIN\\system\\foo.ini", "changed since");

  CallResult keep = Archiver("x " + archive + " \"" + out + "\"");
  EXPECT_EQ(keep.code, 0x8011) << keep.report;
  EXPECT_EQ(ReadText(out + "ZEWO\\WIN\\system\\foo.ini"), "changed since");
  EXPECT_TRUE(FileExists(out + "ZEWO\\PRG\\readme.txt")) << "the other entries still extract";

  ASSERT_EQ(Archiver("x -y1 " + archive + " \"" + out + "\"").code, 0);
  EXPECT_EQ(ReadText(out + "ZEWO\\WIN\\system\\foo.ini"), "[a]\r\nb=1\r\n");
}

TEST_F(Commands, DirectBackupConvertsToAProgramThatRestoresEveryFileToItsOwnPath) {
  std::string game = dir.path("Games\\Foo\\");
  MakeFolders(game + "save\\slot1");
  MakeFolders(game + kSo);
  WriteText(game + "save\\a.sav", "save A");
  WriteText(game + "save\\slot1\\b.sav", "save B");
  WriteText(game + kSo + "\\" + kHyo, "sjis");
  WriteText(game + "cfg.ini", "cfg");
  MakeFolders(dir.path("ZEWOSTOR\\GameA"));
  std::string folder = dir.path("ZEWOSTOR\\GameA");
  std::string archive = folder + "\\10100905";
  // As the program sends it: two spaces, quoted paths, a doubled backslash in one.
  std::string gameDoubled = dir.path("Games\\Foo\\\\");
  CallResult pack = Archiver("a -r " + archive + "  \"" + gameDoubled + "save\\*.*\" \"" + game + "cfg.ini\" \"" + game +
                             kSo + "\\" + kHyo + "\"");
  ASSERT_EQ(pack.code, 0) << pack.report;
  CallResult convert = Archiver("s -x1 " + archive + " " + folder + "\\");
  ASSERT_EQ(convert.code, 0) << convert.report;
  ASSERT_TRUE(FileExists(archive + ".exe"));
  EXPECT_TRUE(FileExists(archive + ".LZH")) << "the program deletes the .LZH itself";

  std::vector<std::string> before = ListTree(game);
  WriteText(game + "save\\a.sav", "played on");
  DeleteFileA((game + "save\\slot1\\b.sav").c_str());
  RemoveTree(game + kSo);
  DeleteFileA((game + "cfg.ini").c_str());

  CallResult restore = Archiver("x -y1 " + archive + ".exe");
  ASSERT_EQ(restore.code, 0) << restore.report;
  EXPECT_EQ(ListTree(game), before);
  EXPECT_EQ(ReadText(game + "save\\a.sav"), "save A");
  EXPECT_EQ(ReadText(game + "save\\slot1\\b.sav"), "save B");
  EXPECT_EQ(ReadText(game + kSo + "\\" + kHyo), "sjis");
  EXPECT_EQ(ReadText(game + "cfg.ini"), "cfg");
}

TEST_F(Commands, WithoutDestinationOnlyOurSelfExtractingArchivesUseStoredPaths) {
  std::string src = dir.path("src\\");
  MakeFolders(src);
  WriteText(src + "f.txt", "x");
  std::string archive = dir.path("direct");
  ASSERT_EQ(Archiver("a " + archive + "  \"" + src + "f.txt\"").code, 0);
  DeleteFileA((src + "f.txt").c_str());
  // The plain archive and a program by another tool: refused, nothing written anywhere.
  CallResult plain = Archiver("x -y1 " + archive + ".LZH");
  EXPECT_EQ(plain.code, 0x8010) << plain.report;
  EXPECT_FALSE(FileExists(src + "f.txt"));
  CallResult foreign = Archiver("x -y1 " + Corpus("lha255e/sfx.exe"));
  EXPECT_EQ(foreign.code, 0x8010) << foreign.report;
  // With a destination the stored path is taken relative to it, drive letter as a folder.
  std::string out = dir.path("out\\");
  CallResult relative = Archiver("x -y1 " + archive + ".LZH \"" + out + "\"");
  ASSERT_EQ(relative.code, 0) << relative.report;
  std::string expected = std::string(1, src[0]) + "\\" + src.substr(3) + "f.txt";
  EXPECT_EQ(ListTree(out).back(), expected);
}

TEST_F(Commands, ArchivesByOtherToolsExtractWithADestination) {
  const char* archives[] = {"lh2_222/lh0.lzh", "lh2_222/lh5.lzh", "lh2_222/subdir.lzh", "lh2_222/sfx.exe",
                            "lha213/lh5.lzh",  "lha213/subdir.lzh", "lha213/sfx.exe",    "lha255e/lh0.lzh",
                            "lha255e/lh5.lzh", "lha255e/subdir.lzh", "lha255e/sfx.exe",  "lha_unix114i/h2_lh7.lzh"};
  for (const char* a : archives) {
    TempDir out;
    CallResult x = Archiver(std::string("x -y1 \"") + Corpus(a) + "\" \"" + out.path() + "\"");
    EXPECT_EQ(x.code, 0) << a << "\n" << x.report;
    EXPECT_FALSE(ListTree(out.path()).empty()) << a;
    EXPECT_EQ(Archiver(std::string("t ") + Corpus(a)).code, 0) << a;
  }
}

TEST_F(Commands, AddingToAnExistingArchiveKeepsItsOtherEntries) {
  std::string src = dir.path("s\\");
  MakeFolders(src);
  WriteText(src + "one.txt", "1");
  WriteText(src + "two.txt", "2");
  std::string archive = dir.path("arc.lzh");
  ASSERT_EQ(Archiver("a " + archive + " \"" + src + "\" one.txt").code, 0);
  WriteText(src + "one.txt", "1 again");
  ASSERT_EQ(Archiver("a " + archive + " \"" + src + "\" one.txt two.txt").code, 0);
  std::string out = dir.path("o\\");
  ASSERT_EQ(Archiver("x " + archive + " \"" + out + "\"").code, 0);
  EXPECT_EQ(ListTree(out), (std::vector<std::string>{"one.txt", "two.txt"}));
  EXPECT_EQ(ReadText(out + "one.txt"), "1 again");
}

TEST_F(Commands, ListingAndPatternsSelectEntries) {
  std::string temp = dir.path("temp\\");
  MakeStaging(temp);
  std::string archive = dir.path("a.lzh");
  ASSERT_EQ(Archiver("a " + archive + " \"" + temp + "\" ZEWO\\*.*").code, 0);
  std::string out = dir.path("o\\");
  ASSERT_EQ(Archiver("x " + archive + " \"" + out + "\" *.ini").code, 0);
  EXPECT_EQ(ListTree(out), (std::vector<std::string>{"ZEWO\\", "ZEWO\\PRG\\", "ZEWO\\PRG\\" + kSo + "\\",
                                                     "ZEWO\\PRG\\" + kSo + "\\" + kHyo, "ZEWO\\WIN\\",
                                                     "ZEWO\\WIN\\system\\", "ZEWO\\WIN\\system\\foo.ini"}));
  std::string flat = dir.path("flat\\");
  ASSERT_EQ(Archiver("e " + archive + " \"" + flat + "\"").code, 0);
  EXPECT_EQ(ListTree(flat), (std::vector<std::string>{"foo.ini", "readme.txt", kHyo}));
  EXPECT_EQ(Archiver("x " + archive + " \"" + out + "\" nothing*.doc").code, 0x800B);
}

}  // namespace
}  // namespace unlha_test
