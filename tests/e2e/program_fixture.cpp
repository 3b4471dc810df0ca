#include "tests/e2e/program_fixture.h"

using namespace testing_support;

namespace e2e {

void ProgramFixture::SetUp() { dir_ = MakeTempFolder("e2e"); }

void ProgramFixture::TearDown() {
  if (process_.ok && process_.WaitExit(0) == STILL_ACTIVE) {
    if (main_) PostMessageW(main_, WM_CLOSE, 0, 0);
    process_.WaitExit(5000);
  }
  RemoveTree(dir_);
}

void ProgramFixture::Install(const std::string& exeName, bool withLibrary) {
  exe_ = dir_ + "\\" + exeName;
  ASSERT_TRUE(CopyFileA(QUILLET_EXE, exe_.c_str(), FALSE)) << QUILLET_EXE;
  if (withLibrary) {
    std::string dll = QUILLET_DLL;
    if (dll.empty()) GTEST_SKIP() << "the archiver library is not part of this build";
    ASSERT_TRUE(CopyFileA(dll.c_str(), (dir_ + "\\Unlha32.dll").c_str(), FALSE));
  }
}

void ProgramFixture::AddDefinitionFile(const std::string& name, const std::string& text) {
  CreateDirectoryA((dir_ + "\\TGF").c_str(), nullptr);
  std::string crlf;
  for (char c : text) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  WriteFile(dir_ + "\\TGF\\" + name, crlf);
}

void ProgramFixture::Start() {
  Launch(process_, exe_, dir_);
  ASSERT_TRUE(process_.ok);
}

std::vector<Box> ProgramFixture::AnswerBoxesUntilMainWindowOrExit(DWORD ms) {
  std::vector<Box> boxes;
  DWORD start = GetTickCount();
  while (GetTickCount() - start < ms) {
    if (HWND box = WaitForMessageBox(process_.pi.dwProcessId, 100)) {
      boxes.push_back({WindowText(box), MessageBoxText(box)});
      DismissMessageBox(box);
      continue;
    }
    main_ = WaitForWindow(process_.pi.dwProcessId, L"QuilletForm", L"Quillet", 0);
    if (main_ || process_.WaitExit(0) != STILL_ACTIVE) break;
  }
  return boxes;
}

std::string Catalogue(const std::vector<Def>& defs) {
  std::string text;
  for (const Def& d : defs) {
    text += "[title]\n" + d.title + "\n";
    if (!d.explain.empty()) text += "[explain]\n" + d.explain + "\n";
    if (!d.type.empty()) text += "[type]\n" + d.type + "\n";
    if (!d.os.empty()) text += "[os]\n" + d.os + "\n";
    text += "[svdir]\nSave\n[switch]\n00a\n[end]\n";
  }
  return text;
}

}  // namespace e2e
