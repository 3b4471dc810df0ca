// What one command tells its caller: the first failure's code and a few lines of text.
#pragma once
#include <cstddef>
#include <string>

namespace unlha {

class Report {
 public:
  // A line of information (a listing line, a summary).
  void Line(const std::string& text);
  // A failure: the first one decides the result code; every one adds its line.
  void Fail(int code, const std::string& text);
  int code() const { return code_; }
  const std::string& text() const { return text_; }
  // Copies the text into buf, never more than size bytes, NUL-terminated when size > 0,
  // cut at a character boundary so no half Shift-JIS character is left at the end.
  void CopyTo(char* buf, size_t size) const;

 private:
  int code_ = 0;
  std::string text_;
};

}  // namespace unlha
