#include "unlha32/codec/lzh_encoder.h"

#include "unlha32/codec/method.h"

namespace lha {
namespace {

// A three-byte match far back costs more bits than the three literals it replaces
// (measured: dropping them within -lh5-'s 8 KiB window made archives larger).
constexpr unsigned kTooFar = 16384;

constexpr MatchTuning kTuning{64, 32, 128, 32};

}  // namespace

template <class P>
Status PackLzh(Source& src, PackedOut& out, unsigned long long maxSize, PackResult& result, PackBuffers& buffers) {
  if (!buffers.finder || buffers.finder->WindowBits() != P::kDictBits)
    buffers.finder.reset(new MatchFinder(P::kDictBits, kTuning));
  if (!buffers.block) buffers.block.reset(new BlockSymbols);
  MatchFinder& mf = *buffers.finder;
  mf.Reset();
  BlockSymbols* block = buffers.block.get();
  block->Clear();
  BitWriter& bits = buffers.bits;
  bits.Clear();
  unsigned long long packed = 0;

  auto drain = [&]() {
    packed += bits.Size();
    bool ok = bits.Size() == 0 || out.Put(bits.Data(), bits.Size(), mf.BytesRead());
    bits.Drop();
    return ok;
  };
  auto endBlock = [&]() {
    EncodeBlock(*block, P::kNP, P::kPBit, bits);
    block->Clear();
    return drain();
  };

  // Lazy matching: a match found at one position is held while the next is tried.
  unsigned curLen = 0, curDist = 0;
  bool pendingLiteral = false;
  for (;;) {
    if (mf.Ahead() < MatchFinder::kLookahead && !mf.Ended()) {
      if (!mf.Fill(src)) return Status::ReadError;
      if (mf.BytesRead() > maxSize) return Status::TooLarge;
    }
    if (mf.Ahead() == 0) break;
    unsigned prevLen = curLen, prevDist = curDist;
    curLen = 0;
    int32_t head = mf.Ahead() >= kThreshold ? mf.Insert() : MatchFinder::kNil;
    if (head != MatchFinder::kNil && prevLen < kTuning.lazy) {
      unsigned dist = 0;
      unsigned len = mf.Longest(head, prevLen > kThreshold - 1 ? prevLen : kThreshold - 1, dist);
      if (len == kThreshold && dist > kTooFar) len = 0;
      if (len) {
        curLen = len;
        curDist = dist;
      }
    }
    if (prevLen >= kThreshold && curLen == 0) {
      // The held match (it began one byte back) beats anything here.
      block->Match(prevLen, prevDist);
      mf.AdvanceInserting(prevLen - 1);
      pendingLiteral = false;
    } else {
      if (pendingLiteral) block->Literal(mf.Previous());
      pendingLiteral = true;
      mf.Advance();
    }
    if (block->Full() && !endBlock()) return Status::WriteError;
  }
  if (pendingLiteral) block->Literal(mf.Previous());
  if (block->n > 0) EncodeBlock(*block, P::kNP, P::kPBit, bits);
  bits.Finish();
  if (!drain()) return Status::WriteError;
  result.size = mf.BytesRead();
  result.crc = mf.Crc();
  result.packed = packed;
  return Status::Ok;
}

template Status PackLzh<Lh4>(Source&, PackedOut&, unsigned long long, PackResult&, PackBuffers&);  // tests
template Status PackLzh<Lh6>(Source&, PackedOut&, unsigned long long, PackResult&, PackBuffers&);  // tests
template Status PackLzh<Lh5>(Source&, PackedOut&, unsigned long long, PackResult&, PackBuffers&);
template Status PackLzh<Lh7>(Source&, PackedOut&, unsigned long long, PackResult&, PackBuffers&);

}  // namespace lha
