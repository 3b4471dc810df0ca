// Calls Unlha32.dll's ordinal 1 with the text of the file named by its one argument
// (exact bytes: no shell or Wine quoting in between), as the program does, and prints
// the result code and the report. Used by the shell tests that check
// what the library writes with lhasa and bsdtar, and handy by hand.
#include <windows.h>

#include <cstdio>

using ArchiverCommandFn = int(WINAPI*)(HWND, LPCSTR, LPSTR, DWORD);

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: unlha_run COMMANDFILE\n");
    return 2;
  }
  std::FILE* f = std::fopen(argv[1], "rb");
  if (!f) {
    std::fprintf(stderr, "cannot open %s\n", argv[1]);
    return 2;
  }
  static char text[8192];
  size_t n = std::fread(text, 1, sizeof text - 1, f);
  std::fclose(f);
  while (n > 0 && (text[n - 1] == '\n' || text[n - 1] == '\r')) --n;
  text[n] = '\0';
  HMODULE dll = LoadLibraryA("Unlha32.dll");
  if (!dll) {
    std::fprintf(stderr, "LoadLibraryA Unlha32.dll failed: %lu\n", GetLastError());
    return 2;
  }
  auto command = reinterpret_cast<ArchiverCommandFn>(reinterpret_cast<void*>(GetProcAddress(dll, MAKEINTRESOURCEA(1))));
  if (!command) {
    std::fprintf(stderr, "Unlha32.dll has no ordinal 1\n");
    return 2;
  }
  static char report[2048];
  int code = command(nullptr, text, report, sizeof report);
  std::printf("%04X\n%s", static_cast<unsigned>(code), report);
  return code == 0 ? 0 : 1;
}
