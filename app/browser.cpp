#include "app/browser.h"

#include <windows.h>

#include "app/main_window.h"
#include "definitions/bak_list.h"

namespace quillet {

int32_t OsKind = 0;
int32_t osMaskSwitch = 0;
int32_t CategoryFilter = 0;

// NT 4.0 reports 4.0 as Windows 95 does: the family is not consulted.
int32_t OsKindOfVersion(uint32_t major, uint32_t minor) {
  if (major == 4) return minor >= 11 ? 3 : minor >= 8 ? 2 : 1;
  if (major == 5) return minor == 0 ? 4 : minor == 1 ? 5 : 0;
  return 0;
}

void DetectOsKind() {
  OSVERSIONINFOA info = {};
  info.dwOSVersionInfoSize = sizeof info;
  OsKind = 0;
  if (GetVersionExA(&info)) OsKind = OsKindOfVersion(info.dwMajorVersion, info.dwMinorVersion);
}

int IsHiddenByOsMask(int32_t osMask) {
  if (osMaskSwitch == 0 || OsKind == 0 || osMask == 0) return 0;
  return (osMask & (1 << (OsKind - 1))) ? 1 : 0;
}

void UpdateCategoryFilter(int index) {
  int32_t bit = 1 << index;
  if (Form1->CategoryButton(index).Down())
    CategoryFilter |= bit;
  else
    CategoryFilter &= ~bit;
  RefreshDefinitionList();
}

void RefreshDefinitionList() {
  Form1->ListBox1.Clear();
  Form1->ListBox2.Clear();
  Form1->ListBox3.Clear();
  Form1->Label1.SetText(" ");
  // Genre codes in the order of the category bits 0x02 .. 0x80.
  static const int32_t kGenres[] = {1, 100, 200, 300, 400, 1000, 2000};
  for (int i = 0; i < definitionCount; ++i) {
    const BakList& d = DefinitionCatalogue[i];
    if (IsHiddenByOsMask(d.osMask) == 1) continue;
    if (CategoryFilter & 0x01) {
      AddDefinitionRow(i);
      continue;
    }
    bool matched = false;
    for (int k = 0; k < 7 && !matched; ++k) {
      if (d.genre != kGenres[k]) continue;
      matched = true;
      if (CategoryFilter & (1 << (k + 1))) AddDefinitionRow(i);
    }
    if (!matched) AddDefinitionRow(i);
  }
}

void AddDefinitionRow(int index) {
  const BakList& d = DefinitionCatalogue[index];
  int row = Form1->ListBox1.Add(d.title);
  Form1->ListBox2.Add(d.title);
  if (row >= 0 && row < kCatalogueSlots) rowMap[row] = index;
}

}  // namespace quillet
