#include <gtest/gtest.h>

#include "app/browser.h"
#include "app/main_window.h"
#include "definitions/bak_list.h"
#include "tests/app_windows/windows_fixture.h"

namespace quillet::testing_windows {
namespace {

// Load order is the order of this text.
const char kCatalogue[] =
    "[title]\nsys1\n[type]\nSYS\n[end]\n"
    "[title]\napp1\n[type]\nAPP\n[explain]\napp one\nsecond line\n[end]\n"
    "[title]\ngame1\n[type]\nGAM\n[end]\n"
    "[title]\nnogenre\n[explain]\nno category\n[end]\n"
    "[title]\ngame2xp\n[type]\nGAM\n[os]\nXP\n[end]\n"
    "[title]\nsys2\n[type]\nSYS\n[os]\n95 98\n[end]\n"
    "[title]\netc1\n[type]\nETC\n[end]\n"
    "[title]\nuser1\n[type]\nSEL\n[end]\n"
    "[title]\nadult1\n[type]\nAGE\n[end]\n"
    "[title]\ndoujin1\n[type]\nDSF\n[end]\n"
    "[title]\napp2all\n[type]\nAPP\n[os]\nALL\n[end]\n";

// Category buttons by index: ALL SYS APP GAME 18禁 同人 ETC USER.
enum { kAll = 1 << 0, kSys = 1 << 1, kApp = 1 << 2, kGame = 1 << 3, kAdult = 1 << 4, kDoujin = 1 << 5,
       kEtc = 1 << 6, kUser = 1 << 7 };

struct FilterCase {
  const char* name;
  int pressed;  // category buttons to have down
  bool osMask;
  std::vector<std::string> listed;
};

std::vector<std::string> Rows(const ui::ListBox& list) {
  std::vector<std::string> rows;
  for (int i = 0; i < list.Count(); ++i) rows.push_back(list.Item(i));
  return rows;
}

void SetDown(ui::SpeedButton& b, bool down) {
  if (b.Down() != down) SendMessageA(b.Handle(), BM_CLICK, 0, 0);
  ASSERT_EQ(b.Down(), down);
}

using BrowserTest = WindowsFixture;

TEST_F(BrowserTest, FiltersThroughTheRealButtonsOnXp) {
  StartWith(kCatalogue);
  ASSERT_EQ(definitionCount, 11);
  OsKind = 5;  // Windows XP; the real detection is covered by running the program under each version.

  const FilterCase cases[] = {
      {"ALL", kAll, true,
       {"sys1", "app1", "game1", "nogenre", "sys2", "etc1", "user1", "adult1", "doujin1", "app2all"}},
      {"none", 0, true, {"nogenre"}},
      {"SYS+GAME", kSys | kGame, true, {"sys1", "game1", "nogenre", "sys2"}},
      {"SYS+GAME, mask off", kSys | kGame, false, {"sys1", "game1", "nogenre", "game2xp", "sys2"}},
      {"ALL+SYS, mask off", kAll | kSys, false,
       {"sys1", "app1", "game1", "nogenre", "game2xp", "sys2", "etc1", "user1", "adult1", "doujin1", "app2all"}},
      {"APP", kApp, true, {"app1", "nogenre", "app2all"}},
      {"18禁", kAdult, true, {"nogenre", "adult1"}},
      {"同人", kDoujin, true, {"nogenre", "doujin1"}},
      {"ETC", kEtc, true, {"nogenre", "etc1"}},
      {"USER", kUser, true, {"nogenre", "user1"}},
      {"none, mask off", 0, false, {"nogenre"}},
  };
  for (const FilterCase& c : cases) {
    SCOPED_TRACE(c.name);
    // Leave a selection, an explanation and an archive row for the rebuild to clear.
    Form1->ListBox1.SetItemIndex(0);
    Form1->Label1.SetText("stale");
    Form1->ListBox3.Add("stale.lzh");
    SetDown(Form1->SpeedButton9, c.osMask);
    for (int k = 0; k < 8; ++k) SetDown(Form1->CategoryButton(k), (c.pressed >> k) & 1);
    // A click on a button already in the wanted state must still rebuild.
    SendMessageA(Form1->SpeedButton9.Handle(), BM_CLICK, 0, 0);
    SendMessageA(Form1->SpeedButton9.Handle(), BM_CLICK, 0, 0);

    EXPECT_EQ(CategoryFilter, c.pressed);
    EXPECT_EQ(osMaskSwitch, c.osMask ? 1 : 0);
    EXPECT_EQ(Rows(Form1->ListBox1), c.listed);
    EXPECT_EQ(Rows(Form1->ListBox2), c.listed);
    EXPECT_EQ(Form1->ListBox1.ItemIndex(), -1);
    EXPECT_EQ(Form1->ListBox2.ItemIndex(), -1);
    EXPECT_EQ(Form1->ListBox3.Count(), 0);
    EXPECT_EQ(Form1->Label1.Text(), " ");
    for (int r = 0; r < Form1->ListBox1.Count(); ++r)
      EXPECT_EQ(DefinitionCatalogue[rowMap[r]].title, Form1->ListBox1.Item(r)) << "row " << r;
  }
}

TEST_F(BrowserTest, OsKindZeroHidesNothing) {
  StartWith(kCatalogue);
  OsKind = 0;
  RefreshDefinitionList();
  EXPECT_EQ(Form1->ListBox1.Count(), 11);
}

TEST_F(BrowserTest, IsHiddenByOsMaskTestsOneBitPerVersion) {
  osMaskSwitch = 1;
  for (int kind = 1; kind <= 5; ++kind) {
    OsKind = kind;
    for (int bit = 0; bit < 5; ++bit)
      EXPECT_EQ(IsHiddenByOsMask(1 << bit), bit == kind - 1 ? 1 : 0) << kind << " " << bit;
    EXPECT_EQ(IsHiddenByOsMask(0x1F), 1);
    EXPECT_EQ(IsHiddenByOsMask(0), 0);
  }
  osMaskSwitch = 0;
  EXPECT_EQ(IsHiddenByOsMask(0x1F), 0);
}

TEST_F(BrowserTest, VersionNumbersGiveTheOsKind) {
  struct V {
    uint32_t major, minor;
    int32_t kind;
  } table[] = {{4, 0, 1}, {4, 7, 1}, {4, 8, 2}, {4, 10, 2}, {4, 11, 3}, {4, 90, 3}, {5, 0, 4},
               {5, 1, 5}, {5, 2, 0}, {6, 1, 0}, {3, 51, 0}, {10, 0, 0}};
  for (const V& v : table) EXPECT_EQ(OsKindOfVersion(v.major, v.minor), v.kind) << v.major << "." << v.minor;
}

TEST_F(BrowserTest, ClickShowsTheExplanationOfTheClickedRow) {
  StartWith(kCatalogue);
  OsKind = 5;
  SendMessageA(Form1->SpeedButton1.Handle(), BM_CLICK, 0, 0);  // ALL up: app1 is row 0 under APP
  SendMessageA(Form1->SpeedButton7.Handle(), BM_CLICK, 0, 0);
  ASSERT_EQ(Form1->ListBox1.Item(0), "app1");

  auto click = [](int row) {
    Form1->ListBox1.SetItemIndex(row);
    SendMessageA(GetParent(Form1->ListBox1.Handle()), WM_COMMAND,
                 MAKEWPARAM(GetDlgCtrlID(Form1->ListBox1.Handle()), LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(Form1->ListBox1.Handle()));
  };
  click(0);
  EXPECT_EQ(Form1->Label1.Text(), "app one\nsecond line\n");
  click(1);
  EXPECT_EQ(Form1->Label1.Text(), "no category\n");
  // A click that selects nothing must not look up row -1.
  click(-1);
  EXPECT_EQ(Form1->Label1.Text(), "no category\n");
}

TEST_F(BrowserTest, EmptyListClickIsHarmless) {
  StartWith(kCatalogue);
  OsKind = 5;
  SendMessageA(Form1->SpeedButton1.Handle(), BM_CLICK, 0, 0);
  SendMessageA(Form1->SpeedButton9.Handle(), BM_CLICK, 0, 0);
  // No button pressed and only well-formed categories except "nogenre": one row.
  ASSERT_EQ(Form1->ListBox1.Count(), 1);
  Form1->ListBox1.Clear();
  SendMessageA(GetParent(Form1->ListBox1.Handle()), WM_COMMAND,
               MAKEWPARAM(GetDlgCtrlID(Form1->ListBox1.Handle()), LBN_SELCHANGE),
               reinterpret_cast<LPARAM>(Form1->ListBox1.Handle()));
  EXPECT_EQ(Form1->Label1.Text(), " ");
}

}  // namespace
}  // namespace quillet::testing_windows
