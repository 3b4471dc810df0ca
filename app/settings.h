// The settings record and its file "ZEWO.INI" in the current directory, which
// holds the record's raw 2576-byte image and nothing else.
#pragma once
#include <cstddef>
#include <cstdint>

#include "platform/text.h"

namespace quillet {

constexpr size_t kSettingsSize = 2576;
constexpr size_t kTempFolderSize = 2568;

#pragma pack(push, 1)
struct SettingsRecord {
  uint8_t logEnabled;      // 0: no trace log
  char backupDrive;        // drive letter as the drive box gives it, no colon
  uint8_t reserved[2];     // never read or written, saved as held
  int32_t categoryFilter;  // little-endian; carried through the file unchanged
  // Zero-terminated when written by this program, but a file may hold none:
  // read it through TempFolder().
  char tempFolder[kTempFolderSize];
};
#pragma pack(pop)

static_assert(sizeof(SettingsRecord) == kSettingsSize, "ZEWO.INI is the record's exact image");
static_assert(offsetof(SettingsRecord, categoryFilter) == 4, "layout of ZEWO.INI");
static_assert(offsetof(SettingsRecord, tempFolder) == 8, "layout of ZEWO.INI");

extern SettingsRecord Settings;

// Reads "ZEWO.INI"; a missing file gives the defaults silently, a short one
// reports and gives the defaults. Only the first 2576 bytes of a longer file count.
void LoadSettings();
// Writes the record over the start of "ZEWO.INI", keeping any longer tail.
void SaveSettings();
// Sets the defaults in memory; writes nothing.
void ResetSettings();
// Selects backupDrive in the main window's drive box (1) or the options dialog's (2).
void ApplySettings(int32_t target);

// tempFolder as text, ending at its first zero byte or at the end of the field.
Text TempFolder();
Text TempFolder(const SettingsRecord& record);
// Stores a new tempFolder; refuses (false, record unchanged) a text of more than
// 2567 bytes, which would leave no room for the zero byte.
bool SetTempFolder(const Text& folder);

}  // namespace quillet
