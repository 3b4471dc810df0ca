// Win32 files as the codec's byte streams, and an owning handle.
#pragma once
#include <windows.h>

#include "unlha32/codec/lha.h"

namespace unlha {

class File {
 public:
  File() = default;
  explicit File(HANDLE h) : h_(h) {}
  ~File() { Close(); }
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  File(File&& o) noexcept : h_(o.h_) { o.h_ = INVALID_HANDLE_VALUE; }
  File& operator=(File&& o) noexcept;

  HANDLE get() const { return h_; }
  bool ok() const { return h_ != INVALID_HANDLE_VALUE; }
  // Closes now; false (with GetLastError set) when the close reported a failure.
  bool Close();

 private:
  HANDLE h_ = INVALID_HANDLE_VALUE;
};

// Moves the file pointer to an absolute position.
bool SeekTo(HANDLE h, unsigned long long pos);

// Reads from the current position on; Rewind goes back to where reading began.
class FileSource : public lha::Source {
 public:
  explicit FileSource(HANDLE h, unsigned long long start = 0) : h_(h), start_(start) {}
  long long Read(uint8_t* buf, size_t n) override;
  bool Rewind() override;
  DWORD error() const { return error_; }

 private:
  HANDLE h_;
  unsigned long long start_;
  DWORD error_ = 0;
};

// Writes at the current position; the first failure's GetLastError is kept.
class FileSink : public lha::Sink {
 public:
  explicit FileSink(HANDLE h, unsigned long long pos = 0) : h_(h), pos_(pos) {}
  bool Write(const uint8_t* buf, size_t n) override;
  unsigned long long Tell() const override { return pos_; }
  bool Seek(unsigned long long pos) override;
  DWORD error() const { return error_; }

 private:
  HANDLE h_;
  unsigned long long pos_;
  DWORD error_ = 0;
};

// Takes and drops bytes: for testing an archive without writing anything.
class NullSink : public lha::Sink {
 public:
  bool Write(const uint8_t*, size_t n) override {
    pos_ += n;
    return true;
  }
  unsigned long long Tell() const override { return pos_; }
  bool Seek(unsigned long long pos) override {
    pos_ = pos;
    return true;
  }

 private:
  unsigned long long pos_ = 0;
};

}  // namespace unlha
