// Buffered reading from a Source: headers and packed data share one buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "unlha32/codec/lha.h"

namespace lha {

class ByteInput {
 public:
  explicit ByteInput(Source& src);

  // Up to n bytes; fewer only at the end of the source or on a read error (see Failed).
  size_t Read(uint8_t* dst, size_t n);
  // Passes n bytes; false when the source ended or failed first.
  bool Skip(unsigned long long n);
  bool Failed() const { return failed_; }
  unsigned long long Position() const { return consumed_; }

 private:
  bool Fill();

  Source& src_;
  std::vector<uint8_t> buf_;
  size_t pos_ = 0, len_ = 0;
  unsigned long long consumed_ = 0;
  bool failed_ = false, ended_ = false;
};

}  // namespace lha
