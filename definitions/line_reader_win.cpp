#include "definitions/line_reader.h"

#include <windows.h>

namespace quillet {

LineReader::LineReader(const Text& path) {
  // A folder cannot be opened this way (no backup semantics), so a folder named
  // like a definition file fails here like any unreadable file.
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (h != INVALID_HANDLE_VALUE) handle_ = h;
}

LineReader::~LineReader() { Close(); }

void LineReader::Close() {
  if (handle_) CloseHandle(static_cast<HANDLE>(handle_));
  handle_ = nullptr;
}

bool LineReader::NextByte(char& c) {
  if (ended_ || !handle_) return false;
  if (pos_ == size_) {
    DWORD got = 0;
    // A read error ends the file like its end does.
    if (!ReadFile(static_cast<HANDLE>(handle_), buffer_, sizeof buffer_, &got, nullptr) || got == 0) {
      ended_ = true;
      return false;
    }
    size_ = got;
    pos_ = 0;
  }
  c = buffer_[pos_++];
  return true;
}

bool LineReader::ReadLine(char (&line)[kLineBufferSize]) {
  size_t n = 0;
  char c;
  while (n < kLineBufferSize - 1 && NextByte(c)) {
    if (c == '\r') continue;
    if (c == '\x1a') {
      ended_ = true;
      break;
    }
    line[n++] = c;
    if (c == '\n') break;
  }
  line[n] = '\0';
  return n > 0;
}

}  // namespace quillet
