// The "a" command: pack files into a new or existing archive.
#pragma once
#include "unlha32/command_line.h"
#include "unlha32/report.h"

namespace unlha {

// Packs cl.args into cl.archive (".LZH" added when it has no extension).
//  - "base\" followed by patterns: the patterns are relative to base, and so are the
//    stored names ("C:\TEMP\" "ZEWO\*.*" stores ZEWO\...).
//  - a full path ("C:\G\save\*.*"): stored with its drive letter as first folder
//    ("C\G\save\a.sav"), so that "x" without destination restores it in place.
//  - a relative path: relative to the current folder, stored as given.
// Wildcards in the last component; with recursion every subfolder is searched too and
// folders whose names match are stored as folder entries, empty ones included. An existing
// archive keeps its other entries; the new archive replaces it only once complete.
int RunPack(const CommandLine& cl, Report& r);

}  // namespace unlha
