// Reads a definition file as text, one piece of a line at a time.
#pragma once
#include <cstddef>

#include "platform/text.h"

namespace quillet {

constexpr size_t kLineBufferSize = 512;

class LineReader {
 public:
  explicit LineReader(const Text& path);
  ~LineReader();
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  bool IsOpen() const { return handle_ != nullptr; }
  void Close();

  // Fills `line` with the next piece: at most 511 bytes, up to and including a
  // line feed, zero-terminated. CR bytes are dropped and a Ctrl-Z ends the file,
  // as text-mode reading does. False once nothing is left.
  bool ReadLine(char (&line)[kLineBufferSize]);

 private:
  bool NextByte(char& c);

  void* handle_ = nullptr;
  char buffer_[4096];
  size_t size_ = 0;
  size_t pos_ = 0;
  bool ended_ = false;
};

}  // namespace quillet
