#!/bin/bash
# Pictures of the Windows build for the README: the main window on the demo project and the page
# editor on the page Wohnzimmer (tab "Objekte"), taken under Wine on a virtual display, saved as
# docs/windows-main.png and docs/windows-editor.png. Works on a copy of the demo data in a Wine
# prefix of its own, so nothing of build/windows changes.
#
#   tools/windows/screenshots.sh [BUILD_DIR]
#
# BUILD_DIR is the Windows build (default build/windows, as make windows leaves it). Needs xvfb,
# xdotool and imagemagick besides wine.
set -euo pipefail

source_dir=$(cd "$(dirname "$0")/../.." && pwd)
build=$(realpath "${1:-$source_dir/build/windows}")
work=$(mktemp -d /tmp/webdef-winshots-XXXXXX)
trap 'wineserver -k 2>/dev/null || true; kill "${xvfb:-}" 2>/dev/null || true; rm -rf "$work"' EXIT

[ -x "$build/webdef.exe" ] || { echo "no webdef.exe in $build: run make windows first" >&2; exit 1; }
cp -r "$build/demo/data" "$work/data"
export WINEPREFIX=$work/prefix WINEDEBUG=-all
Xvfb :96 -screen 0 1280x900x24 >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=:96
sleep 1
wineboot -i >/dev/null 2>&1
# The demo's settings, pointing at the copy.
winpath=$(winepath -w "$work/data")
sed "s|^\"DIRDAT\"=.*|\"DIRDAT\"=\"${winpath//\\/\\\\\\\\}\"|" "$build/demo-home/demo-settings.reg" > "$work/demo.reg"
wine regedit /S "$(winepath -w "$work/demo.reg")" >/dev/null 2>&1

window() {
    timeout 60 xdotool search --sync --onlyvisible --name "^$1\$" | head -1
}
wine "$build/webdef.exe" >/dev/null 2>&1 &
main=$(window 'Fennaro WebDef')
sleep 3
eval "$(xdotool getwindowgeometry --shell "$main")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$source_dir/docs/windows-main.png"
# A click into the empty part of the page list, the page's name typed, Alt+B: "Seite bearbeiten".
xdotool mousemove --window "$main" $((WIDTH / 5)) $((HEIGHT * 3 / 4)) click 1
sleep 0.5
xdotool type --delay 80 "Wohnzimmer"
xdotool key alt+b
editor=$(window 'WEB-Seite definieren')
sleep 3
xdotool key ctrl+Tab
sleep 2
eval "$(xdotool getwindowgeometry --shell "$editor")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$source_dir/docs/windows-editor.png"
echo "$source_dir/docs/windows-main.png"
echo "$source_dir/docs/windows-editor.png"
