#include "unlha32/codec/lha.h"

namespace lha {

struct Writer::State {
  Sink& out;
};

Writer::Writer(Sink& out) : s_(new State{out}) {}
Writer::~Writer() = default;
Status Writer::AddFile(const Entry&, Source&, Method) { return Status::WriteError; }
Status Writer::AddDirectory(const Entry&) { return Status::WriteError; }
Status Writer::Finish() { return Status::WriteError; }

}  // namespace lha
