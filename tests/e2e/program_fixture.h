// A working folder with a copy of the program (under a name of the test's
// choosing), optionally the archiver library, and a catalogue.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/window_driver.h"

namespace e2e {

struct Box {
  std::wstring caption, text;
};

class ProgramFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Copies the program in as exeName; with withLibrary, the archiver library beside it.
  void Install(const std::string& exeName, bool withLibrary);
  // Writes TGF\<name> from Shift-JIS text with CR LF line ends.
  void AddDefinitionFile(const std::string& name, const std::string& text);
  void Start();
  // Answers every message box until the main window shows or the process ends;
  // returns the boxes in the order they came.
  std::vector<Box> AnswerBoxesUntilMainWindowOrExit(DWORD ms);
  HWND Control(int id) const { return testing_support::ChildById(main_, id); }

  std::string dir_, exe_;
  testing_support::Launched process_;
  HWND main_ = nullptr;
};

// A definition file's text: one definition per (title, genre keyword, os line).
struct Def {
  std::string title, type, os, explain;
};
std::string Catalogue(const std::vector<Def>& defs);

}  // namespace e2e
