// The directory search the loader walks the definition folder with.
#pragma once
#include "platform/text.h"

namespace quillet {

bool FolderExists(const Text& path);

// Entries matching a pattern, in the order the file system returns them. Every
// entry counts, folders and hidden or system files included (attribute mask 63).
class DirectorySearch {
 public:
  explicit DirectorySearch(const Text& pattern);
  ~DirectorySearch();
  DirectorySearch(const DirectorySearch&) = delete;
  DirectorySearch& operator=(const DirectorySearch&) = delete;

  bool Found() const { return found_; }
  const Text& Name() const { return name_; }
  // Moves to the next entry; false when there is none.
  bool Next();

 private:
  void* handle_ = nullptr;
  bool found_ = false;
  Text name_;
};

}  // namespace quillet
