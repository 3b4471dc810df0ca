#include "definitions/loader.h"

#include <cstring>

#include "app/log.h"
#include "definitions/bak_list.h"
#include "definitions/find_files.h"
#include "definitions/line_reader.h"

namespace quillet {

namespace {

enum class Section {
  None,
  Title,
  Explanation,
  ExplanationMore,
  RegistryRefs,
  Type,
  FileList,
  FileListMore,
  Os,
  RegistryKey,
  IniRefs,
  Switch,
  SaveFolder,
  End,
};

struct Marker {
  const char* text;
  size_t count;  // bytes compared; the rest of the line is ignored
  Section section;
};

// Tested in this order; the first match wins.
const Marker kMarkers[] = {
    {"[title", 6, Section::Title},          {"[explain]", 9, Section::Explanation},
    {"[rfreg", 6, Section::RegistryRefs},   {"[type", 5, Section::Type},
    {"[file]", 6, Section::FileList},       {"[os]", 4, Section::Os},
    {"[reg]", 5, Section::RegistryKey},     {"[inifnm]", 8, Section::IniRefs},
    {"[switch]", 8, Section::Switch},       {"[svdir", 6, Section::SaveFolder},
    {"[end", 4, Section::End},
};

struct GenreKeyword {
  const char* keyword;
  int32_t genre;
};

const GenreKeyword kGenres[] = {
    {"SYS", kGenreSys},     {"APP", kGenreApp},       {"GAM", kGenreGame}, {"AGE", kGenreAdult},
    {"DSF", kGenreDoujin},  {"ETC", kGenreEtc},       {"SEL", kGenreUser},
};

struct OsToken {
  const char* token;
  int32_t bit;
};

const OsToken kOsTokens[] = {
    {"95", kOs95}, {"98", kOs98}, {"ME", kOsMe}, {"2K", kOs2000}, {"XP", kOsXp},
};

const char kDefinitionFolder[] = "TGF";

// The state of one file being read; nothing of it outlives the file.
class FileParser {
 public:
  explicit FileParser(int32_t slot) : slot_(slot) { DefinitionCatalogue[slot_].contentFlags = 0; }

  int32_t slot() const { return slot_; }

  void Open(Section section) {
    if (section == Section::RegistryRefs || section == Section::IniRefs) {
      group_ = 0;
      entry_ = 0;
    }
    section_ = section;
  }

  void CloseDefinition() {
    section_ = Section::None;
    ++slot_;
    DefinitionCatalogue[slot_].contentFlags = 0;
  }

  // `line` is the piece without its line feed, `asRead` the piece as read.
  void Content(const Text& line, const Text& asRead) {
    BakList& d = DefinitionCatalogue[slot_];
    switch (section_) {
      case Section::None:
      case Section::End:
        break;
      case Section::Title:
        d.title = line;
        section_ = Section::None;
        break;
      case Section::Explanation:
        d.explanation = asRead;
        section_ = Section::ExplanationMore;
        break;
      case Section::ExplanationMore:
        d.explanation += asRead;
        break;
      case Section::Type:
        ReadType(d, line, asRead);
        break;
      case Section::FileList:
        d.fileList = FileItem(line);
        d.contentFlags |= kHasFileList;
        section_ = Section::FileListMore;
        break;
      case Section::FileListMore:
        d.fileList += " " + FileItem(line);
        break;
      case Section::Os:
        d.osMask = OsMask(line);
        break;
      case Section::RegistryKey:
        d.registryKey = asRead;
        d.contentFlags |= kFlagRegOrIniOrSwitch;
        break;
      case Section::Switch:
        d.archiverSwitch = line;
        d.contentFlags |= kFlagRegistry | kFlagRegOrIniOrSwitch;
        break;
      case Section::SaveFolder:
        d.saveFolder = line;
        break;
      case Section::RegistryRefs:
        StoreRef(d, d.registryRefs, line, "レジストリ参照数が多すぎます");
        d.contentFlags |= kFlagRegistry;
        break;
      case Section::IniRefs:
        StoreRef(d, d.iniRefs, line, "INIファイルへの参照数が多すぎます");
        d.contentFlags |= kFlagTypeOrIni | kFlagRegOrIniOrSwitch;
        break;
    }
  }

 private:
  static void ReadType(BakList& d, const Text& line, const Text& asRead) {
    d.contentFlags |= kFlagTypeOrIni;
    for (const GenreKeyword& g : kGenres) {
      if (line.compare(0, 3, g.keyword) == 0) {
        d.genre = g.genre;
        return;
      }
    }
    WriteLogEntry("ジャンルが一致しません", kLogError, asRead);
  }

  static Text FileItem(const Text& path) {
    return FindChar(path, '%') != Text::npos ? "[" + path + "]" : "[%NNL%" + path + "]";
  }

  static int32_t OsMask(const Text& line) {
    if (Contains(line, "ALL")) return 0;
    int32_t mask = 0;
    for (const OsToken& t : kOsTokens)
      if (Contains(line, t.token)) mask |= t.bit;
    return mask;
  }

  // Groups past the tenth are read but not stored; each is reported once complete.
  template <size_t Entries>
  void StoreRef(BakList& d, Text (&refs)[kRefGroups][Entries], const Text& line, const char* tooMany) {
    if (group_ < kRefGroups) refs[group_][entry_] = line;
    if (++entry_ < static_cast<int>(Entries)) return;
    entry_ = 0;
    if (group_ < kRefGroups) {
      d.refGroupCount = group_;
      ++group_;
    } else {
      WriteLogEntry(tooMany, kLogError, HexText(slot_));
    }
  }

  int32_t slot_;
  Section section_ = Section::None;
  int group_ = 0;
  int entry_ = 0;
};

const Marker* MatchMarker(const char* line) {
  for (const Marker& m : kMarkers)
    if (std::strncmp(line, m.text, m.count) == 0) return &m;
  return nullptr;
}

}  // namespace

void CopyLine(char* destination, const char* source) {
  size_t n = 0;
  if (source[0] != '\0') {
    destination[0] = source[0];
    n = 1;
  }
  while (n < kLineBufferSize - 1 && source[n] != '\0' && source[n] != '\n') {
    destination[n] = source[n];
    ++n;
  }
  destination[n] = '\0';
}

int32_t ParseDefinitionFile(const Text& path) {
  LineReader reader(path);
  if (!reader.IsOpen()) {
    WriteLogEntry("定義ファイルのが開けません", kLogError, path);
    return -1;
  }
  // Only a caller outside the loader could start past the limit; refuse before
  // any slot is touched.
  if (definitionCount < 0 || definitionCount >= kDefinitionLimit) {
    WriteLogEntry("定義数が最大値に達しました", kLogError, HexText(definitionCount));
    return -1;
  }

  FileParser parser(definitionCount);
  char asRead[kLineBufferSize];
  char line[kLineBufferSize];
  while (reader.ReadLine(asRead)) {
    if (asRead[0] == '\n') continue;
    if (asRead[0] == '[') {
      const Marker* marker = MatchMarker(asRead);
      if (!marker) continue;
      if (marker->section != Section::End) {
        parser.Open(marker->section);
        continue;
      }
      parser.CloseDefinition();
    } else {
      // The buffer is a C string: a zero byte read from the file ends the line there.
      CopyLine(line, asRead);
      parser.Content(line, asRead);
    }
    if (parser.slot() >= kDefinitionLimit) {
      reader.Close();
      WriteLogEntry("定義数が最大値に達しました", kLogError, HexText(parser.slot()));
      return -1;
    }
  }
  definitionCount = parser.slot();
  return definitionCount;
}

int32_t LoadDefinitions() {
  const Text folder = kDefinitionFolder;
  if (!FolderExists(folder)) {
    WriteLogEntry("定義ファイルのディレクトリが見つかりません", kLogError, "");
    return -1;
  }
  const Text pattern = folder + "\\*.TGF";
  DirectorySearch search(pattern);
  if (!search.Found()) {
    WriteLogEntry("定義ファイルが見つかりません", kLogError, pattern);
    return -1;
  }
  int32_t result = definitionCount;
  do {
    result = ParseDefinitionFile(folder + "\\" + search.Name());
    if (result == -1) return -1;
  } while (search.Next());
  return result;
}

}  // namespace quillet
