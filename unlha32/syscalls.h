// Every Win32 call of the library that can fail in the field goes through this table,
// so a test can make one fail for real: a full disk after N bytes, a folder that cannot
// be created, a rename that is refused. Nothing else calls these functions directly.
#pragma once
#include <windows.h>

namespace unlha {

struct Syscalls {
  decltype(&::CreateFileA) CreateFileA = &::CreateFileA;
  decltype(&::ReadFile) ReadFile = &::ReadFile;
  decltype(&::WriteFile) WriteFile = &::WriteFile;
  decltype(&::SetFilePointer) SetFilePointer = &::SetFilePointer;
  decltype(&::CloseHandle) CloseHandle = &::CloseHandle;
  decltype(&::GetFileSize) GetFileSize = &::GetFileSize;
  decltype(&::CreateDirectoryA) CreateDirectoryA = &::CreateDirectoryA;
  decltype(&::DeleteFileA) DeleteFileA = &::DeleteFileA;
  decltype(&::MoveFileA) MoveFileA = &::MoveFileA;
  decltype(&::MoveFileExA) MoveFileExA = &::MoveFileExA;
  decltype(&::GetFileAttributesA) GetFileAttributesA = &::GetFileAttributesA;
  decltype(&::SetFileAttributesA) SetFileAttributesA = &::SetFileAttributesA;
  decltype(&::SetFileTime) SetFileTime = &::SetFileTime;
  decltype(&::FindFirstFileA) FindFirstFileA = &::FindFirstFileA;
  decltype(&::FindNextFileA) FindNextFileA = &::FindNextFileA;
  decltype(&::GetTempFileNameA) GetTempFileNameA = &::GetTempFileNameA;
  decltype(&::GetFullPathNameA) GetFullPathNameA = &::GetFullPathNameA;
};

// The table in use. Tests swap single entries and restore them afterwards.
Syscalls& Sys();

}  // namespace unlha
