#include "engine/staging.h"

#include <windows.h>

#include "app/settings.h"

namespace quillet {

void DeleteTree(const Text& folder) {
  WIN32_FIND_DATAA fd;
  HANDLE find = FindFirstFileA((folder + "\\*.*").c_str(), &fd);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    Text name = fd.cFileName;
    if (name == "." || name == "..") continue;
    Text path = folder + "\\" + name;
    // Only a plain folder is descended into; anything else is treated as a file.
    if (fd.dwFileAttributes == FILE_ATTRIBUTE_DIRECTORY) {
      DeleteTree(path);
      RemoveDirectoryA(path.c_str());
    } else {
      SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_ARCHIVE);
      DeleteFileA(path.c_str());
    }
  } while (FindNextFileA(find, &fd));
  FindClose(find);
}

int32_t StageFiles(const Text& /*stagingName*/, const Text& /*expandedPath*/, int32_t mode) {
  if (mode == kStageWipe) {
    Text area = TempFolder() + "ZEWO";
    DeleteTree(area);
    RemoveDirectoryA(area.c_str());
    return 0;
  }
  // The copy directions are not built yet: say that nothing was copied.
  if (mode == kStageIn || mode == kStageOut) return -1;
  return 0;
}

}  // namespace quillet
