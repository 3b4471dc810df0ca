#include <gtest/gtest.h>

#include "app/control_ids.h"
#include "tests/e2e/program_fixture.h"

using namespace testing_support;
namespace ids = quillet::ids;

namespace e2e {
namespace {

const std::wstring kErrorCaption = L"エラーメッセージ";
const std::wstring kNoLibrary = L"Unlha.dllが見つかりませんでした。";

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  EXPECT_EQ(start, text.size()) << "every line ends in CR LF";
  return lines;
}

using StartupTest = ProgramFixture;

TEST_F(StartupTest, WithoutCatalogueReportsTwiceAndEndsWithoutWindow) {
  Install("Quillet.exe", /*withLibrary=*/false);
  Start();
  std::vector<Box> boxes = AnswerBoxesUntilMainWindowOrExit(30000);
  EXPECT_EQ(process_.WaitExit(10000), 0u);
  EXPECT_EQ(main_, nullptr) << "the main window must never show";

  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[0].text, kNoLibrary);
  EXPECT_EQ(boxes[0].caption, L"Quillet");
  EXPECT_EQ(boxes[1].text, L"定義ファイルのディレクトリが見つかりません");
  EXPECT_EQ(boxes[1].caption, kErrorCaption);
  EXPECT_EQ(boxes[2].text, L"定義ファイルが読み込めませんでした");
  EXPECT_EQ(boxes[2].caption, kErrorCaption);

  std::vector<std::string> lines = Lines(ReadFile(dir_ + "\\_errdb.TXT"));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_NE(lines[0].find("  定義ファイルのディレクトリが見つかりません / "), std::string::npos) << lines[0];
  EXPECT_EQ(lines[0].substr(lines[0].size() - 3), " / ") << "empty detail";
  EXPECT_NE(lines[1].find("  定義ファイルが読み込めませんでした / 定義ファイルの読み込みなどに失敗"), std::string::npos)
      << lines[1];
  EXPECT_FALSE(FileExists(dir_ + "\\ZEWO.INI"));
}

TEST_F(StartupTest, CatalogueWithoutEndLoadsNothingAndEnds) {
  Install("Quillet.exe", false);
  AddDefinitionFile("OPEN.TGF", "[title]\nunclosed\n");
  Start();
  std::vector<Box> boxes = AnswerBoxesUntilMainWindowOrExit(30000);
  EXPECT_EQ(process_.WaitExit(10000), 0u);
  EXPECT_EQ(main_, nullptr);
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[1].text, L"定義ファイルが読み込めませんでした");
}

const std::vector<Def> kThree = {
    {"テキストエディタ", "APP", "", "一行目\n二行目"},
    {"表計算ソフト", "APP", "", ""},
    {"ゲームＡ", "GAM", "", ""},
};

TEST_F(StartupTest, OpensMainWindowWithEveryTitleInLoadOrder) {
  Install("Quillet.exe", false);
  AddDefinitionFile("MAIN.TGF", Catalogue(kThree));
  Start();
  std::vector<Box> boxes = AnswerBoxesUntilMainWindowOrExit(30000);
  ASSERT_NE(main_, nullptr);
  ASSERT_EQ(boxes.size(), 1u) << "only the missing library is reported";
  EXPECT_EQ(boxes[0].text, kNoLibrary);

  std::vector<std::wstring> expected = {L"テキストエディタ", L"表計算ソフト", L"ゲームＡ"};
  EXPECT_EQ(ListTexts(Control(ids::kListBox1)), expected);
  EXPECT_EQ(ListTexts(Control(ids::kListBox2)), expected);

  EXPECT_TRUE(ButtonDown(Control(ids::kSpeedButton1)));
  EXPECT_TRUE(ButtonDown(Control(ids::kSpeedButton9)));
  for (int id : {ids::kSpeedButton2, ids::kSpeedButton3, ids::kSpeedButton4, ids::kSpeedButton5,
                 ids::kSpeedButton6, ids::kSpeedButton7, ids::kSpeedButton8})
    EXPECT_FALSE(ButtonDown(Control(id))) << id;
  EXPECT_EQ(WindowText(Control(ids::kLabel1)), L" ");
  EXPECT_TRUE(IsWindowVisible(Control(ids::kListBox1))) << "the backup page opens first";
  EXPECT_FALSE(IsWindowVisible(Control(ids::kListBox2)));
  EXPECT_EQ(WindowText(main_), L"Quillet");
  RECT client;
  GetClientRect(main_, &client);
  EXPECT_EQ(client.right, 552);
  EXPECT_EQ(client.bottom, 366);

  SelectRow(Control(ids::kListBox1), 0);
  EXPECT_EQ(WindowText(Control(ids::kLabel1)), L"一行目\n二行目\n");
}

TEST_F(StartupTest, WithLibraryStartsWithoutAnyBox) {
  Install("Quillet.exe", /*withLibrary=*/true);
  if (IsSkipped()) return;
  AddDefinitionFile("MAIN.TGF", Catalogue(kThree));
  Start();
  std::vector<Box> boxes = AnswerBoxesUntilMainWindowOrExit(30000);
  ASSERT_NE(main_, nullptr);
  for (const Box& b : boxes) ADD_FAILURE() << "unexpected box: " << ToSjis(b.text);
}

TEST_F(StartupTest, MenuOpensTheAboutBoxAndTheOptionsDialogModally) {
  Install("Quillet.exe", false);
  AddDefinitionFile("MAIN.TGF", Catalogue(kThree));
  Start();
  AnswerBoxesUntilMainWindowOrExit(30000);
  ASSERT_NE(main_, nullptr);
  DWORD pid = process_.pi.dwProcessId;

  PostMessageW(main_, WM_COMMAND, MAKEWPARAM(ids::kMenuN4, 0), 0);
  HWND about = WaitForWindow(pid, L"QuilletForm", L"バージョン情報", 10000);
  ASSERT_NE(about, nullptr);
  EXPECT_FALSE(IsWindowEnabled(main_)) << "modal";
  Click(GetDlgItem(about, IDOK));
  for (int i = 0; i < 100 && IsWindowVisible(about); ++i) Sleep(20);
  EXPECT_FALSE(IsWindowVisible(about));
  EXPECT_TRUE(IsWindowEnabled(main_));

  PostMessageW(main_, WM_COMMAND, MAKEWPARAM(ids::kMenuN3, 0), 0);
  HWND options = WaitForWindow(pid, L"QuilletForm", L"各種設定", 10000);
  ASSERT_NE(options, nullptr);
  EXPECT_FALSE(IsWindowEnabled(main_));
  EXPECT_TRUE(GetWindowLongW(options, GWL_STYLE) & WS_THICKFRAME) << "sizeable border";
  Click(ChildById(options, ids::kOptButton2));
  for (int i = 0; i < 100 && IsWindowVisible(options); ++i) Sleep(20);
  EXPECT_FALSE(IsWindowVisible(options));
  EXPECT_TRUE(IsWindowEnabled(main_));
  EXPECT_FALSE(FileExists(dir_ + "\\ZEWO.INI")) << "キャンセル saves nothing";
}

TEST_F(StartupTest, LeftoverStagingAreaOfTheStoredTempFolderIsWiped) {
  Install("Quillet.exe", false);
  AddDefinitionFile("MAIN.TGF", Catalogue(kThree));
  std::string temp = dir_ + "\\tmp\\";
  std::string record(2576, '\0');
  record[0] = 1;
  record[1] = 'c';
  record.replace(8, temp.size(), temp);
  WriteFile(dir_ + "\\ZEWO.INI", record);
  CreateDirectoryA(temp.c_str(), nullptr);
  for (const char* d : {"ZEWO", "ZEWO\\WIN", "ZEWO\\WIN\\sub"}) CreateDirectoryA((temp + d).c_str(), nullptr);
  WriteFile(temp + "ZEWO\\WIN\\system.ini", "x");
  WriteFile(temp + "ZEWO\\WIN\\sub\\locked.dat", "y");
  SetFileAttributesA((temp + "ZEWO\\WIN\\sub\\locked.dat").c_str(), FILE_ATTRIBUTE_READONLY);
  WriteFile(temp + "keep.txt", "not ours");

  Start();
  AnswerBoxesUntilMainWindowOrExit(30000);
  ASSERT_NE(main_, nullptr);
  EXPECT_FALSE(FileExists(temp + "ZEWO")) << "the staging area of an earlier run is gone";
  EXPECT_TRUE(FileExists(temp + "keep.txt")) << "only the staging area is wiped";
}

// The menu's 終了 and the close box end the program alike, writing no settings.
class EndTest : public ProgramFixture, public ::testing::WithParamInterface<bool> {};

TEST_P(EndTest, EndsWithCodeZeroAndSavesNothing) {
  Install("Quillet.exe", false);
  AddDefinitionFile("MAIN.TGF", Catalogue(kThree));
  Start();
  AnswerBoxesUntilMainWindowOrExit(30000);
  ASSERT_NE(main_, nullptr);
  if (GetParam())
    PostMessageW(main_, WM_COMMAND, MAKEWPARAM(ids::kMenuExit1, 0), 0);
  else
    PostMessageW(main_, WM_CLOSE, 0, 0);
  EXPECT_EQ(process_.WaitExit(10000), 0u);
  EXPECT_FALSE(FileExists(dir_ + "\\ZEWO.INI"));
}

INSTANTIATE_TEST_SUITE_P(MenuOrCloseBox, EndTest, ::testing::Values(true, false));

}  // namespace
}  // namespace e2e
