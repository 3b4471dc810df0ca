// The program's binding to the archiver library "Unlha32.dll".
#pragma once
#include <cstdint>
#include <string>

namespace quillet {

// Result of ArchiverCommand while the library is not loaded or lacks its entry.
constexpr int32_t kArchiverUnavailable = -1;

// Loads the library by name; false when it cannot be loaded. Once loaded it stays loaded.
bool LoadArchiverLibrary();
bool ArchiverLibraryLoaded();

// Carries out one command line of the library's language; 0 is success.
int32_t ArchiverCommand(void* window, const std::string& commandLine, char* output, uint32_t outputSize);

}  // namespace quillet
