#include <algorithm>
#include <vector>

#include "unlha32/codec/header.h"
#include "unlha32/codec/lha.h"
#include "unlha32/codec/lzh_encoder.h"
#include "unlha32/codec/method.h"

namespace lha {
namespace {

constexpr unsigned long long kMaxSize = 0xFFFFFFFFull;  // 32-bit size fields; we write no 0x42
constexpr size_t kCopyChunk = 64 * 1024;               // bytes
// Packed bytes held back while they outrun the input read so far (see PackedSink).
constexpr size_t kMaxHeldBack = 256 * 1024;

// Where packed bytes go while packing. When the source can be re-read, nothing is
// written past what storing the file would cover: if packing does not pay, the stored
// copy then overwrites every packed byte and no stale tail is left in the archive.
class PackedSink : public PackedOut {
 public:
  PackedSink(Sink& out, bool canStore) : out_(out), canStore_(canStore) {}

  bool Put(const uint8_t* p, size_t n, unsigned long long inputRead) override {
    held_.insert(held_.end(), p, p + n);
    size_t allowed = held_.size();
    if (canStore_) {
      unsigned long long room = inputRead > written_ ? inputRead - written_ : 0;
      allowed = static_cast<size_t>(std::min<unsigned long long>(room, held_.size()));
    }
    if (allowed > 0) {
      if (!out_.Write(held_.data(), allowed)) return Fail();
      written_ += allowed;
      held_.erase(held_.begin(), held_.begin() + static_cast<std::ptrdiff_t>(allowed));
    }
    if (held_.size() > kMaxHeldBack) {
      abandoned_ = true;  // far behind already: storing will be smaller
      return false;
    }
    return true;
  }
  bool FlushAll() {
    if (!held_.empty() && !out_.Write(held_.data(), held_.size())) return Fail();
    written_ += held_.size();
    held_.clear();
    return true;
  }
  bool Abandoned() const { return abandoned_; }
  bool WriteFailed() const { return writeFailed_; }

 private:
  bool Fail() {
    writeFailed_ = true;
    return false;
  }
  Sink& out_;
  bool canStore_;
  std::vector<uint8_t> held_;
  unsigned long long written_ = 0;
  bool abandoned_ = false, writeFailed_ = false;
};

Status Pack(Method m, Source& data, PackedOut& out, PackResult& r, PackBuffers& buffers) {
  return m == Method::Lh7 ? PackLzh<Lh7>(data, out, kMaxSize, r, buffers) : PackLzh<Lh5>(data, out, kMaxSize, r, buffers);
}

Status CopyStored(Source& data, Sink& out, PackResult& r) {
  std::vector<uint8_t> buf(kCopyChunk);
  r = PackResult();
  for (;;) {
    long long got = data.Read(buf.data(), buf.size());
    if (got < 0 || static_cast<unsigned long long>(got) > buf.size()) return Status::ReadError;
    if (got == 0) break;
    size_t n = static_cast<size_t>(got);
    r.size += n;
    if (r.size > kMaxSize) return Status::TooLarge;
    r.crc = Crc16(buf.data(), n, r.crc);
    if (!out.Write(buf.data(), n)) return Status::WriteError;
  }
  r.packed = r.size;
  return Status::Ok;
}

}  // namespace

struct Writer::State {
  explicit State(Sink& o) : out(o) {}
  Sink& out;
  PackBuffers buffers;

  // Writes the header again with the final method, sizes and CRC, and returns to the end.
  Status Patch(const Entry& meta, unsigned long long headerPos, const char* method, const PackResult& r) {
    std::vector<uint8_t> h;
    Status s = BuildLevel2Header(meta, method, static_cast<uint32_t>(r.packed), static_cast<uint32_t>(r.size),
                                 r.crc, h);
    if (s != Status::Ok) return s;
    unsigned long long end = out.Tell();
    if (!out.Seek(headerPos) || !out.Write(h.data(), h.size()) || !out.Seek(end)) return Status::WriteError;
    return Status::Ok;
  }
  // A failed entry leaves the archive as it was before it, ready for the next one.
  Status Undo(unsigned long long headerPos, Status s) {
    out.Seek(headerPos);
    return s;
  }
};

Writer::Writer(Sink& out) : s_(new State(out)) {}
Writer::~Writer() = default;

Status Writer::AddFile(const Entry& meta, Source& data, Method m) {
  if (meta.size > kMaxSize) return Status::TooLarge;
  Sink& out = s_->out;
  const unsigned long long headerPos = out.Tell();
  const char* method = m == Method::Lh7 ? "-lh7-" : m == Method::Lh5 ? "-lh5-" : "-lh0-";
  std::vector<uint8_t> h;
  Status s = BuildLevel2Header(meta, method, 0, 0, 0, h);
  if (s != Status::Ok) return s;
  if (!out.Write(h.data(), h.size())) return s_->Undo(headerPos, Status::WriteError);
  const unsigned long long dataPos = out.Tell();

  PackResult r;
  if (m != Method::Stored) {
    const bool canStore = data.Rewind();  // nothing read yet: this only asks whether it can
    PackedSink sink(out, canStore);
    s = Pack(m, data, sink, r, s_->buffers);
    if (s == Status::WriteError && sink.Abandoned()) s = Status::Ok;
    if (s != Status::Ok) return s_->Undo(headerPos, s);
    bool store = canStore && (sink.Abandoned() || r.packed >= r.size);
    if (!store && r.size == 0) method = "-lh0-";  // an empty stream is stored, packed or not
    if (!store) {
      if (!sink.FlushAll()) return s_->Undo(headerPos, Status::WriteError);
      s = s_->Patch(meta, headerPos, method, r);
      return s == Status::Ok ? s : s_->Undo(headerPos, s);
    }
    if (!out.Seek(dataPos)) return s_->Undo(headerPos, Status::WriteError);
    if (!data.Rewind()) return s_->Undo(headerPos, Status::ReadError);
  }
  s = CopyStored(data, out, r);
  if (s != Status::Ok) return s_->Undo(headerPos, s);
  s = s_->Patch(meta, headerPos, "-lh0-", r);
  return s == Status::Ok ? s : s_->Undo(headerPos, s);
}

Status Writer::AddDirectory(const Entry& meta) {
  std::vector<uint8_t> h;
  Status s = BuildLevel2Header(meta, "-lhd-", 0, 0, 0, h);
  if (s != Status::Ok) return s;
  return s_->out.Write(h.data(), h.size()) ? Status::Ok : Status::WriteError;
}

Status Writer::Finish() {
  const uint8_t end = 0;
  return s_->out.Write(&end, 1) ? Status::Ok : Status::WriteError;
}

}  // namespace lha
