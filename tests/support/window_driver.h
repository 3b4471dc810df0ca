// Drives real windows from a test: launch a program, find its windows and
// controls, read their texts, press their buttons, answer its message boxes.
// Texts are read as UTF-16: ANSI list-box texts get mangled across processes.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace testing_support {

struct Launched {
  PROCESS_INFORMATION pi = {};
  bool ok = false;
  ~Launched();
  DWORD WaitExit(DWORD ms);  // exit code, or STILL_ACTIVE on time-out
};

// Starts exe with workDir as its current directory.
void Launch(Launched& out, const std::string& exe, const std::string& workDir);

// A visible top-level window of the process with the class (or any, when empty)
// and exact caption; waits up to ms.
HWND WaitForWindow(DWORD pid, const wchar_t* className, const wchar_t* caption, DWORD ms);
// A message box ("#32770") of the process, waiting up to ms.
HWND WaitForMessageBox(DWORD pid, DWORD ms);

std::wstring WindowText(HWND h);
// The text of a message box.
std::wstring MessageBoxText(HWND box);
// Presses the box's OK button and waits until it is gone.
void DismissMessageBox(HWND box);

HWND ChildById(HWND top, int id);
std::vector<std::wstring> ListTexts(HWND list);
bool ButtonDown(HWND button);
void Click(HWND button);
// Selects a row and tells the list's parent as a user's click would.
void SelectRow(HWND list, int row);

// UTF-16 of a Shift-JIS text (the program's own bytes) and back.
std::wstring FromSjis(const std::string& s);
std::string ToSjis(const std::wstring& s);

// Files and folders for a test's working folder.
std::string MakeTempFolder(const std::string& tag);
void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);
bool FileExists(const std::string& path);
void RemoveTree(const std::string& path);

}  // namespace testing_support
