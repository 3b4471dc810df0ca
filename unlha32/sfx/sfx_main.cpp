// The self-extracting program: our stub with a direct-mode archive appended. Run by a
// user it shows where each file goes, asks, restores every file to the path it was
// packed from, and says how it went. "/y" on its command line runs it unattended: no
// questions, no boxes, and the exit code is the library's result code.
#include <windows.h>

#include <string>
#include <vector>

#include "unlha32/archive_in.h"
#include "unlha32/extract.h"
#include "unlha32/report.h"
#include "unlha32/result.h"

namespace {

constexpr size_t kShownTargets = 12;    // lines of the question before "ほか"
constexpr size_t kShownReport = 1500;   // bytes of the report in the closing box

const char kCaption[] = "自己解凍 - バックアップの復元";

bool Unattended() {
  // The program's own name comes first, quoted or not; a "/y" or "-y" token follows.
  const char* p = GetCommandLineA();
  if (*p == '"') {
    for (++p; *p && *p != '"'; ++p) {
    }
    if (*p) ++p;
  } else {
    while (*p && *p != ' ' && *p != '\t') ++p;
  }
  while (*p) {
    while (*p == ' ' || *p == '\t') ++p;
    const char* start = p;
    while (*p && *p != ' ' && *p != '\t') ++p;
    if (p - start == 2 && (start[0] == '/' || start[0] == '-') && (start[1] == 'y' || start[1] == 'Y')) return true;
  }
  return false;
}

std::string Number(unsigned long v) {
  char buf[16];
  wsprintfA(buf, "%lu", v);
  return buf;
}

std::string Hex(int v) {
  char buf[16];
  wsprintfA(buf, "%04X", static_cast<unsigned>(v));
  return buf;
}

std::string Question(const std::vector<std::string>& targets) {
  std::string text = "次のファイルを元の場所に復元します。\n同じ名前のファイルは上書きされます。よろしいですか？\n\n";
  for (size_t i = 0; i < targets.size() && i < kShownTargets; ++i) text += targets[i] + "\n";
  if (targets.size() > kShownTargets) text += "ほか " + Number(static_cast<unsigned long>(targets.size() - kShownTargets)) + " 個のファイル\n";
  return text;
}

int Fail(bool quiet, const unlha::Report& r) {
  if (!quiet) {
    char shown[kShownReport];
    r.CopyTo(shown, sizeof shown);  // cut between characters
    std::string text = "復元できませんでした (コード " + Hex(r.code()) + ")。\n\n" + shown;
    MessageBoxA(nullptr, text.c_str(), kCaption, MB_OK | MB_ICONERROR);
  }
  return r.code();
}

int Run() {
  bool quiet = Unattended();
  char self[MAX_PATH * 2];
  DWORD n = GetModuleFileNameA(nullptr, self, sizeof self);
  unlha::Report r;
  unlha::ArchiveIn in;
  if (n == 0 || n >= sizeof self) {
    r.Fail(unlha::kArchiveUnreadable, "GetModuleFileNameA failed");
    return Fail(quiet, r);
  }
  if (!unlha::OpenArchive(std::string(self, n), in, r)) return Fail(quiet, r);
  std::vector<std::string> targets;
  if (unlha::PlanOriginalTargets(in, targets, r) != unlha::kOk) return Fail(quiet, r);
  if (!quiet && MessageBoxA(nullptr, Question(targets).c_str(), kCaption, MB_YESNO | MB_ICONQUESTION) != IDYES)
    return unlha::kOk;
  unlha::ExtractJob job;
  job.command = 'x';
  job.switches.overwrite = true;  // the user has just agreed to put the saved files back
  unlha::ExtractCounts counts;
  if (unlha::RunExtract(in, job, r, &counts) != unlha::kOk) return Fail(quiet, r);
  if (!quiet) {
    std::string text = Number(static_cast<unsigned long>(counts.files)) + " 個のファイルを復元しました。";
    MessageBoxA(nullptr, text.c_str(), kCaption, MB_OK | MB_ICONINFORMATION);
  }
  return unlha::kOk;
}

}  // namespace

extern "C" void RunConstructors();

// The entry point: no C runtime start-up, which keeps the stub small enough for readers
// that look for the archive only in a program's first 24 KiB.
extern "C" void WINAPI SfxEntry() {
  RunConstructors();
  ExitProcess(static_cast<UINT>(Run()));
}
