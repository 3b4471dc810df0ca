#include "unlha32/report.h"

#include <cstring>

#include "unlha32/sjis_path.h"

namespace unlha {
namespace {
// Enough for any buffer a caller gives in practice; a huge archive's listing stops here.
constexpr size_t kMaxText = 256 * 1024;  // bytes
}  // namespace

void Report::Line(const std::string& text) {
  if (text_.size() >= kMaxText) return;
  text_ += text;
  text_ += "\r\n";
}

void Report::Fail(int code, const std::string& text) {
  if (code_ == 0) code_ = code;
  Line(text);
}

void Report::CopyTo(char* buf, size_t size) const {
  if (buf == nullptr || size == 0) return;
  size_t n = 0;
  // Walk whole characters so the cut never splits a double-byte one.
  while (n < text_.size()) {
    size_t len = IsLeadByte(static_cast<unsigned char>(text_[n])) && n + 1 < text_.size() ? 2 : 1;
    if (n + len > size - 1) break;
    n += len;
  }
  std::memcpy(buf, text_.data(), n);
  buf[n] = '\0';
}

}  // namespace unlha
