#include "archiver/archiver.h"

#include <windows.h>

namespace quillet {

namespace {

// The library's one entry, imported by ordinal 1.
using CommandEntry = int(WINAPI*)(HWND, LPCSTR, LPSTR, DWORD);

HMODULE library = nullptr;
CommandEntry entry = nullptr;

}  // namespace

bool LoadArchiverLibrary() {
  if (!library) library = LoadLibraryA("Unlha32.dll");
  if (library && !entry)
    entry = reinterpret_cast<CommandEntry>(reinterpret_cast<void*>(GetProcAddress(library, MAKEINTRESOURCEA(1))));
  return library != nullptr;
}

bool ArchiverLibraryLoaded() { return entry != nullptr; }

int32_t ArchiverCommand(void* window, const std::string& commandLine, char* output, uint32_t outputSize) {
  if (!entry) {
    if (output && outputSize) output[0] = '\0';
    return kArchiverUnavailable;
  }
  return entry(static_cast<HWND>(window), commandLine.c_str(), output, outputSize);
}

}  // namespace quillet
