// Any bytes as an Unlha32.dll command line: the parser, and what the library then does
// with the names in it before touching a disk (targets, original paths, wildcards, the
// report buffer). Crashes, hangs and broken promises about names all stop the run.
#include <cstdint>
#include <cstring>
#include <string>

#include "unlha32/command_line.h"
#include "unlha32/entry_target.h"
#include "unlha32/report.h"
#include "unlha32/sfx_layout.h"
#include "unlha32/sjis_path.h"

namespace {

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

// A relative target must stay below whatever it is joined to.
void CheckRelative(const std::string& rel) {
  Check(!rel.empty() && !unlha::IsSeparator(rel[0]));
  for (const std::string& part : unlha::SplitPath(rel)) Check(unlha::IsSafeComponent(part) && part != "..");
}

void Names(const std::string& a, const std::string& b) {
  std::string rel, root, rest, stored;
  if (unlha::RelativeTarget(a, rel) == 0) CheckRelative(rel);
  if (unlha::OriginalTarget(a, root, rest) == 0) {
    Check(root.size() >= 3);
    CheckRelative(rest);
  }
  if (unlha::StoredNameOfFullPath(unlha::CollapseBackslashes(a), stored) &&
      unlha::OriginalTarget(stored, root, rest) == 0)
    CheckRelative(rest);
  unlha::WildcardMatch(a, b);
  Check(unlha::SameName(a, unlha::FoldedName(a)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  unlha::CommandLine cl;
  std::string why;
  unlha::Report report;
  int code = unlha::ParseCommandLine(text, cl, why);
  if (code != 0) {
    Check(!why.empty());
    report.Fail(code, why);
  } else {
    Check(!cl.archive.empty());
    Names(cl.archive, cl.args.empty() ? text : cl.args[0]);
    for (size_t i = 0; i < cl.args.size() && i < 8; ++i) Names(cl.args[i], cl.archive);
    report.Line(text);
  }
  char buf[64];
  size_t n = size % sizeof buf;
  std::memset(buf, 0x5A, sizeof buf);
  report.CopyTo(buf, n);
  for (size_t i = n; i < sizeof buf; ++i) Check(buf[i] == 0x5A);
  if (n > 0) Check(std::memchr(buf, 0, n) != nullptr);

  // The same bytes as a stub program to lay an archive into.
  unlha::SfxLayout layout;
  if (unlha::LayOutSfx(data, size, size * 3, "tag", layout)) Check(layout.head.size() <= size + 3);
  return 0;
}
