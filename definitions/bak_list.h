// The backup definition record and the process-wide catalogue it lives in.
// Slots are identified by index for the whole run; nothing copies a record.
#pragma once
#include <cstdint>

#include "platform/text.h"

namespace quillet {

constexpr int kCatalogueSlots = 800;
// The loader stops at the 799th closed definition, so slot 799 stays empty.
constexpr int kDefinitionLimit = 799;
constexpr int kRefGroups = 10;

// genre codes, as the [type] keywords set them.
constexpr int32_t kGenreSys = 1;
constexpr int32_t kGenreApp = 100;
constexpr int32_t kGenreGame = 200;
constexpr int32_t kGenreAdult = 300;
constexpr int32_t kGenreDoujin = 400;
constexpr int32_t kGenreEtc = 1000;
constexpr int32_t kGenreUser = 2000;

// osMask bits: one per Windows family, in OsKind order.
constexpr int32_t kOs95 = 0x01;
constexpr int32_t kOs98 = 0x02;
constexpr int32_t kOsMe = 0x04;
constexpr int32_t kOs2000 = 0x08;
constexpr int32_t kOsXp = 0x10;

// contentFlags bits. Only kHasFileList is read outside the loader.
constexpr int32_t kFlagRegistry = 0x01;
constexpr int32_t kFlagTypeOrIni = 0x02;
constexpr int32_t kHasFileList = 0x04;
constexpr int32_t kFlagRegOrIniOrSwitch = 0x10;

struct BakList {
  Text title;
  Text explanation;
  Text saveFolder;
  Text registryRefs[kRefGroups][2];  // key path, value name
  int32_t refGroupCount = 0;
  int32_t genre = 0;
  Text fileList;
  Text registryKey;
  Text archiverSwitch;
  int32_t contentFlags = 0;
  int32_t osMask = 0;
  Text iniRefs[kRefGroups][4];  // file, section, key, default
};

extern BakList DefinitionCatalogue[kCatalogueSlots];
extern int32_t definitionCount;
extern int32_t rowMap[kCatalogueSlots];

}  // namespace quillet
