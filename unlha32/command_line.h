// The library's command language: one command letter, switches, the archive name and
// the command's arguments. Quotes group text with spaces; a backslash is never an escape
// (the program sends "C:\TEMP\" with the closing quote right after a backslash).
#pragma once
#include <string>
#include <vector>

namespace unlha {

enum class Method { Stored, Lh5, Lh7 };

struct Switches {
  bool recurse = true;      // -r, -r1, -r2 on (the default); -r0 only the named folder
  bool keepFolders = true;  // -x, -x1 folder names stored and restored (the default); -x0 names only
  bool overwrite = false;   // -y, -y1 overwrite existing files; -y0 leave them (the default)
  Method method = Method::Lh5;  // -m0 stored, -m5 -lh5- (the default), -m7 -lh7-
};

struct CommandLine {
  char command = 0;  // 'a', 'x', 'e', 's', 'l' or 't'
  Switches switches;
  std::string archive;            // as given, backslash runs collapsed
  std::vector<std::string> args;  // what follows the archive, likewise
};

// Parses text into out. Returns 0, or a result code with a short reason in why.
int ParseCommandLine(const std::string& text, CommandLine& out, std::string& why);

}  // namespace unlha
