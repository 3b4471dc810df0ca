// The self-extracting program, run as a user runs it: asked, answered, reported.
#include <gtest/gtest.h>

#include <string>

#include "tests/unlha32/dll_support.h"

namespace unlha_test {
namespace {

const wchar_t kCaption[] = L"自己解凍 - バックアップの復元";

class Sfx : public ::testing::Test {
 protected:
  void SetUp() override {
    game = dir.path("Game\\");
    MakeFolders(game + "save");
    WriteText(game + "save\\a.sav", "A");
    WriteText(game + "save\\b.sav", "B");
    std::string store = dir.path("store");
    MakeFolders(store);
    ASSERT_EQ(Archiver("a " + store + "\\10100905  \"" + game + "save\\*.*\"").code, 0);
    ASSERT_EQ(Archiver("s -x1 " + store + "\\10100905 " + store + "\\").code, 0);
    program = store + "\\10100905.exe";
    WriteText(game + "save\\a.sav", "changed");
    DeleteFileA((game + "save\\b.sav").c_str());
  }

  // Starts the program; returns its process handle and keeps its id for WaitForBox.
  HANDLE Start(const std::string& args) {
    std::string cmd = "\"" + program + "\"" + args;
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return nullptr;
    CloseHandle(pi.hThread);
    pid = pi.dwProcessId;
    return pi.hProcess;
  }

  static DWORD Finish(HANDLE process) {
    WaitForSingleObject(process, 60000);
    DWORD code = 0xFFFFFFFF;
    GetExitCodeProcess(process, &code);
    CloseHandle(process);
    return code;
  }

  struct Search {
    DWORD pid;
    HWND found;
  };
  static BOOL CALLBACK Match(HWND w, LPARAM p) {
    Search* s = reinterpret_cast<Search*>(p);
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    wchar_t cls[16] = L"", caption[64] = L"";
    GetClassNameW(w, cls, 16);
    GetWindowTextW(w, caption, 64);
    if (owner == s->pid && std::wstring(cls) == L"#32770" && std::wstring(caption) == kCaption) {
      s->found = w;
      return FALSE;
    }
    return TRUE;
  }

  // Our program's message box once it shows (tests may run side by side), and its text.
  HWND WaitForBox(std::wstring& text) {
    for (int i = 0; i < 300; ++i) {
      Search s = {pid, nullptr};
      EnumWindows(Match, reinterpret_cast<LPARAM>(&s));
      HWND box = s.found;
      if (box) {
        wchar_t buf[4096] = L"";
        GetDlgItemTextW(box, 0xFFFF, buf, 4096);  // the message text of a message box
        text = buf;
        if (!text.empty()) return box;
      }
      Sleep(100);
    }
    return nullptr;
  }

  TempDir dir;
  std::string game, program;
  DWORD pid = 0;
};

TEST_F(Sfx, UnattendedRunRestoresToTheStoredPaths) {
  HANDLE p = Start(" /y");
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(Finish(p), 0u);
  EXPECT_EQ(ReadText(game + "save\\a.sav"), "A");
  EXPECT_EQ(ReadText(game + "save\\b.sav"), "B");
}

TEST_F(Sfx, AsksWithTheTargetsRestoresWhenToldYesAndSaysHowItWent) {
  HANDLE p = Start("");
  ASSERT_NE(p, nullptr);
  std::wstring question;
  HWND box = WaitForBox(question);
  ASSERT_NE(box, nullptr) << "no question shown";
  EXPECT_NE(question.find(L"よろしいですか"), std::wstring::npos);
  EXPECT_NE(question.find(L"\\save\\b.sav"), std::wstring::npos) << "the question names where files go";
  EXPECT_EQ(ReadText(game + "save\\a.sav"), "changed") << "nothing happens before the answer";
  PostMessageW(box, WM_COMMAND, IDYES, 0);
  std::wstring report;
  HWND done = nullptr;
  for (int i = 0; i < 50 && (!done || report.find(L"よろしいですか") != std::wstring::npos); ++i) {
    Sleep(100);
    done = WaitForBox(report);  // the question may still be closing
  }
  ASSERT_NE(done, nullptr);
  EXPECT_NE(report.find(L"2 個のファイルを復元しました"), std::wstring::npos);
  PostMessageW(done, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(Finish(p), 0u);
  EXPECT_EQ(ReadText(game + "save\\a.sav"), "A");
  EXPECT_EQ(ReadText(game + "save\\b.sav"), "B");
}

TEST_F(Sfx, AnsweringNoChangesNothing) {
  HANDLE p = Start("");
  ASSERT_NE(p, nullptr);
  std::wstring question;
  HWND box = WaitForBox(question);
  ASSERT_NE(box, nullptr);
  PostMessageW(box, WM_COMMAND, IDNO, 0);
  EXPECT_EQ(Finish(p), 0u);
  EXPECT_EQ(ReadText(game + "save\\a.sav"), "changed");
  EXPECT_FALSE(FileExists(game + "save\\b.sav"));
}

}  // namespace
}  // namespace unlha_test
