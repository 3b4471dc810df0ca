#include "tests/support/window_driver.h"

#include <fstream>
#include <sstream>

namespace testing_support {

Launched::~Launched() {
  if (!ok) return;
  if (WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(pi.hProcess, 1);
    WaitForSingleObject(pi.hProcess, 5000);
  }
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
}

DWORD Launched::WaitExit(DWORD ms) {
  if (WaitForSingleObject(pi.hProcess, ms) != WAIT_OBJECT_0) return STILL_ACTIVE;
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(pi.hProcess, &code);
  return code;
}

void Launch(Launched& out, const std::string& exe, const std::string& workDir) {
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  std::string cmd = "\"" + exe + "\"";
  out.ok = CreateProcessA(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, workDir.c_str(), &si,
                          &out.pi) != FALSE;
}

namespace {

struct FindState {
  DWORD pid;
  const wchar_t* cls;
  const wchar_t* caption;
  HWND found;
};

BOOL CALLBACK FindTop(HWND h, LPARAM lp) {
  auto* s = reinterpret_cast<FindState*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  if (pid != s->pid || !IsWindowVisible(h)) return TRUE;
  wchar_t cls[256];
  GetClassNameW(h, cls, 256);
  if (s->cls && *s->cls && std::wstring(cls) != s->cls) return TRUE;
  if (s->caption && WindowText(h) != s->caption) return TRUE;
  s->found = h;
  return FALSE;
}

}  // namespace

HWND WaitForWindow(DWORD pid, const wchar_t* className, const wchar_t* caption, DWORD ms) {
  DWORD start = GetTickCount();
  for (;;) {
    FindState s{pid, className, caption, nullptr};
    EnumWindows(FindTop, reinterpret_cast<LPARAM>(&s));
    if (s.found) return s.found;
    if (GetTickCount() - start > ms) return nullptr;
    Sleep(50);
  }
}

HWND WaitForMessageBox(DWORD pid, DWORD ms) { return WaitForWindow(pid, L"#32770", nullptr, ms); }

std::wstring WindowText(HWND h) {
  wchar_t buf[4096] = L"";
  SendMessageTimeoutW(h, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG, 5000, nullptr);
  return buf;
}

std::wstring MessageBoxText(HWND box) {
  HWND text = GetDlgItem(box, 0xFFFF);
  return text ? WindowText(text) : std::wstring();
}

void DismissMessageBox(HWND box) {
  HWND ok = GetDlgItem(box, IDOK);
  if (ok)
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ok));
  else
    PostMessageW(box, WM_CLOSE, 0, 0);
  for (int i = 0; i < 100 && IsWindow(box); ++i) Sleep(20);
}

namespace {

struct ChildState {
  int id;
  HWND found;
};

BOOL CALLBACK FindChild(HWND h, LPARAM lp) {
  auto* s = reinterpret_cast<ChildState*>(lp);
  if (GetDlgCtrlID(h) == s->id) {
    s->found = h;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

HWND ChildById(HWND top, int id) {
  ChildState s{id, nullptr};
  EnumChildWindows(top, FindChild, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

std::vector<std::wstring> ListTexts(HWND list) {
  std::vector<std::wstring> rows;
  LRESULT n = SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < n; ++i) {
    LRESULT len = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
    std::wstring s(static_cast<size_t>(len > 0 ? len : 0) + 1, L'\0');
    len = SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&s[0]));
    s.resize(len > 0 ? static_cast<size_t>(len) : 0);
    rows.push_back(s);
  }
  return rows;
}

bool ButtonDown(HWND button) { return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void Click(HWND button) { SendMessageW(button, BM_CLICK, 0, 0); }

void SelectRow(HWND list, int row) {
  SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
  SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
               reinterpret_cast<LPARAM>(list));
}

std::wstring FromSjis(const std::string& s) {
  int n = MultiByteToWideChar(932, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring w(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(932, 0, s.data(), static_cast<int>(s.size()), &w[0], n);
  return w;
}

std::string ToSjis(const std::wstring& w) {
  int n = WideCharToMultiByte(932, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
  std::string s(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(932, 0, w.data(), static_cast<int>(w.size()), &s[0], n, nullptr, nullptr);
  return s;
}

std::string MakeTempFolder(const std::string& tag) {
  char base[MAX_PATH];
  GetTempPathA(MAX_PATH, base);
  static unsigned counter = 0;
  for (;;) {
    std::string path = std::string(base) + "qt_" + tag + "_" + std::to_string(GetCurrentProcessId()) + "_" +
                       std::to_string(++counter);
    if (CreateDirectoryA(path.c_str(), nullptr)) return path;
    if (GetLastError() != ERROR_ALREADY_EXISTS) return std::string();
  }
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void RemoveTree(const std::string& path) {
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((path + "\\*").c_str(), &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      std::string name = fd.cFileName;
      if (name == "." || name == "..") continue;
      std::string p = path + "\\" + name;
      SetFileAttributesA(p.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(p);
      else
        DeleteFileA(p.c_str());
    } while (FindNextFileA(h, &fd));
    FindClose(h);
  }
  RemoveDirectoryA(path.c_str());
}

}  // namespace testing_support
