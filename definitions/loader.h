// Reads the definition files of the folder TGF into the catalogue.
#pragma once
#include <cstdint>

#include "platform/text.h"

namespace quillet {

// Reads every TGF\*.TGF in the order the directory search gives them. Returns
// definitionCount afterwards (0 when no file closes a definition), or -1 after
// a failure, which has been reported.
int32_t LoadDefinitions();

// Reads one definition file into the catalogue from slot definitionCount on and
// returns the new definitionCount, or -1 after a reported failure (definitionCount
// is then left as it was).
int32_t ParseDefinitionFile(const Text& path);

// Copies `source` up to the first line feed after its first byte, or to its end,
// into `destination` (room for 512 bytes) and terminates it; the line feed is not
// copied. At most 511 bytes are taken, whatever the source holds.
void CopyLine(char* destination, const char* source);

}  // namespace quillet
