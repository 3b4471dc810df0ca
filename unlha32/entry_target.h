// Where an archive entry may be written, decided before anything touches the disk.
// Every component is checked: no "..", nothing Windows would read as a drive, a stream
// or a device, so a name can only ever land inside the folder it is joined under.
#pragma once
#include <string>

namespace unlha {

// Path relative to a destination: a drive letter and leading separators dropped, "."
// dropped, '/' read as '\'. Returns kOk, or kUnsafePath (".." or an unsafe component).
int RelativeTarget(const std::string& entryPath, std::string& relative);

// The full path an entry of our own direct-mode archives was packed from: the first
// component is the drive letter ("C\G\x.ini" -> "C:\G\x.ini") or "UNC" followed by server
// and share. root gets "C:\" or "\\server\share\", rest what lies below it.
// Returns kOk, kNoOriginalPath when the entry has no such form, or kUnsafePath.
int OriginalTarget(const std::string& entryPath, std::string& root, std::string& rest);

// The stored name of a file packed by its full path; the inverse of OriginalTarget.
// False when the path is neither "X:\..." nor "\\server\share\...".
bool StoredNameOfFullPath(const std::string& full, std::string& stored);

// A name Windows takes at face value: no ':' '*' '?' '"' '<' '>' '|' or control bytes,
// not made of dots and spaces only, not a device name such as CON or LPT1.
bool IsSafeComponent(const std::string& c);

}  // namespace unlha
