// Which definitions the two lists show: Windows version, OS mask and categories.
#pragma once
#include <cstdint>

namespace quillet {

extern int32_t OsKind;         // 0 other, 1 95, 2 98, 3 Me, 4 2000, 5 XP
extern int32_t osMaskSwitch;   // 1 while the OS-mask button is pressed
extern int32_t CategoryFilter; // bit k: category button k is pressed

int32_t OsKindOfVersion(uint32_t major, uint32_t minor);
void DetectOsKind();
int IsHiddenByOsMask(int32_t osMask);
void UpdateCategoryFilter(int index);
void RefreshDefinitionList();
void AddDefinitionRow(int index);

}  // namespace quillet
