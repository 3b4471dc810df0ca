#include "app/log.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/settings.h"
#include "platform/clock.h"
#include "tests/definitions/test_support.h"

namespace quillet {
namespace {

class LogTest : public ::testing::Test {
 protected:
  void SetUp() override { Settings.logEnabled = 0; }

  // Writes one entry and returns the line it must have written, taking the
  // clock on both sides of the call so a second boundary cannot fail the test.
  std::vector<std::string> Write(const std::string& message, int32_t kind, const std::string& detail) {
    ClockTime before = Now();
    WriteLogEntry(message, kind, detail);
    ClockTime after = Now();
    std::vector<std::string> lines;
    for (const ClockTime& t : {before, after})
      lines.push_back(ShortDateText(t) + "  " + LongTimeText(t) + "  " + message + " / " + detail + "\r\n");
    return lines;
  }

  static bool IsOneOf(const std::string& s, const std::vector<std::string>& options) {
    return s == options[0] || s == options[1];
  }

  ScratchFolder scratch_;
  BoxRecorder recorder_;
};

TEST_F(LogTest, AnErrorShowsItsBoxAndIsAppended) {
  WriteBytes("_errdb.TXT", "earlier line\r\n");
  std::vector<std::string> first = Write("設定を保存できませんでした", kLogError, "オープンに失敗");
  std::vector<std::string> second = Write("二つ目", kLogError, "C:\\表\\x");

  EXPECT_EQ(recorder_.boxes, (std::vector<RecordedBox>{ErrorBox("設定を保存できませんでした"),
                                                       ErrorBox("二つ目")}));
  std::string file = ReadBytes("_errdb.TXT");
  const std::string earlier = "earlier line\r\n";
  ASSERT_EQ(file.compare(0, earlier.size(), earlier), 0);
  std::string rest = file.substr(earlier.size());
  size_t end = rest.find("\r\n") + 2;
  EXPECT_TRUE(IsOneOf(rest.substr(0, end), first)) << rest;
  EXPECT_TRUE(IsOneOf(rest.substr(end), second)) << rest;
  EXPECT_FALSE(PathExists("_ZwLog.TXT"));
}

TEST_F(LogTest, EmptyTextsStillMakeAWholeLine) {
  std::vector<std::string> line = Write("", kLogError, "");
  EXPECT_TRUE(IsOneOf(ReadBytes("_errdb.TXT"), line));
  EXPECT_EQ(line[0].substr(line[0].size() - 7), "   / \r\n");
}

TEST_F(LogTest, TraceOnlyWhileLoggingIsOn) {
  WriteLogEntry("off", kLogTrace, "x");
  EXPECT_FALSE(PathExists("_ZwLog.TXT"));

  Settings.logEnabled = 1;
  std::vector<std::string> line = Write("圧縮ログ", kLogTrace, "a -r D:\\ZEWOSTOR\\x");
  EXPECT_TRUE(IsOneOf(ReadBytes("_ZwLog.TXT"), line));

  Settings.logEnabled = 0;
  WriteLogEntry("off again", kLogTrace, "x");
  EXPECT_TRUE(IsOneOf(ReadBytes("_ZwLog.TXT"), line));

  EXPECT_TRUE(recorder_.boxes.empty());
  EXPECT_FALSE(PathExists("_errdb.TXT"));
}

TEST_F(LogTest, OtherKindsDoNothing) {
  Settings.logEnabled = 1;
  for (int32_t kind : {0, 2, 99, 101, -1}) WriteLogEntry("m", kind, "d");
  EXPECT_TRUE(recorder_.boxes.empty());
  EXPECT_FALSE(PathExists("_errdb.TXT"));
  EXPECT_FALSE(PathExists("_ZwLog.TXT"));
}

TEST_F(LogTest, AFileThatCannotBeOpenedGetsABoxOfItsOwn) {
  CreateDirectoryA("_errdb.TXT", nullptr);
  CreateDirectoryA("_ZwLog.TXT", nullptr);
  Settings.logEnabled = 1;
  WriteLogEntry("本来のエラー", kLogError, "d");
  WriteLogEntry("trace", kLogTrace, "d");
  EXPECT_EQ(recorder_.boxes, (std::vector<RecordedBox>{
                                 ErrorBox("本来のエラー"),
                                 ErrorBox("エラーメッセージファイルが作成できませんでした"),
                                 ErrorBox("ログファイルが作成できませんでした。"),
                             }));
}

}  // namespace
}  // namespace quillet
