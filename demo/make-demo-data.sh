#!/usr/bin/env bash
# Puts into a Wine prefix what the shipped catalogue (TGF/*.TGF) expects to find:
# files in the user's folders, the sample editor with its INI file in the Windows
# folder, the sample game with its registry value, and a Windows 9x start menu.
set -euo pipefail
prefix=${1:?usage: make-demo-data.sh PREFIX}
export WINEPREFIX=$prefix WINEDEBUG=-all
reg_add() { LC_ALL=ja_JP.UTF-8 /usr/lib/wine/wine64 reg add "$@" /f >/dev/null; }
c=$prefix/drive_c
home=$c/users/${USER:-$(id -un)}
[ -d "$home" ] || { echo "no Wine user folder in $prefix; create the prefix first" >&2; exit 1; }

# Texts are Shift-JIS with CR LF, as Windows programs of this kind write them.
put() {  # file, lines...
  local file=$1; shift
  mkdir -p "$(dirname "$file")"
  printf '%s\r\n' "$@" | iconv -f UTF-8 -t CP932 >"$file"
}

# Wine links Desktop and Documents to the Unix home; a backup of those must
# never reach it, so they become folders of the prefix.
for d in Desktop Documents; do
  [ -L "$home/$d" ] && rm -- "$home/$d"
  mkdir -p "$home/$d"
done

put "$home/Favorites/サンプルソフト.url" "[InternetShortcut]" "URL=http://www.example.com/"
put "$home/Favorites/ニュース/天気.url" "[InternetShortcut]" "URL=http://weather.example.com/"
put "$home/Desktop/買い物メモ.txt" "牛乳" "たまご"
put "$home/Desktop/todo.txt" "バックアップを取る"
put "$home/Documents/報告書.txt" "今月の報告" "以上"
put "$home/Documents/手紙/あいさつ.txt" "拝啓"

editor="$c/Program Files/SampleEditor"
put "$editor/SampleEd.exe" "dummy program"
put "$editor/Data/user.dic" "きょう	今日" "あした	明日"
put "$editor/Data/定型文.txt" "いつもお世話になっております。"
put "$c/windows/SampleEd.ini" "[Paths]" 'DataFolder=C:\Program Files\SampleEditor\Data' "[Window]" "Width=640"

game="$c/Program Files/SampleGame"
put "$game/game.exe" "dummy program"
put "$game/config.ini" "[Sound]" "Volume=8"
put "$game/save/slot1.sav" "stage=3"
put "$game/save/slot2.sav" "stage=7"
reg_add 'HKCU\Software\SampleSoft\SampleGame' /v ExePath /d 'C:\Program Files\SampleGame\game.exe'

put "$c/windows/Start Menu/Programs/サンプルエディタ.lnk" "dummy shortcut"

# The catalogue reads the Windows folder the NT way and hides 9x-only entries on XP.
reg_add 'HKCU\Software\Wine\AppDefaults\Quillet.exe' /v Version /d winxp
