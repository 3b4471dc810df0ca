// The library's one entry, exported at ordinal 1.
#include <windows.h>

#include <new>

#include "unlha32/commands.h"
#include "unlha32/result.h"

// Carries out one command line of the library's language (see the README) and returns
// 0 for success or one of the documented result codes. A short report goes to output:
// never more than size bytes, NUL-terminated whenever size is not 0; output may be null.
// window is not used: the library never shows anything of its own.
extern "C" int WINAPI ArchiverCommand(HWND window, LPCSTR commandLine, LPSTR output,
                                                            DWORD size) {
  (void)window;
  unlha::Report report;
  int code;
  try {
    code = unlha::RunCommand(commandLine ? commandLine : "", report);
  } catch (const std::bad_alloc&) {
    report.Fail(unlha::kInternal, "out of memory");
    code = unlha::kInternal;
  } catch (...) {
    report.Fail(unlha::kInternal, "internal error");
    code = unlha::kInternal;
  }
  report.CopyTo(output, size);
  return code;
}
