#include "unlha32/win_error.h"

#include "unlha32/result.h"

namespace unlha {

std::string CallFailed(const char* call, const std::string& path, DWORD error) {
  char text[256] = "";
  DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text,
                           sizeof text, nullptr);
  while (n > 0 && (text[n - 1] == '\r' || text[n - 1] == '\n' || text[n - 1] == ' ')) text[--n] = '\0';
  char code[16];
  wsprintfA(code, " (%lu)", static_cast<unsigned long>(error));
  return std::string(call) + " " + path + ": " + text + code;
}

int WriteFailureCode(DWORD error) {
  return error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL ? kDiskFull : kCannotWrite;
}

}  // namespace unlha
