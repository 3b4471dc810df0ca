// One line for a failed Win32 call: the call, the path, and GetLastError with its text.
#pragma once
#include <windows.h>

#include <string>

namespace unlha {

std::string CallFailed(const char* call, const std::string& path, DWORD error);
// kDiskFull for the errors of a full disk, kCannotWrite for any other write failure.
int WriteFailureCode(DWORD error);

}  // namespace unlha
