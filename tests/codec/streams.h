// In-memory Source and Sink for codec tests, with switches that make them fail.
#pragma once

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "unlha32/codec/lha.h"

namespace codec_test {

using Bytes = std::vector<uint8_t>;

inline Bytes ToBytes(const std::string& s) { return Bytes(s.begin(), s.end()); }

class MemorySource : public lha::Source {
 public:
  explicit MemorySource(Bytes data) : data_(std::move(data)) {}
  long long Read(uint8_t* buf, size_t n) override {
    if (failAt >= 0 && pos_ >= static_cast<size_t>(failAt)) return -1;
    size_t k = std::min({n, data_.size() - pos_, chunk});
    if (k) std::memcpy(buf, data_.data() + pos_, k);
    pos_ += k;
    return static_cast<long long>(k);
  }
  bool Rewind() override {
    if (!rewindable) return false;
    pos_ = 0;
    return true;
  }
  size_t chunk = static_cast<size_t>(-1);  // most bytes one Read hands out
  bool rewindable = true;
  long failAt = -1;  // reads fail once this many bytes are read

 private:
  Bytes data_;
  size_t pos_ = 0;
};

class MemorySink : public lha::Sink {
 public:
  bool Write(const uint8_t* buf, size_t n) override {
    if (failAt >= 0 && pos_ + n > static_cast<size_t>(failAt)) return false;
    if (data.size() < pos_ + n) data.resize(pos_ + n);
    if (n) std::memcpy(data.data() + pos_, buf, n);
    pos_ += n;
    return true;
  }
  unsigned long long Tell() const override { return pos_; }
  bool Seek(unsigned long long p) override {
    if (p > data.size()) return false;
    pos_ = static_cast<size_t>(p);
    return true;
  }
  Bytes data;
  long failAt = -1;  // writes that would reach past this offset fail

 private:
  size_t pos_ = 0;
};

// A deterministic generator, so a failing case can be replayed.
class Rng {
 public:
  explicit Rng(uint64_t seed) : s_(seed * 2862933555777941757ull + 3037000493ull) {}
  uint32_t Next() {
    s_ ^= s_ << 13;
    s_ ^= s_ >> 7;
    s_ ^= s_ << 17;
    return static_cast<uint32_t>(s_ >> 16);
  }

 private:
  uint64_t s_;
};

inline Bytes RandomBytes(size_t n, uint64_t seed) {
  Rng r(seed);
  Bytes b(n);
  for (auto& x : b) x = static_cast<uint8_t>(r.Next());
  return b;
}

// Text with a small vocabulary: compresses like prose, with repeats at every distance.
inline Bytes TextBytes(size_t n, uint64_t seed) {
  static const char* const kWords[] = {"backup", "archive", "save", "folder", "the", "of", "game", "data",
                                       "restore", "window", "setting", "file", "and", "to", "\r\n", "0123"};
  Rng r(seed);
  Bytes b;
  while (b.size() < n) {
    const char* w = kWords[r.Next() % 16];
    b.insert(b.end(), w, w + std::strlen(w));
    b.push_back(' ');
  }
  b.resize(n);
  return b;
}

struct TestFile {
  std::string path;  // Shift-JIS, '\' separated
  Bytes data;
  bool folder = false;
};

// The varied set every writer test packs: sizes around the window and the block, data
// that does and does not compress, nested and empty folders, Shift-JIS names whose trail
// byte is 0x5C (ソ = 83 5C, 表 = 95 5C), one of them at the very end of a name.
inline std::vector<TestFile> VariedFiles() {
  const Bytes none;
  std::vector<TestFile> f = {
      {"big", none, true},
      {"nested", none, true},
      {"nested\\a", none, true},
      {"nested\\a\\b", none, true},
      {"nested\\empty", none, true},
      {"saves", none, true},
      {"\x95\x5C", none, true},
      {"\x83\x5C", none, true},
      {"empty.txt", none},
      {"one.bin", {0x42}},
      {"zeros.bin", Bytes(200000, 0)},
      {"random.bin", RandomBytes(70000, 1)},
      {"text.txt", TextBytes(30000, 2)},
      {"nested\\a\\b\\deep.txt", TextBytes(5000, 5)},
      {"\x95\x5C\\\x83\x5C.txt", TextBytes(1000, 6)},
      {"\x83\x5C\\\x95\x5C", TextBytes(700, 7)},
  };
  Bytes big = TextBytes(400000, 3);  // past the window and many blocks
  Bytes noise = RandomBytes(50000, 4);
  std::copy(noise.begin(), noise.end(), big.begin() + 100000);
  f.push_back({"big\\mixed.dat", big});
  for (int i = 0; i < 60; ++i)
    f.push_back({"saves\\slot" + std::to_string(i) + ".sav",
                 TextBytes(static_cast<size_t>(50 + i * 37), 100 + static_cast<uint64_t>(i))});
  return f;
}

}  // namespace codec_test
