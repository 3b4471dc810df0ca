#include "app/settings.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/drive_boxes.h"
#include "app/settings_seam.h"
#include "tests/definitions/test_support.h"

namespace quillet {
namespace {

std::string SystemTempPath() {
  char path[MAX_PATH];
  DWORD n = GetTempPathA(sizeof path, path);
  return std::string(path, n);
}

std::string Image(const SettingsRecord& record) {
  return std::string(reinterpret_cast<const char*>(&record), sizeof record);
}

// A record unlike the defaults in every field.
SettingsRecord Sample() {
  SettingsRecord r;
  std::memset(&r, 0x5A, sizeof r);
  r.logEnabled = 0;
  r.backupDrive = 'e';
  r.reserved[0] = 7;
  r.reserved[1] = 9;
  r.categoryFilter = 0x12345678;
  std::strcpy(r.tempFolder, "D:\\作業\\");
  return r;
}

class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::memset(&Settings, 0, sizeof Settings);
    TheDriveBoxes() = DriveBoxes{};
    TheDriveBoxes().selectMain = [this](char c) { mainSelections.push_back(c); };
    TheDriveBoxes().selectOptions = [this](char c) { optionSelections.push_back(c); };
  }
  void TearDown() override { TheDriveBoxes() = DriveBoxes{}; }

  void ExpectDefaults() {
    EXPECT_EQ(Settings.logEnabled, 1);
    EXPECT_EQ(Settings.categoryFilter, 1);
    EXPECT_EQ(TempFolder(), SystemTempPath());
    EXPECT_EQ(TempFolder().back(), '\\');
  }

  ScratchFolder scratch_;
  BoxRecorder recorder_;
  std::vector<char> mainSelections;
  std::vector<char> optionSelections;
};

TEST_F(SettingsTest, FirstRunTakesTheDefaultsSilently) {
  LoadSettings();
  ExpectDefaults();
  EXPECT_EQ(Settings.backupDrive, scratch_.path().string()[0]);  // the current directory's drive
  EXPECT_TRUE(recorder_.boxes.empty());
  EXPECT_TRUE(mainSelections.empty());  // the box already shows that drive
  EXPECT_FALSE(PathExists("ZEWO.INI"));
}

TEST_F(SettingsTest, TheDefaultDriveIsTheMainDriveBoxs) {
  TheDriveBoxes().mainDrive = [] { return 'q'; };
  ResetSettings();
  EXPECT_EQ(Settings.backupDrive, 'q');
}

TEST_F(SettingsTest, SaveAndLoadRoundTrip) {
  const SettingsRecord sample = Sample();
  Settings = sample;
  SaveSettings();
  EXPECT_EQ(ReadBytes("ZEWO.INI"), Image(sample));
  EXPECT_EQ(mainSelections, std::vector<char>{'e'});

  std::memset(&Settings, 0, sizeof Settings);
  LoadSettings();
  EXPECT_EQ(Image(Settings), Image(sample));
  EXPECT_EQ(mainSelections, (std::vector<char>{'e', 'e'}));
  EXPECT_TRUE(recorder_.boxes.empty());
}

TEST_F(SettingsTest, AShortFileIsReportedAndGivesTheDefaults) {
  WriteBytes("ZEWO.INI", Image(Sample()).substr(0, kSettingsSize - 1));
  LoadSettings();
  EXPECT_EQ(recorder_.boxes, std::vector<RecordedBox>{ErrorBox("読み込んだ設定情報が合いません")});
  EXPECT_NE(ReadBytes("_errdb.TXT").find("読み込んだ設定情報が合いません / ファイルの読み込みに失敗\r\n"),
            std::string::npos);
  ExpectDefaults();
  EXPECT_EQ(Settings.reserved[0], 7);  // what the defaults do not cover stays as read
  EXPECT_TRUE(mainSelections.empty());
}

TEST_F(SettingsTest, ALongerFileCountsByItsFirst2576BytesAndKeepsItsTail) {
  const std::string tail(3000 - kSettingsSize, 't');
  WriteBytes("ZEWO.INI", Image(Sample()) + tail);
  LoadSettings();
  EXPECT_EQ(Image(Settings), Image(Sample()));
  EXPECT_TRUE(recorder_.boxes.empty());

  Settings.logEnabled = 1;
  SaveSettings();
  SettingsRecord saved = Sample();
  saved.logEnabled = 1;
  EXPECT_EQ(ReadBytes("ZEWO.INI"), Image(saved) + tail);
}

TEST_F(SettingsTest, ATempFolderWithoutZeroByteIsReadToTheEndOfTheRecordOnly) {
  SettingsRecord record = Sample();
  std::memset(record.tempFolder, 'A', kTempFolderSize);
  WriteBytes("ZEWO.INI", Image(record) + "BBBB");
  LoadSettings();
  EXPECT_EQ(TempFolder(), std::string(kTempFolderSize, 'A'));

  // Whatever follows the record in memory is not part of the text.
  struct {
    SettingsRecord record;
    char after[64];
  } block;
  std::memset(&block, 'B', sizeof block);
  std::memset(block.record.tempFolder, 'A', kTempFolderSize);
  EXPECT_EQ(TempFolder(block.record), std::string(kTempFolderSize, 'A'));
}

TEST_F(SettingsTest, SetTempFolderKeepsRoomForTheZeroByte) {
  ASSERT_TRUE(SetTempFolder(std::string(kTempFolderSize - 1, 'x')));
  EXPECT_EQ(TempFolder(), std::string(kTempFolderSize - 1, 'x'));
  EXPECT_FALSE(SetTempFolder(std::string(kTempFolderSize, 'y')));
  EXPECT_EQ(TempFolder(), std::string(kTempFolderSize - 1, 'x'));
  ASSERT_TRUE(SetTempFolder("C:\\TEMP\\"));
  EXPECT_EQ(TempFolder(), "C:\\TEMP\\");
}

// GetTempPathA takes the path from TMP first.
class TmpVariable {
 public:
  explicit TmpVariable(const std::string& value) {
    char old[MAX_PATH * 4];
    DWORD n = GetEnvironmentVariableA("TMP", old, sizeof old);
    had_ = n > 0 && n < sizeof old;
    if (had_) old_ = old;
    SetEnvironmentVariableA("TMP", value.c_str());
  }
  ~TmpVariable() { SetEnvironmentVariableA("TMP", had_ ? old_.c_str() : nullptr); }

 private:
  bool had_ = false;
  std::string old_;
};

TEST_F(SettingsTest, ATempPathOf128CharactersOrMoreIsNotTaken) {
  const std::string base = scratch_.path().string() + "\\";
  const std::string fits = base + std::string(127 - base.size() - 1, 'f');      // 127 with its backslash
  const std::string tooLong = base + std::string(128 - base.size() - 1, 'l');   // 128 with its backslash
  CreateDirectoryA(fits.c_str(), nullptr);
  CreateDirectoryA(tooLong.c_str(), nullptr);
  {
    TmpVariable tmp(fits);
    ResetSettings();
    EXPECT_EQ(TempFolder(), fits + "\\");
  }
  {
    TmpVariable tmp(tooLong);
    std::memset(&Settings, 0, sizeof Settings);
    LoadSettings();
    EXPECT_EQ(TempFolder(), "");
    EXPECT_EQ(Settings.logEnabled, 1);
  }
}

TEST_F(SettingsTest, SavingFailuresAreReported) {
  struct Case {
    const char* what;
    bool folderInTheWay;
    const char* detail;
  };
  const Case cases[] = {
      {"a folder in the way", true, "ファイルの作成に失敗"},
      {"a file held open without sharing", false, "オープンに失敗"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ScratchFolder folder;
    recorder_.boxes.clear();
    HANDLE held = INVALID_HANDLE_VALUE;
    if (c.folderInTheWay) {
      CreateDirectoryA("ZEWO.INI", nullptr);
    } else {
      WriteBytes("ZEWO.INI", "x");
      held = CreateFileA("ZEWO.INI", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
      ASSERT_NE(held, INVALID_HANDLE_VALUE);
    }
    Settings = Sample();
    SaveSettings();
    if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
    EXPECT_EQ(recorder_.boxes, std::vector<RecordedBox>{ErrorBox("設定を保存できませんでした")});
    EXPECT_NE(ReadBytes("_errdb.TXT").find(std::string("設定を保存できませんでした / ") + c.detail),
              std::string::npos);
    EXPECT_TRUE(mainSelections.empty());
    EXPECT_EQ(Image(Settings), Image(Sample()));  // the new values stay in force
    if (!c.folderInTheWay) {
      EXPECT_EQ(ReadBytes("ZEWO.INI"), "x");
    }
  }
}

size_t WriteHalf(const void* data, size_t size, size_t count, std::FILE* file) {
  return std::fwrite(data, size, count / 2, file);
}

TEST_F(SettingsTest, AShortWriteIsReportedNotTakenForASave) {
  Settings = Sample();
  SettingsWrite = WriteHalf;
  SaveSettings();
  SettingsWrite = std::fwrite;
  EXPECT_EQ(recorder_.boxes, std::vector<RecordedBox>{ErrorBox("設定を保存できませんでした")});
  EXPECT_NE(ReadBytes("_errdb.TXT").find("設定を保存できませんでした / 書き込みに失敗"), std::string::npos);
  EXPECT_TRUE(mainSelections.empty()) << "the drive box is updated only after a save";
  EXPECT_EQ(Image(Settings), Image(Sample()));
}

TEST_F(SettingsTest, ApplySettingsSelectsTheDriveInTheBoxAsked) {
  Settings.backupDrive = 'D';
  ApplySettings(1);
  ApplySettings(2);
  ApplySettings(3);
  EXPECT_EQ(mainSelections, std::vector<char>{'D'});
  EXPECT_EQ(optionSelections, std::vector<char>{'D'});
  TheDriveBoxes() = DriveBoxes{};
  ApplySettings(1);  // no boxes yet: nothing to select
  ApplySettings(2);
}

}  // namespace
}  // namespace quillet
