#include "app/settings.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <memory>

#include "app/drive_boxes.h"
#include "app/log.h"
#include "app/settings_seam.h"
#include "definitions/loader.h"

namespace quillet {

SettingsRecord Settings = {};
SettingsWriteFunction SettingsWrite = std::fwrite;

namespace {

const char kSettingsFile[] = "ZEWO.INI";

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

bool FileExists(const char* path) {
  DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The drive the main window's box shows; before it exists, the current directory's.
char CurrentDrive() {
  if (TheDriveBoxes().mainDrive) return TheDriveBoxes().mainDrive();
  char folder[MAX_PATH];
  DWORD n = GetCurrentDirectoryA(sizeof folder, folder);
  return (n >= 2 && n < sizeof folder && folder[1] == ':') ? folder[0] : Settings.backupDrive;
}

}  // namespace

Text TempFolder() { return TempFolder(Settings); }

Text TempFolder(const SettingsRecord& record) {
  // A file may hold no zero byte in the field; never read past the record.
  return Text(record.tempFolder, strnlen(record.tempFolder, kTempFolderSize));
}

bool SetTempFolder(const Text& folder) {
  if (folder.size() >= kTempFolderSize) return false;
  std::memcpy(Settings.tempFolder, folder.c_str(), folder.size() + 1);
  return true;
}

void ResetSettings() {
  Settings.logEnabled = 1;
  Settings.backupDrive = CurrentDrive();
  Settings.categoryFilter = 1;
  char path[128];
  DWORD n = GetTempPathA(sizeof path, path);
  // A longer path does not fit the buffer: tempFolder then keeps what it held.
  if (n != 0 && n < sizeof path) CopyLine(Settings.tempFolder, path);
}

void ApplySettings(int32_t target) {
  const DriveBoxes& boxes = TheDriveBoxes();
  if (target == 1 && boxes.selectMain) boxes.selectMain(Settings.backupDrive);
  if (target == 2 && boxes.selectOptions) boxes.selectOptions(Settings.backupDrive);
}

void LoadSettings() {
  File file(std::fopen(kSettingsFile, "rb"));
  if (!file) {
    ResetSettings();
    return;
  }
  size_t got = std::fread(&Settings, 1, kSettingsSize, file.get());
  if (got == kSettingsSize) {
    ApplySettings(1);
    return;
  }
  WriteLogEntry("読み込んだ設定情報が合いません", kLogError, "ファイルの読み込みに失敗");
  file.reset();
  // The bytes of the short read stay where the defaults do not overwrite them.
  ResetSettings();
}

void SaveSettings() {
  File file;
  if (FileExists(kSettingsFile)) {
    // Not truncated: a longer file keeps its tail.
    file.reset(std::fopen(kSettingsFile, "r+b"));
    if (!file) {
      WriteLogEntry("設定を保存できませんでした", kLogError, "オープンに失敗");
      return;
    }
  } else {
    file.reset(std::fopen(kSettingsFile, "wb"));
    if (!file) {
      WriteLogEntry("設定を保存できませんでした", kLogError, "ファイルの作成に失敗");
      return;
    }
  }
  // A short write (a full disk) would pass for a save and leave a file that the next
  // start rejects: report it as the failure it is.
  bool written = SettingsWrite(&Settings, 1, kSettingsSize, file.get()) == kSettingsSize;
  if (std::fclose(file.release()) != 0) written = false;
  if (!written) {
    WriteLogEntry("設定を保存できませんでした", kLogError, "書き込みに失敗");
    return;
  }
  ApplySettings(1);
}

}  // namespace quillet
