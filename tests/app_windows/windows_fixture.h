// Creates the program's windows in the test process, in a fresh working folder
// holding the given catalogue; message boxes are recorded instead of shown.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quillet::testing_windows {

struct RecordedBox {
  std::string text, caption;
  unsigned style;
};

class WindowsFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Writes TGF\TEST.TGF (Shift-JIS, LF) and creates Form1, AboutBox and Form2 as the program does.
  void StartWith(const std::string& catalogue);
  std::string ReadWorkFile(const std::string& name) const;

  std::string dir_, oldDir_;
  std::vector<RecordedBox> boxes_;
};

}  // namespace quillet::testing_windows
