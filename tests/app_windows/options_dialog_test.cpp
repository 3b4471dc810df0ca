#include <gtest/gtest.h>

#include <cstring>
#include <thread>

#include "app/log.h"
#include "app/main_window.h"
#include "app/options_dialog.h"
#include "app/settings.h"
#include "tests/app_windows/windows_fixture.h"
#include "tests/support/window_driver.h"

namespace quillet::testing_windows {
namespace {

const char kOne[] = "[title]\none\n[end]\n";

void Press(ui::Button& b) { SendMessageA(b.Handle(), BM_CLICK, 0, 0); }

size_t LineCount(const std::string& text) {
  size_t n = 0;
  for (char c : text) n += c == '\n';
  return n;
}

using OptionsDialogTest = WindowsFixture;

TEST_F(OptionsDialogTest, OkSavesTheExactRecordThatLoadsBack) {
  StartWith(kOne);
  ASSERT_FALSE(testing_support::FileExists("ZEWO.INI")) << "nothing is written before ＯＫ";
  Form2->Edit1.SetText("C:\\QTEMP");
  Form2->CheckBox1.SetChecked(false);
  Form2->DriveComboBox1.SetDrive('z');
  Press(Form2->Button1);

  EXPECT_TRUE(boxes_.empty());
  EXPECT_EQ(Settings.logEnabled, 0);
  EXPECT_EQ(Settings.backupDrive, 'z');
  EXPECT_EQ(TempFolder(), "C:\\QTEMP\\") << "the staging area must lie inside the folder";
  EXPECT_EQ(Form2->Edit1.Text(), "C:\\QTEMP\\");
  EXPECT_EQ(Form1->DriveComboBox2.Drive(), 'z') << "saving selects the drive in the main window";

  std::string file = ReadWorkFile("ZEWO.INI");
  ASSERT_EQ(file.size(), 2576u);
  EXPECT_EQ(std::memcmp(file.data(), &Settings, sizeof Settings), 0);

  SettingsRecord saved = Settings;
  std::memset(&Settings, 0x55, sizeof Settings);
  LoadSettings();
  EXPECT_EQ(std::memcmp(&Settings, &saved, sizeof Settings), 0);
}

TEST_F(OptionsDialogTest, FinalBackslashIsAddedOnlyWhereMissing) {
  const struct {
    std::string typed, stored;
  } table[] = {
      {"C:\\TMP", "C:\\TMP\\"},
      {"C:\\TMP\\", "C:\\TMP\\"},
      {"C:", "C:\\"},
      {"C:\\", "C:\\"},
      {"", ""},
      {"D:\\ソ", "D:\\ソ\\"},  // its trail byte is 0x5C, yet no backslash
      {"D:\\表\\", "D:\\表\\"},
  };
  for (const auto& row : table) EXPECT_EQ(WithFinalBackslash(row.typed), row.stored) << row.typed;
}

TEST_F(OptionsDialogTest, TooLongFolderIsRefusedAndTheDialogStays) {
  StartWith(kOne);
  Form2->Show();
  std::string before = TempFolder();
  Form2->Edit1.SetText(std::string(2567, 'a'));  // 2568 with its backslash: no room for the zero byte
  Press(Form2->Button1);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_NE(boxes_[0].text.find("2567"), std::string::npos);
  EXPECT_EQ(TempFolder(), before);
  EXPECT_FALSE(testing_support::FileExists("ZEWO.INI"));
  EXPECT_TRUE(Form2->Visible());

  std::string longest = std::string(2566, 'a') + "\\";
  Form2->Edit1.SetText(longest);
  Press(Form2->Button1);
  EXPECT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(TempFolder(), longest);
  EXPECT_EQ(ReadWorkFile("ZEWO.INI").size(), 2576u);
}

TEST_F(OptionsDialogTest, CancelKeepsSettingsButTheEditedControls) {
  StartWith(kOne);
  SettingsRecord before = Settings;
  Form2->Edit1.SetText("E:\\ELSEWHERE\\");
  Form2->CheckBox1.SetChecked(!Form2->CheckBox1.Checked());
  Press(Form2->Button2);
  EXPECT_EQ(std::memcmp(&Settings, &before, sizeof Settings), 0);
  EXPECT_FALSE(testing_support::FileExists("ZEWO.INI"));
  EXPECT_EQ(Form2->Edit1.Text(), "E:\\ELSEWHERE\\") << "the dialog shows the edits when opened again";
}

TEST_F(OptionsDialogTest, SwitchingLoggingOffStopsTraceAtOnce) {
  StartWith(kOne);
  ASSERT_EQ(Settings.logEnabled, 1) << "first-run default";
  ASSERT_TRUE(Form2->CheckBox1.Checked());
  WriteLogEntry("trace before", kLogTrace, "x");
  EXPECT_EQ(LineCount(ReadWorkFile("_ZwLog.TXT")), 1u);

  Form2->CheckBox1.SetChecked(false);
  Press(Form2->Button1);
  WriteLogEntry("trace after", kLogTrace, "x");
  EXPECT_EQ(LineCount(ReadWorkFile("_ZwLog.TXT")), 1u);
  WriteLogEntry("error after", kLogError, "x");
  EXPECT_EQ(LineCount(ReadWorkFile("_errdb.TXT")), 1u) << "errors are still recorded";
}

TEST_F(OptionsDialogTest, StoredDriveThatIsMissingIsShownAsMissingAndKept) {
  StartWith(kOne);
  Settings.backupDrive = 'Q';  // no such drive in the test prefix
  ApplySettings(1);
  ApplySettings(2);
  EXPECT_EQ(Form2->DriveComboBox1.Drive(), 'q');
  EXPECT_EQ(Form2->DriveComboBox1.Text(), "q: [ドライブがありません]");
  EXPECT_EQ(Form1->DriveComboBox2.Drive(), 'q');
  Press(Form2->Button1);
  EXPECT_EQ(Settings.backupDrive, 'q');
  // Choosing a present drive drops the note again.
  Form2->DriveComboBox1.SetDrive('c');
  EXPECT_EQ(Form2->DriveComboBox1.Text(), "c:");
}

// Answers the shell's folder picker from another thread, as a user would.
void AnswerFolderPicker(int button) {
  HWND picker = testing_support::WaitForWindow(GetCurrentProcessId(), L"#32770", nullptr, 10000);
  ASSERT_NE(picker, nullptr);
  EXPECT_EQ(testing_support::WindowText(picker).empty(), false);
  PostMessageW(picker, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(picker, button)));
}

TEST_F(OptionsDialogTest, CancelledFolderPickerLeavesTheBox) {
  StartWith(kOne);
  Form2->Edit1.SetText("C:\\KEEP\\");
  std::thread user(AnswerFolderPicker, IDCANCEL);
  Press(Form2->Button3);
  user.join();
  EXPECT_EQ(Form2->Edit1.Text(), "C:\\KEEP\\");
}

TEST_F(OptionsDialogTest, ChosenFolderFillsTheBoxWithoutFinalBackslash) {
  StartWith(kOne);
  Form2->Edit1.SetText("C:\\KEEP\\");
  std::thread user(AnswerFolderPicker, IDOK);
  Press(Form2->Button3);
  user.join();
  std::string chosen = Form2->Edit1.Text();
  ASSERT_NE(chosen, "C:\\KEEP\\");
  ASSERT_GE(chosen.size(), 3u);
  EXPECT_EQ(chosen[1], ':');
  if (chosen.size() > 3) {
    EXPECT_NE(chosen.back(), '\\');
  }
}

}  // namespace
}  // namespace quillet::testing_windows
