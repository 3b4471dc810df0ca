#include "unlha32/commands.h"

#include "unlha32/archive_in.h"
#include "unlha32/command_line.h"
#include "unlha32/disk.h"
#include "unlha32/extract.h"
#include "unlha32/make_sfx.h"
#include "unlha32/pack.h"
#include "unlha32/result.h"
#include "unlha32/sjis_path.h"

namespace unlha {
namespace {

int RunRead(const CommandLine& cl, Report& r) {
  ExtractJob job;
  job.command = cl.command;
  job.switches = cl.switches;
  size_t first = 0;
  // "x archive dest\ [patterns]": the destination ends in a separator or is a folder.
  if (cl.command == 'x' && !cl.args.empty() && (EndsWithSeparator(cl.args[0]) || IsFolder(cl.args[0]))) {
    job.destination = cl.args[0];
    first = 1;
  }
  job.patterns.assign(cl.args.begin() + static_cast<long>(first), cl.args.end());
  ArchiveIn in;
  if (!OpenArchive(cl.archive, in, r)) return r.code();
  ExtractCounts counts;
  int code = RunExtract(in, job, r, &counts);
  if (code == kOk && cl.command == 'x')
    r.Line(std::to_string(counts.files) + " file(s) extracted from " + in.path);
  if (code == kOk && cl.command == 't') r.Line("no error in " + in.path);
  return code;
}

}  // namespace

int RunCommand(const std::string& text, Report& r) {
  CommandLine cl;
  std::string why;
  int code = ParseCommandLine(text, cl, why);
  if (code != kOk) {
    r.Fail(code, why);
    return code;
  }
  switch (cl.command) {
    case 'a': return RunPack(cl, r);
    case 's': return RunMakeSfx(cl, r);
    default: return RunRead(cl, r);
  }
}

}  // namespace unlha
