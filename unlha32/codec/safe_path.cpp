#include "unlha32/codec/lha.h"

namespace lha {

bool SafePath(const std::string&, std::string& out) {
  out.clear();
  return false;
}

}  // namespace lha
