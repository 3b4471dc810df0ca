#include "unlha32/command_line.h"

#include "unlha32/result.h"
#include "unlha32/sjis_path.h"

namespace unlha {
namespace {

struct Token {
  std::string text;
  bool quoted = false;
};

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Splits at unquoted white space; quotes toggle and are removed. A quote can never be a
// Shift-JIS trail byte, so bytes are taken one by one here.
bool Tokenize(const std::string& text, std::vector<Token>& out) {
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && IsSpace(text[i])) ++i;
    if (i == text.size()) break;
    Token t;
    bool inQuotes = false;
    while (i < text.size() && (inQuotes || !IsSpace(text[i]))) {
      if (text[i] == '"') {
        inQuotes = !inQuotes;
        t.quoted = true;
      } else {
        t.text += text[i];
      }
      ++i;
    }
    if (inQuotes) return false;
    out.push_back(t);
  }
  return true;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// One switch token such as "-r", "-x1", "-m7" or several run together ("-r1x1y1").
int ParseSwitches(const std::string& tok, Switches& sw, std::string& why) {
  if (tok.size() < 2) {
    why = "empty switch \"-\"";
    return kUnknownSwitch;
  }
  size_t i = 1;
  while (i < tok.size()) {
    char letter = Lower(tok[i++]);
    std::string digits;
    while (i < tok.size() && tok[i] >= '0' && tok[i] <= '9') digits += tok[i++];
    bool ok = true;
    switch (letter) {
      case 'r':
        ok = digits.empty() || digits == "0" || digits == "1" || digits == "2";
        sw.recurse = digits != "0";
        break;
      case 'x':
        ok = digits.empty() || digits == "0" || digits == "1";
        sw.keepFolders = digits != "0";
        break;
      case 'y':
        ok = digits.empty() || digits == "0" || digits == "1";
        sw.overwrite = digits != "0";
        break;
      case 'm':
        ok = digits == "0" || digits == "5" || digits == "7";
        sw.method = digits == "0" ? Method::Stored : digits == "7" ? Method::Lh7 : Method::Lh5;
        break;
      default:
        ok = false;
    }
    if (!ok) {
      why = "unknown switch \"" + tok + "\"";
      return kUnknownSwitch;
    }
  }
  return kOk;
}

}  // namespace

int ParseCommandLine(const std::string& text, CommandLine& out, std::string& why) {
  out = CommandLine();
  std::vector<Token> tokens;
  if (!Tokenize(text, tokens)) {
    why = "a double quote is not closed";
    return kBadCommandLine;
  }
  if (tokens.empty()) {
    why = "empty command line";
    return kBadCommandLine;
  }
  const std::string& cmd = tokens[0].text;
  char c = cmd.size() == 1 ? Lower(cmd[0]) : 0;
  if (c != 'a' && c != 'x' && c != 'e' && c != 's' && c != 'l' && c != 't') {
    why = "unknown command \"" + cmd + "\"";
    return kUnknownCommand;
  }
  out.command = c;
  bool switchesEnd = false;
  for (size_t i = 1; i < tokens.size(); ++i) {
    const Token& t = tokens[i];
    if (!t.quoted && !switchesEnd && !t.text.empty() && t.text[0] == '-') {
      if (t.text == "--") {
        switchesEnd = true;
        continue;
      }
      int r = ParseSwitches(t.text, out.switches, why);
      if (r != kOk) return r;
      continue;
    }
    if (t.text.empty()) {
      why = "empty name \"\"";
      return kBadCommandLine;
    }
    std::string path = CollapseBackslashes(t.text);
    if (out.archive.empty())
      out.archive = path;
    else
      out.args.push_back(path);
  }
  if (out.command == 'e') {
    out.command = 'x';
    out.switches.keepFolders = false;
  }
  if (out.archive.empty()) {
    why = "no archive name";
    return kBadCommandLine;
  }
  if (out.command == 'a' && out.args.empty()) {
    why = "nothing to pack: no file name after the archive";
    return kBadCommandLine;
  }
  if (out.command == 's' && out.args.size() > 1) {
    why = "\"s\" takes the archive and at most one folder";
    return kBadCommandLine;
  }
  return kOk;
}

}  // namespace unlha
