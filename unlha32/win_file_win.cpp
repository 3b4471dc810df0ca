#include "unlha32/win_file.h"

#include "unlha32/syscalls.h"

namespace unlha {
namespace {
constexpr DWORD kMaxChunk = 1u << 30;  // bytes per ReadFile/WriteFile call
}

File& File::operator=(File&& o) noexcept {
  if (this != &o) {
    Close();
    h_ = o.h_;
    o.h_ = INVALID_HANDLE_VALUE;
  }
  return *this;
}

bool File::Close() {
  if (h_ == INVALID_HANDLE_VALUE) return true;
  HANDLE h = h_;
  h_ = INVALID_HANDLE_VALUE;
  return Sys().CloseHandle(h) != FALSE;
}

bool SeekTo(HANDLE h, unsigned long long pos) {
  LONG high = static_cast<LONG>(pos >> 32);
  SetLastError(NO_ERROR);
  DWORD low = Sys().SetFilePointer(h, static_cast<LONG>(pos & 0xFFFFFFFFu), &high, FILE_BEGIN);
  return !(low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR);
}

long long FileSource::Read(uint8_t* buf, size_t n) {
  DWORD want = n > kMaxChunk ? kMaxChunk : static_cast<DWORD>(n);
  DWORD got = 0;
  if (!Sys().ReadFile(h_, buf, want, &got, nullptr)) {
    error_ = GetLastError();
    return -1;
  }
  return got;
}

bool FileSource::Rewind() {
  if (SeekTo(h_, start_)) return true;
  error_ = GetLastError();
  return false;
}

bool FileSink::Write(const uint8_t* buf, size_t n) {
  while (n > 0) {
    DWORD want = n > kMaxChunk ? kMaxChunk : static_cast<DWORD>(n);
    DWORD done = 0;
    if (!Sys().WriteFile(h_, buf, want, &done, nullptr)) {
      if (error_ == 0) error_ = GetLastError();
      return false;
    }
    if (done == 0) {  // a write that takes nothing and says nothing: the disk is full
      if (error_ == 0) error_ = ERROR_DISK_FULL;
      return false;
    }
    buf += done;
    n -= done;
    pos_ += done;
  }
  return true;
}

bool FileSink::Seek(unsigned long long pos) {
  if (!SeekTo(h_, pos)) {
    if (error_ == 0) error_ = GetLastError();
    return false;
  }
  pos_ = pos;
  return true;
}

}  // namespace unlha
