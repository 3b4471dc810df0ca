#include "definitions/loader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/settings.h"
#include "definitions/bak_list.h"
#include "tests/definitions/test_support.h"

namespace quillet {
namespace {

class LoaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (BakList& slot : DefinitionCatalogue) slot = BakList{};
    definitionCount = 0;
    Settings.logEnabled = 0;
  }

  // Writes a definition file and reads it at once.
  int32_t Parse(const std::string& bytes, const std::string& name = "test.TGF") {
    WriteBytes(name, bytes);
    return ParseDefinitionFile(name);
  }

  ScratchFolder scratch_;
  BoxRecorder recorder_;
};

std::string Lf(const std::vector<std::string>& lines) {
  std::string s;
  for (const std::string& line : lines) s += line + "\n";
  return s;
}

std::string CrLf(const std::vector<std::string>& lines) {
  std::string s;
  for (const std::string& line : lines) s += line + "\r\n";
  return s;
}

const std::vector<std::string> kWorkedExample = {
    "[title]",
    "Text editor settings",
    "[explain]",
    "Saves the editor settings file",
    "and its registry value.",
    "",
    "[type]",
    "APP",
    "[os]",
    "95 98 ME",
    "[rfreg]",
    "HKEY_CURRENT_USER\\Software\\Sample\\Editor",
    "DataFolder",
    "[inifnm]",
    "C:\\Sample\\editor.ini",
    "Paths",
    "Backup",
    "C:\\Sample\\Backup",
    "[file]",
    "%RG0%\\*.cfg",
    "C:\\Sample\\keys.dat",
    "%IN0%\\*.txt",
    "[svdir]",
    "Editor",
    "[switch]",
    "00a",
    "[end]",
};

TEST_F(LoaderTest, WorkedExample) {
  definitionCount = 2;
  ASSERT_EQ(Parse(CrLf(kWorkedExample)), 3);
  EXPECT_EQ(definitionCount, 3);
  EXPECT_TRUE(recorder_.boxes.empty());

  const BakList& d = DefinitionCatalogue[2];
  EXPECT_EQ(d.title, "Text editor settings");
  EXPECT_EQ(d.explanation, "Saves the editor settings file\nand its registry value.\n");
  EXPECT_EQ(d.genre, kGenreApp);
  EXPECT_EQ(d.osMask, 0x07);
  EXPECT_EQ(d.registryRefs[0][0], "HKEY_CURRENT_USER\\Software\\Sample\\Editor");
  EXPECT_EQ(d.registryRefs[0][1], "DataFolder");
  EXPECT_EQ(d.registryRefs[1][0], "");
  EXPECT_EQ(d.iniRefs[0][0], "C:\\Sample\\editor.ini");
  EXPECT_EQ(d.iniRefs[0][1], "Paths");
  EXPECT_EQ(d.iniRefs[0][2], "Backup");
  EXPECT_EQ(d.iniRefs[0][3], "C:\\Sample\\Backup");
  EXPECT_EQ(d.refGroupCount, 0);
  EXPECT_EQ(d.fileList, "[%RG0%\\*.cfg] [%NNL%C:\\Sample\\keys.dat] [%IN0%\\*.txt]");
  EXPECT_EQ(d.saveFolder, "Editor");
  EXPECT_EQ(d.archiverSwitch, "00a");
  EXPECT_EQ(d.registryKey, "");
  EXPECT_EQ(d.contentFlags, 0x17);
  // Neither neighbour is touched.
  EXPECT_EQ(DefinitionCatalogue[1].title, "");
  EXPECT_EQ(DefinitionCatalogue[3].title, "");
}

TEST_F(LoaderTest, LineEndsCarriageReturnsAndCtrlZ) {
  ASSERT_EQ(Parse(Lf(kWorkedExample), "lf.TGF"), 1);
  // Every CR goes, also one inside a line; nothing after a Ctrl-Z is read.
  std::string crlf = CrLf(kWorkedExample);
  crlf.replace(crlf.find("Editor\r\n[switch]"), 6, "Edi\rtor");
  ASSERT_EQ(Parse(crlf + "\x1a" + "[title]\r\nhidden\r\n[end]\r\n", "crlf.TGF"), 2);

  const BakList& a = DefinitionCatalogue[0];
  const BakList& b = DefinitionCatalogue[1];
  EXPECT_EQ(a.title, b.title);
  EXPECT_EQ(a.explanation, b.explanation);
  EXPECT_EQ(a.fileList, b.fileList);
  EXPECT_EQ(a.saveFolder, b.saveFolder);
  EXPECT_EQ(a.archiverSwitch, b.archiverSwitch);
  EXPECT_EQ(a.iniRefs[0][3], b.iniRefs[0][3]);
  EXPECT_EQ(a.contentFlags, b.contentFlags);
  EXPECT_EQ(DefinitionCatalogue[2].title, "");

  // A Ctrl-Z inside a line ends it there, without a line feed.
  ASSERT_EQ(Parse("[title]\nAB\x1a" "CD\n[end]\n", "ctrlz.TGF"), 2);
  EXPECT_EQ(DefinitionCatalogue[2].title, "AB");
}

TEST_F(LoaderTest, MarkersMatchTheirPrefixesInOrder) {
  ASSERT_EQ(Parse(Lf({
                "before any marker",
                "[title] trailing text is ignored",
                "First title",
                "second line after title is ignored",
                "[explain",  // too short for [explain]: no marker
                "[explain] extra",
                "E1",
                "[Title]",  // other case: no marker, explanation goes on
                "E2",
                "   ",  // only blanks: a content line
                "[ending]",
                "between definitions",
                "[titles]",
                "Second",
                "[file]",
                "a.txt",
                "[b.txt]",  // a path line opening with [ is a marker line
                "c.txt",
                "[svdirectory]",
                "Dir",
                "[typeX]",
                "SEL",
                "[end]",
            })),
            2);
  EXPECT_TRUE(recorder_.boxes.empty());
  const BakList& a = DefinitionCatalogue[0];
  EXPECT_EQ(a.title, "First title");
  EXPECT_EQ(a.explanation, "E1\nE2\n   \n");
  const BakList& b = DefinitionCatalogue[1];
  EXPECT_EQ(b.title, "Second");
  EXPECT_EQ(b.fileList, "[%NNL%a.txt] [%NNL%c.txt]");
  EXPECT_EQ(b.saveFolder, "Dir");
  EXPECT_EQ(b.genre, kGenreUser);
  EXPECT_EQ(b.contentFlags, kHasFileList | kFlagTypeOrIni);
}

TEST_F(LoaderTest, RepeatedSectionsOverwrite) {
  ASSERT_EQ(Parse(Lf({"[explain]", "old", "[file]", "%WIN%\\old.ini", "[switch]", "00a", "10a",
                      "[explain]", "new", "[file]", "%WIN%\\new.ini", "[end]"})),
            1);
  const BakList& d = DefinitionCatalogue[0];
  EXPECT_EQ(d.explanation, "new\n");
  EXPECT_EQ(d.fileList, "[%WIN%\\new.ini]");
  EXPECT_EQ(d.archiverSwitch, "10a");
}

TEST_F(LoaderTest, OsLines) {
  struct Case {
    std::vector<std::string> lines;
    int32_t mask;
  };
  const Case cases[] = {
      {{"95", "XP"}, kOsXp},  // each line on its own: the last wins
      {{"ALL 95"}, 0},
      {{"95 98 ME"}, 0x07},
      {{"Win2K/XP"}, kOs2000 | kOsXp},
      {{"xp me"}, 0},
      {{"ギE"}, 0},   // 'M' here is a trail byte
      {{"スP"}, 0},   // and so is 'X'
      {{"ギME"}, kOsMe},
  };
  std::string file;
  for (const Case& c : cases) {
    file += "[os]\n";
    for (const std::string& line : c.lines) file += line + "\n";
    file += "[end]\n";
  }
  ASSERT_EQ(Parse(file), static_cast<int32_t>(std::size(cases)));
  for (size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(DefinitionCatalogue[i].osMask, cases[i].mask) << "case " << i;
}

TEST_F(LoaderTest, TypeLines) {
  struct Case {
    std::vector<std::string> lines;
    int32_t genre;
    std::vector<std::string> reported;  // details of the genre message, in order
  };
  const Case cases[] = {
      {{"SYS"}, kGenreSys, {}},
      {{"APPLICATION"}, kGenreApp, {}},
      {{"GAM"}, kGenreGame, {}},
      {{"AGE"}, kGenreAdult, {}},
      {{"DSF"}, kGenreDoujin, {}},
      {{"ETC"}, kGenreEtc, {}},
      {{"SEL"}, kGenreUser, {}},
      {{"app"}, 0, {"app\n"}},
      {{"AP"}, 0, {"AP\n"}},
      {{"GAM", "foo"}, kGenreGame, {"foo\n"}},  // the last matching line wins
      {{"foo", "ETC"}, kGenreEtc, {"foo\n"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lines.front());
    recorder_.boxes.clear();
    std::vector<std::string> lines = {"[type]"};
    lines.insert(lines.end(), c.lines.begin(), c.lines.end());
    lines.push_back("[end]");
    int32_t slot = definitionCount;
    ASSERT_EQ(Parse(Lf(lines)), slot + 1);
    EXPECT_EQ(DefinitionCatalogue[slot].genre, c.genre);
    EXPECT_EQ(DefinitionCatalogue[slot].contentFlags, kFlagTypeOrIni);
    std::vector<RecordedBox> expected;
    for (size_t i = 0; i < c.reported.size(); ++i) expected.push_back(ErrorBox("ジャンルが一致しません"));
    EXPECT_EQ(recorder_.boxes, expected);
  }
  // The detail is the line as read, line feed included.
  std::string errors = ReadBytes("_errdb.TXT");
  EXPECT_NE(errors.find("ジャンルが一致しません / app\r\n\r\n"), std::string::npos);
}

TEST_F(LoaderTest, ThreeRegistryLinesLeaveTheSecondGroupHalfFilled) {
  ASSERT_EQ(Parse(Lf({"[rfreg]", "HKEY_CURRENT_USER\\A", "v0", "HKEY_CURRENT_USER\\B", "[end]"})), 1);
  const BakList& d = DefinitionCatalogue[0];
  EXPECT_EQ(d.registryRefs[0][0], "HKEY_CURRENT_USER\\A");
  EXPECT_EQ(d.registryRefs[0][1], "v0");
  EXPECT_EQ(d.registryRefs[1][0], "HKEY_CURRENT_USER\\B");
  EXPECT_EQ(d.registryRefs[1][1], "");
  EXPECT_EQ(d.refGroupCount, 0);
  EXPECT_EQ(d.contentFlags, kFlagRegistry);
}

struct RefSection {
  const char* marker;
  size_t entries;
  const char* tooMany;
};

class ReferenceGroupLimits : public LoaderTest, public ::testing::WithParamInterface<RefSection> {
 protected:
  const Text& Entry(int32_t slot, int group, size_t entry) {
    BakList& d = DefinitionCatalogue[slot];
    return GetParam().entries == 2 ? d.registryRefs[group][entry] : d.iniRefs[group][entry];
  }
  std::string Groups(int count, const std::string& tag) {
    std::string s = std::string(GetParam().marker) + "\n";
    for (int g = 0; g < count; ++g)
      for (size_t e = 0; e < GetParam().entries; ++e)
        s += tag + std::to_string(g) + "." + std::to_string(e) + "\n";
    return s;
  }
};

TEST_P(ReferenceGroupLimits, TenGroupsFitAndEachFurtherOneIsReported) {
  definitionCount = 0x2A;
  ASSERT_EQ(Parse(Groups(10, "a") + "[end]\n" + Groups(12, "b") + "[end]\n"), 0x2C);

  // Ten groups: all stored, nothing said.
  EXPECT_EQ(Entry(0x2A, 9, GetParam().entries - 1), "a9." + std::to_string(GetParam().entries - 1));
  EXPECT_EQ(DefinitionCatalogue[0x2A].refGroupCount, 9);

  // Twelve: the two extra groups are dropped and reported once each, with the slot.
  for (size_t e = 0; e < GetParam().entries; ++e)
    EXPECT_EQ(Entry(0x2B, 9, e), "b9." + std::to_string(e));
  EXPECT_EQ(DefinitionCatalogue[0x2B].refGroupCount, 9);
  EXPECT_EQ(recorder_.boxes, std::vector<RecordedBox>(2, ErrorBox(GetParam().tooMany)));
  std::string errors = ReadBytes("_errdb.TXT");
  EXPECT_NE(errors.find(std::string(GetParam().tooMany) + " / 002B\r\n"), std::string::npos);
}

TEST_P(ReferenceGroupLimits, AnIncompleteEleventhGroupIsNotReported) {
  std::string file = Groups(10, "a") + "x\n";
  ASSERT_EQ(Parse(file + "[end]\n"), 1);
  EXPECT_TRUE(recorder_.boxes.empty());
}

TEST_P(ReferenceGroupLimits, TheMarkerStartsAgainAtGroupZero) {
  ASSERT_EQ(Parse(Groups(2, "a") + Groups(1, "b") + "[end]\n"), 1);
  EXPECT_EQ(Entry(0, 0, 0), "b0.0");
  EXPECT_EQ(Entry(0, 1, 0), "a1.0");
  EXPECT_EQ(DefinitionCatalogue[0].refGroupCount, 0);
}

INSTANTIATE_TEST_SUITE_P(Sections, ReferenceGroupLimits,
                         ::testing::Values(RefSection{"[rfreg]", 2, "レジストリ参照数が多すぎます"},
                                           RefSection{"[inifnm]", 4, "INIファイルへの参照数が多すぎます"}));

TEST_F(LoaderTest, LongLinesArriveIn511BytePieces) {
  std::string line600(599, 'x');
  for (size_t i = 0; i < line600.size(); ++i) line600[i] = static_cast<char>('a' + i % 26);
  std::string huge(100000, 'h');
  ASSERT_EQ(Parse(Lf({"[explain]", line600, huge, "[file]", line600, "[title]", line600, "[end]",
                      "[title]" + huge, "[end]"})),
            2);
  const BakList& d = DefinitionCatalogue[0];
  EXPECT_EQ(d.explanation, line600 + "\n" + huge + "\n");
  EXPECT_EQ(d.fileList, "[%NNL%" + line600.substr(0, 511) + "] [%NNL%" + line600.substr(511) + "]");
  EXPECT_EQ(d.title, line600.substr(0, 511));
  // Only the first piece of a long marker line is the marker; the next is the title.
  EXPECT_EQ(DefinitionCatalogue[1].title, huge.substr(0, 511));
}

TEST_F(LoaderTest, ZeroBytesEndTheLine) {
  const char bytes[] = "[title]\nAB\0CD\n[svdir]\n\0\n[end]\n";
  ASSERT_EQ(Parse(std::string(bytes, sizeof bytes - 1)), 1);
  EXPECT_EQ(DefinitionCatalogue[0].title, "AB");
  EXPECT_EQ(DefinitionCatalogue[0].saveFolder, "");
}

TEST_F(LoaderTest, BinaryBytesLoadWithoutHarm) {
  // Random bytes with markers mixed in: whatever loads stays inside the catalogue.
  uint32_t seed = 12345;
  auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
  const char* markers[] = {"[title]\n", "[rfreg]\n", "[inifnm]\n", "[file]\n", "[end]\n", "[explain]\n"};
  std::string bytes;
  while (bytes.size() < 200000) {
    if (next() % 8 == 0) bytes += markers[(next() >> 8) % std::size(markers)];
    for (int i = 0, n = static_cast<int>((next() >> 8) % 700); i < n; ++i) {
      char c = static_cast<char>(next() >> 16);
      bytes += c == '\x1a' ? '\n' : c;  // keep reading to the end
    }
  }
  int32_t count = Parse(bytes);
  ASSERT_GE(count, 0);
  EXPECT_EQ(count, definitionCount);
  EXPECT_LT(count, kDefinitionLimit);
}

TEST_F(LoaderTest, AnUnclosedDefinitionRunsIntoTheNextFile) {
  ASSERT_EQ(Parse(Lf({"[title]", "Open", "[svdir]", "OpenDir", "[type]", "GAM"}), "a.TGF"), 0);
  ASSERT_EQ(Parse(Lf({"[title]", "Closed", "[end]"}), "b.TGF"), 1);
  const BakList& d = DefinitionCatalogue[0];
  EXPECT_EQ(d.title, "Closed");
  EXPECT_EQ(d.saveFolder, "OpenDir");
  EXPECT_EQ(d.genre, kGenreGame);
  EXPECT_EQ(d.contentFlags, 0);  // cleared when the second file starts on the slot
}

TEST_F(LoaderTest, TheCatalogueHolds798Definitions) {
  std::string file;
  for (int i = 0; i < 798; ++i) file += "[title]\nT" + std::to_string(i) + "\n[end]\n";
  ASSERT_EQ(Parse(file), 798);
  EXPECT_EQ(DefinitionCatalogue[797].title, "T797");
  EXPECT_TRUE(recorder_.boxes.empty());
}

TEST_F(LoaderTest, The799thEndFailsTheLoad) {
  std::string file;
  for (int i = 0; i < 799; ++i) file += "[title]\nT" + std::to_string(i) + "\n[end]\n";
  file += "[title]\nnever read\n[end]\n";
  definitionCount = 0;
  EXPECT_EQ(Parse(file), -1);
  EXPECT_EQ(definitionCount, 0);  // as before the file
  EXPECT_EQ(recorder_.boxes, std::vector<RecordedBox>{ErrorBox("定義数が最大値に達しました")});
  EXPECT_NE(ReadBytes("_errdb.TXT").find("定義数が最大値に達しました / 031F\r\n"), std::string::npos);
  EXPECT_EQ(DefinitionCatalogue[799].title, "");
}

TEST_F(LoaderTest, CopyLine) {
  struct Case {
    std::string source, copied;
  };
  const Case cases[] = {
      {"abc\ndef", "abc"},
      {"abc", "abc"},
      {"", ""},
      {"\nabc\nx", "\nabc"},  // the search for the line feed starts after the first byte
      {std::string(700, 'q'), std::string(511, 'q')},
  };
  for (const Case& c : cases) {
    char destination[512];
    std::fill(std::begin(destination), std::end(destination), '#');
    CopyLine(destination, c.source.c_str());
    EXPECT_EQ(std::string(destination), c.copied);
  }
}

class LoadDefinitionsTest : public LoaderTest {};

TEST_F(LoadDefinitionsTest, ReadsEveryFileOfTheFolder) {
  CreateDirectoryA("TGF", nullptr);
  WriteBytes("TGF\\one.TGF", "[title]\nA\n[end]\n[title]\nB\n[end]\n");
  WriteBytes("TGF\\two.tgf", "[title]\nC\n[end]\n");
  WriteBytes("TGF\\notes.txt", "[title]\nD\n[end]\n");
  EXPECT_EQ(LoadDefinitions(), 3);
  EXPECT_EQ(definitionCount, 3);
  EXPECT_TRUE(recorder_.boxes.empty());
}

TEST_F(LoadDefinitionsTest, FilesWithoutAnEndLoadNothing) {
  CreateDirectoryA("TGF", nullptr);
  WriteBytes("TGF\\a.TGF", "[title]\nA\n[file]\nx\n");
  WriteBytes("TGF\\b.TGF", "");
  EXPECT_EQ(LoadDefinitions(), 0);
  EXPECT_TRUE(recorder_.boxes.empty());
}

TEST_F(LoadDefinitionsTest, FailuresAreReported) {
  struct Case {
    const char* what;
    void (*prepare)();
    const char* message;
    const char* detail;
  };
  const Case cases[] = {
      {"no folder", [] {}, "定義ファイルのディレクトリが見つかりません", ""},
      {"TGF is a file", [] { WriteBytes("TGF", "x"); }, "定義ファイルのディレクトリが見つかりません", ""},
      {"no definition file",
       [] {
         CreateDirectoryA("TGF", nullptr);
         WriteBytes("TGF\\a.txt", "[end]\n");
       },
       "定義ファイルが見つかりません", "TGF\\*.TGF"},
      {"a .TGF that is a folder",
       [] {
         CreateDirectoryA("TGF", nullptr);
         CreateDirectoryA("TGF\\dir.TGF", nullptr);
       },
       "定義ファイルのが開けません", "TGF\\dir.TGF"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ScratchFolder folder;
    BoxRecorder recorder;
    c.prepare();
    EXPECT_EQ(LoadDefinitions(), -1);
    EXPECT_EQ(recorder.boxes, std::vector<RecordedBox>{ErrorBox(c.message)});
    EXPECT_NE(ReadBytes("_errdb.TXT").find(std::string(c.message) + " / " + c.detail + "\r\n"),
              std::string::npos);
  }
}

TEST_F(LoadDefinitionsTest, The799thDefinitionAcrossFilesFailsTheLoad) {
  CreateDirectoryA("TGF", nullptr);
  std::string first, second;
  for (int i = 0; i < 700; ++i) first += "[end]\n";
  for (int i = 0; i < 99; ++i) second += "[end]\n";
  WriteBytes("TGF\\first.TGF", first);
  WriteBytes("TGF\\second.TGF", second);
  EXPECT_EQ(LoadDefinitions(), -1);
  EXPECT_EQ(recorder_.boxes, std::vector<RecordedBox>{ErrorBox("定義数が最大値に達しました")});
  EXPECT_LE(definitionCount, 700);
}

}  // namespace
}  // namespace quillet
