#!/usr/bin/env bash
# What Unlha32.dll writes, read by other LHA tools: a staged archive, a direct archive and
# the self-extracting program made from it must list, test and extract with lhasa and
# bsdtar to the very bytes that were packed. Runs the DLL under Wine through unlha_run.
set -euo pipefail
wine_run=$1
unlha_run=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
win() { printf 'Z:%s' "$(printf '%s' "$1" | tr / '\\')"; }
archiver() {  # command text
  printf '%s' "$1" > "$work/cmd"
  "$wine_run" "$unlha_run" "$(win "$work/cmd")" || { echo "archiver failed: $1" >&2; exit 1; }
}

mkdir -p "$work/temp/ZEWO/WIN/system" "$work/temp/ZEWO/PRG/empty" "$work/G/save/sub" "$work/store"
printf '[a]\r\nb=1\r\n' > "$work/temp/ZEWO/WIN/system/foo.ini"
seq 1 30000 > "$work/temp/ZEWO/PRG/numbers.txt"
head -c 70000 /dev/urandom > "$work/temp/ZEWO/PRG/random.bin"
: > "$work/temp/ZEWO/PRG/empty.txt"
seq 1 5000 > "$work/G/save/a.sav"
printf 'b' > "$work/G/save/sub/b.sav"

archiver "a -r $(win "$work/store/staged") \"$(win "$work/temp")\\\" ZEWO\\*.*"
archiver "a -r -m7 $(win "$work/store/direct")  \"$(win "$work/G/save")\\*.*\""
archiver "s -x1 $(win "$work/store/direct") $(win "$work/store")\\"

check() {  # archive, tree it must hold (relative to the extraction folder), source tree
  local archive=$1 rel=$2 source=$3
  lhasa t "$archive" >/dev/null
  bsdtar -tf "$archive" >/dev/null
  for tool in lhasa bsdtar; do
    rm -rf "$work/x" && mkdir "$work/x"
    if [ $tool = lhasa ]; then (cd "$work/x" && lhasa xq "$archive"); else bsdtar -xf "$archive" -C "$work/x"; fi
    diff -r "$work/x/$rel" "$source" || { echo "$tool extracted $archive differently" >&2; exit 1; }
  done
}
check "$work/store/staged.LZH" ZEWO "$work/temp/ZEWO"
# Direct archives store the full path with the drive letter as the first folder.
check "$work/store/direct.LZH" "Z$work/G/save" "$work/G/save"
check "$work/store/direct.exe" "Z$work/G/save" "$work/G/save"
echo "1 passed, 0 failed"
