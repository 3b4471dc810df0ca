// Shared by the archiver library's tests: a fresh folder per test, small file helpers,
// and the library called exactly as the program calls it.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace unlha_test {

// A new empty folder under the temporary folder, removed with everything in it.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  // The folder with a final backslash, or a path below it.
  std::string path(const std::string& rel = "") const { return root_ + rel; }

 private:
  std::string root_;
};

void RemoveTree(const std::string& folder);  // folder without final backslash
void WriteText(const std::string& path, const std::string& text);
std::string ReadText(const std::string& path);  // "<missing>" when there is no such file
bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);
void MakeFolders(const std::string& path);
// Every file and folder below root, relative, sorted; folders end in '\'.
std::vector<std::string> ListTree(const std::string& root);
// Bytes of a file, and a file of bytes.
std::vector<unsigned char> ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes);

struct CallResult {
  int code = -1;
  std::string report;
  bool canaryIntact = true;  // nothing written past the size the caller gave
  bool terminated = true;    // a NUL within the size (when the size is not 0)
};

// Calls ordinal 1 of Unlha32.dll (loaded from the test's folder) with a report buffer
// of `size` bytes followed by canary bytes.
CallResult Archiver(const std::string& command, size_t size = 2048);

// Where the corpus of archives by other tools is, with '/' separators.
std::string Corpus(const std::string& rel);

}  // namespace unlha_test
