#include "unlha32/codec/lha.h"

namespace lha {

struct Reader::State {
  Source& src;
};

Reader::Reader(Source& src) : s_(new State{src}) {}
Reader::~Reader() = default;
Status Reader::Next(Entry&) { return Status::End; }
Status Reader::Extract(Sink&) { return Status::BadHeader; }
Status Reader::Skip() { return Status::BadHeader; }

}  // namespace lha
