#include "tests/app_windows/windows_fixture.h"

#include <windows.h>

#include "app/about_box.h"
#include "app/main_window.h"
#include "app/options_dialog.h"
#include "platform/msgbox.h"
#include "tests/support/window_driver.h"

namespace quillet::testing_windows {

static void NoExit() { FAIL() << "start-up tried to end the process"; }

void WindowsFixture::SetUp() {
  char cwd[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, cwd);
  oldDir_ = cwd;
  dir_ = testing_support::MakeTempFolder("ui");
  ASSERT_FALSE(dir_.empty());
  SetCurrentDirectoryA(dir_.c_str());
  SetMessageBoxHook([this](const std::string& text, const std::string& caption, unsigned style) {
    boxes_.push_back({text, caption, style});
    return IDOK;
  });
  TerminateProcessNow = NoExit;
}

void WindowsFixture::TearDown() {
  delete Form2;
  delete AboutBox;
  delete Form1;
  Form1 = nullptr;
  AboutBox = nullptr;
  Form2 = nullptr;
  SetMessageBoxHook(nullptr);
  SetCurrentDirectoryA(oldDir_.c_str());
  testing_support::RemoveTree(dir_);
}

void WindowsFixture::StartWith(const std::string& catalogue) {
  CreateDirectoryA("TGF", nullptr);
  testing_support::WriteFile("TGF\\TEST.TGF", catalogue);
  Form1 = new TForm1;
  Form1->Create();
  ASSERT_TRUE(IsWindow(Form1->Handle())) << "no window could be created: is there a display?";
  AboutBox = new TAboutBox;
  AboutBox->Create(Form1->Handle());
  Form2 = new TForm2;
  Form2->Create(Form1->Handle());
  Form1->Show();
  // Start-up reports (the missing library, here) are the end-to-end tests' business.
  boxes_.clear();
}

std::string WindowsFixture::ReadWorkFile(const std::string& name) const {
  return testing_support::ReadFile(dir_ + "\\" + name);
}

}  // namespace quillet::testing_windows
