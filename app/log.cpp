#include "app/log.h"

#include <cstdio>
#include <memory>

#include "app/settings.h"
#include "platform/clock.h"
#include "platform/msgbox.h"

namespace quillet {

namespace {

const char kCaption[] = "エラーメッセージ";
constexpr unsigned kStyle = kMbOk | kMbIconInformation;

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

}  // namespace

void WriteLogEntry(const Text& message, int32_t kind, const Text& detail) {
  const char* fileName;
  const char* cannotOpen;
  if (kind == kLogError) {
    ShowMessageBox(message, kCaption, kStyle);
    fileName = "_errdb.TXT";
    cannotOpen = "エラーメッセージファイルが作成できませんでした";
  } else if (kind == kLogTrace) {
    if (Settings.logEnabled == 0) return;
    fileName = "_ZwLog.TXT";
    cannotOpen = "ログファイルが作成できませんでした。";
  } else {
    return;
  }

  // Text mode: the "\n" below reaches the disk as CR LF.
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(fileName, "at"));
  if (!file) {
    ShowMessageBox(cannotOpen, kCaption, kStyle);
    return;
  }
  // Taken after the box: an error's time is when the user dismissed it.
  const ClockTime now = Now();
  const Text line =
      ShortDateText(now) + "  " + LongTimeText(now) + "  " + message + " / " + detail + "\n";
  std::fwrite(line.data(), 1, line.size(), file.get());
}

}  // namespace quillet
