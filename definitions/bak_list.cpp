#include "definitions/bak_list.h"

namespace quillet {

BakList DefinitionCatalogue[kCatalogueSlots];
int32_t definitionCount = 0;
int32_t rowMap[kCatalogueSlots] = {};

}  // namespace quillet
