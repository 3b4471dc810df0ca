// The staging area <tempFolder>ZEWO\ and the tree operations beneath it.
#pragma once
#include <cstdint>

#include "platform/text.h"

namespace quillet {

constexpr int32_t kStageIn = 0;    // backup: real place -> staging area
constexpr int32_t kStageOut = 1;   // restore: staging area -> real place
constexpr int32_t kStageWipe = 99;

// mode 99 wipes the staging area and returns 0. The copy directions come with the
// backup engine; until then they copy nothing and return -1.
int32_t StageFiles(const Text& stagingName, const Text& expandedPath, int32_t mode);

// Empties folder; the folder itself stays. Reports nothing.
void DeleteTree(const Text& folder);

}  // namespace quillet
