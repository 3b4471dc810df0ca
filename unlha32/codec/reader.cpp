#include <map>
#include <memory>

#include "unlha32/codec/byte_input.h"
#include "unlha32/codec/decoder.h"
#include "unlha32/codec/header.h"
#include "unlha32/codec/lha.h"

namespace lha {

struct Reader::State {
  explicit State(Source& src) : in(src) {}
  ByteInput in;
  Entry entry;
  bool haveEntry = false;
  bool dataTouched = false;           // Extract or Skip already ran for this entry
  unsigned long long unread = 0;      // packed bytes of the entry still ahead in the source
  Status stopped = Status::Ok;        // once set, the archive cannot be followed further
  std::map<std::string, std::unique_ptr<Decoder>> decoders;  // kept: their buffers are large

  Decoder* DecoderFor(const std::string& method) {
    auto it = decoders.find(method);
    if (it != decoders.end()) return it->second.get();
    auto d = MakeDecoder(method);
    if (!d) return nullptr;
    return (decoders[method] = std::move(d)).get();
  }

  Status PassRest() {
    if (unread > 0 && !in.Skip(unread)) {
      unread = 0;
      stopped = in.Failed() ? Status::ReadError : Status::Truncated;
      return stopped;
    }
    unread = 0;
    return Status::Ok;
  }
};

Reader::Reader(Source& src) : s_(new State(src)) {}
Reader::~Reader() = default;

Status Reader::Next(Entry& e) {
  if (s_->stopped != Status::Ok) return s_->stopped;
  if (s_->haveEntry && s_->PassRest() != Status::Ok) return s_->stopped;
  s_->haveEntry = false;
  Status s = ReadHeader(s_->in, s_->entry);
  if (s != Status::Ok) {
    s_->stopped = s;
    return s;
  }
  s_->haveEntry = true;
  s_->dataTouched = false;
  s_->unread = s_->entry.packedSize;
  e = s_->entry;
  return Status::Ok;
}

Status Reader::Extract(Sink& out) {
  if (s_->stopped != Status::Ok) return s_->stopped;
  if (!s_->haveEntry || s_->dataTouched) return Status::ReadError;  // once per entry, after Next
  const Entry& e = s_->entry;
  if (e.isDirectory || e.isSymlink) {
    s_->dataTouched = true;
    return Status::Ok;  // nothing to write: folders are made and links refused by the caller
  }
  Decoder* decoder = s_->DecoderFor(e.method);
  if (!decoder) return Status::UnknownMethod;
  s_->dataTouched = true;
  unsigned long long consumed = 0;
  Status s = DecodeEntry(*decoder, s_->in, e, out, consumed);
  s_->unread -= consumed <= s_->unread ? consumed : s_->unread;
  if (s == Status::Truncated || s == Status::ReadError) s_->stopped = s;
  return s;
}

Status Reader::Skip() {
  if (s_->stopped != Status::Ok) return s_->stopped;
  if (!s_->haveEntry) return Status::ReadError;
  s_->dataTouched = true;
  return s_->PassRest();
}

}  // namespace lha
