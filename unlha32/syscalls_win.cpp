#include "unlha32/syscalls.h"

namespace unlha {

Syscalls& Sys() {
  // A function-local table: the self-extracting stub runs no global constructors.
  static Syscalls table;
  return table;
}

}  // namespace unlha
