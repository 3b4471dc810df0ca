#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds Quillet and starts it on a ready demo: a Wine
# prefix of its own, a working folder with the program, the archiver library, the
# shipped catalogue and sample application data. With a display, Quillet opens
# there; without one, it runs on a virtual display, a screenshot of the main
# window is saved, and the script ends.
set -euo pipefail
source "$(dirname "$0")/lib.sh"

bash "$root/scripts/setup.sh"
echo "== build: Windows 64-bit"
build_win64

# Wine makes its prefix on the display it will use, so the display comes first.
headless=0
[ -z "${DISPLAY:-}" ] && headless=1
trap 'stop_wine; stop_display' EXIT
[ $headless = 1 ] && start_display

demo=$build/demo
prefix=$demo/wineprefix
wine_env "$prefix"
if [ ! -f "$prefix/system.reg" ]; then
  "$root/scripts/wine-prefix.sh" "$prefix"
  bash "$root/demo/make-demo-data.sh" "$prefix"
fi

# The working folder is C:\Quillet, as a user would unzip it.
work=$prefix/drive_c/Quillet
mkdir -p "$work"
cp -r "$build/win64/dist/." "$work/"

start_wine "$prefix"

echo "== Quillet in $work"
(cd "$work" && LC_ALL=ja_JP.UTF-8 /usr/lib/wine/wine64 Quillet.exe) &
quillet=$!

if [ $headless = 0 ]; then
  wait $quillet
  exit 0
fi

# Wait for the main window, then photograph the virtual screen.
shown=0
for _ in $(seq 1 300); do
  if xwininfo -root -tree 2>/dev/null | grep -q '"Quillet"'; then shown=1; break; fi
  sleep 0.2
done
[ $shown = 1 ] || echo "Quillet's window did not show within a minute" >&2
sleep 2
shot=$demo/quillet.png
import -window root "$shot"
echo "Screenshot of the main window: $shot"
kill $quillet 2>/dev/null || true
