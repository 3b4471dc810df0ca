// The "s" command: a self-extracting program from an archive.
#pragma once
#include "unlha32/command_line.h"
#include "unlha32/report.h"

namespace unlha {

// Writes <folder>\<archive name>.exe: our stub with the archive's bytes unchanged inside,
// early enough that other LHA readers still find it (see sfx_layout.h). The folder is cl.args[0], else the
// archive's own. The archive is checked whole first; an existing program is replaced
// only with -y1.
int RunMakeSfx(const CommandLine& cl, Report& r);

}  // namespace unlha
