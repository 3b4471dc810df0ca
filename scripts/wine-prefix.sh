#!/usr/bin/env bash
# Creates a Wine prefix for Quillet's tests or demo: Japanese code page, a Gothic
# font standing in for the UI font, no desktop integration.
set -euo pipefail
prefix=${1:?usage: wine-prefix.sh PREFIX}
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$prefix"
LC_ALL=ja_JP.UTF-8 /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1 || true
reg() { LC_ALL=ja_JP.UTF-8 /usr/lib/wine/wine64 reg add "$@" /f >/dev/null 2>&1; }
reg 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' /v 'ＭＳ Ｐゴシック' /d IPAPGothic
reg 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' /v 'ＭＳ ゴシック' /d IPAGothic
# Message boxes and menus in a Japanese font too.
reg 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' /v 'MS Shell Dlg' /d IPAPGothic
reg 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' /v 'MS Shell Dlg 2' /d IPAPGothic
# Without a window manager (Xvfb) Wine draws the captions and borders itself.
reg 'HKCU\Software\Wine\X11 Driver' /v Managed /d N
reg 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0
/usr/lib/wine/wineserver -w
