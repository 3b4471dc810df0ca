// The Windows version is read for real: Wine reports the version set for the
// program's file name, so each case runs a copy of the program under its own name.
#include <gtest/gtest.h>

#include "app/control_ids.h"
#include "tests/e2e/program_fixture.h"

using namespace testing_support;
namespace ids = quillet::ids;

namespace e2e {
namespace {

struct VersionCase {
  const char* wineVersion;
  std::vector<std::wstring> listed;  // with the OS mask on
};

void PrintTo(const VersionCase& c, std::ostream* os) { *os << c.wineVersion; }

// One definition hidden on each family, one on none, one named ALL.
const std::vector<Def> kMasked = {
    {"on95", "SYS", "95", ""}, {"on98", "SYS", "98", ""}, {"onMe", "SYS", "ME", ""},
    {"on2K", "SYS", "2K", ""}, {"onXP", "SYS", "XP", ""}, {"all", "SYS", "ALL 95", ""},
    {"none", "SYS", "", ""},
};

class OsVersionTest : public ProgramFixture, public ::testing::WithParamInterface<VersionCase> {
 protected:
  void TearDown() override {
    RegDeleteKeyA(HKEY_CURRENT_USER, key_.c_str());
    ProgramFixture::TearDown();
  }
  std::string key_;
};

TEST_P(OsVersionTest, OsMaskHidesOnlyTheRunningFamily) {
  std::string exeName = std::string("QuilletOs_") + GetParam().wineVersion + ".exe";
  key_ = "Software\\Wine\\AppDefaults\\" + exeName;
  HKEY k;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr), 0);
  RegSetValueExA(k, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(GetParam().wineVersion),
                 static_cast<DWORD>(strlen(GetParam().wineVersion) + 1));
  RegCloseKey(k);

  Install(exeName, false);
  AddDefinitionFile("MASK.TGF", Catalogue(kMasked));
  Start();
  AnswerBoxesUntilMainWindowOrExit(30000);
  ASSERT_NE(main_, nullptr);
  EXPECT_EQ(ListTexts(Control(ids::kListBox1)), GetParam().listed);
  EXPECT_EQ(ListTexts(Control(ids::kListBox2)), GetParam().listed);

  // Releasing the OS-mask button lists everything.
  Click(Control(ids::kSpeedButton9));
  EXPECT_FALSE(ButtonDown(Control(ids::kSpeedButton9)));
  EXPECT_EQ(ListTexts(Control(ids::kListBox1)).size(), kMasked.size());
  Click(Control(ids::kSpeedButton9));
  EXPECT_EQ(ListTexts(Control(ids::kListBox1)), GetParam().listed);
}

INSTANTIATE_TEST_SUITE_P(
    Versions, OsVersionTest,
    ::testing::Values(VersionCase{"win95", {L"on98", L"onMe", L"on2K", L"onXP", L"all", L"none"}},
                      VersionCase{"win98", {L"on95", L"onMe", L"on2K", L"onXP", L"all", L"none"}},
                      VersionCase{"winme", {L"on95", L"on98", L"on2K", L"onXP", L"all", L"none"}},
                      VersionCase{"win2k", {L"on95", L"on98", L"onMe", L"onXP", L"all", L"none"}},
                      VersionCase{"winxp", {L"on95", L"on98", L"onMe", L"on2K", L"all", L"none"}},
                      VersionCase{"win7", {L"on95", L"on98", L"onMe", L"on2K", L"onXP", L"all", L"none"}}),
    [](const ::testing::TestParamInfo<VersionCase>& info) { return std::string(info.param.wineVersion); });

}  // namespace
}  // namespace e2e
