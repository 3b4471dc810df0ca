// Support for tests that work on files in the current directory and report
// through message boxes.
#pragma once
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

#include "platform/msgbox.h"

namespace quillet {

// A fresh folder under the temporary path: the current directory while it
// lives, removed with everything in it afterwards.
class ScratchFolder {
 public:
  ScratchFolder() : previous_(std::filesystem::current_path()) {
    static int serial = 0;
    path_ = std::filesystem::temp_directory_path() /
            ("quillet-test-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++serial));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
    std::filesystem::current_path(path_);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
    // Read-only files would stop remove_all.
    for (auto& entry : std::filesystem::recursive_directory_iterator(path_, ignored))
      SetFileAttributesA(entry.path().string().c_str(), FILE_ATTRIBUTE_NORMAL);
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // The current directory before this folder took its place.
  const std::filesystem::path& previous() const { return previous_; }

 private:
  std::filesystem::path previous_;
  std::filesystem::path path_;
};

struct RecordedBox {
  std::string text;
  std::string caption;
  unsigned style;
  bool operator==(const RecordedBox& o) const {
    return text == o.text && caption == o.caption && style == o.style;
  }
  friend void PrintTo(const RecordedBox& b, std::ostream* os) {
    *os << "[" << b.caption << "] " << b.text << " (style " << b.style << ")";
  }
};

// Records message boxes instead of showing them, each answered with OK.
class BoxRecorder {
 public:
  BoxRecorder() {
    SetMessageBoxHook([this](const std::string& text, const std::string& caption, unsigned style) {
      boxes.push_back({text, caption, style});
      return IDOK;
    });
  }
  ~BoxRecorder() { SetMessageBoxHook(nullptr); }
  BoxRecorder(const BoxRecorder&) = delete;
  BoxRecorder& operator=(const BoxRecorder&) = delete;

  std::vector<RecordedBox> boxes;
};

// An error box as the log shows it.
inline RecordedBox ErrorBox(const std::string& text) { return {text, "エラーメッセージ", 0x40}; }

// Files are written and read byte for byte, relative to the current directory.
inline void WriteBytes(const std::string& name, const std::string& bytes) {
  std::ofstream out(name, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadBytes(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline bool PathExists(const std::string& name) {
  return GetFileAttributesA(name.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace quillet
