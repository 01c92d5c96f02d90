#!/bin/bash
# Pictures of the page editor's tab "Vorschau" for the README. For each page it starts the editor
# on the demo project under Xvfb, opens the page from the page list as a user would ("Seite
# bearbeiten"), brings "Vorschau" to the front and saves the editor's window as
# docs/preview-<page>.png.
#
#   tools/preview-screenshots.sh [BUILD_DIR [PAGE...]]
#
# BUILD_DIR is a built tree with the editor and its demo data (default build/default, as `make run`
# leaves it); the pages default to Start and Kueche. Needs xvfb, xauth, xdotool and imagemagick.
# The editor runs on BUILD_DIR's demo settings and is ended without saving anything.
set -euo pipefail

source_dir=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "${1:-$source_dir/build/default}")
shift || true
pages=("$@")
[ ${#pages[@]} -gt 0 ] || pages=(Start Kueche)

if [ ! -x "$build/src/webdef" ] || [ ! -d "$build/demo-home" ]; then
    echo "No editor with demo data in $build: build it first (make run, or cmake --build)" >&2
    exit 1
fi
# One virtual screen for all pages, large enough for the editor at its usual size.
if [ -z "${WEBDEF_SHOTS_INSIDE:-}" ]; then
    exec xvfb-run -a -s '-screen 0 1280x900x24' env WEBDEF_SHOTS_INSIDE=1 "$0" "$build" "${pages[@]}"
fi

export XDG_CONFIG_HOME=$build/demo-home/config HOME=$build/demo-home ASAN_OPTIONS=detect_leaks=0
mkdir -p "$source_dir/docs"

# The first window with exactly this title, once it is shown (30 seconds at most).
window() {
    timeout 30 xdotool search --sync --onlyvisible --name "^$1\$" | head -1
}

shoot() {
    local page=$1 out=$source_dir/docs/preview-$1.png
    "$build/src/webdef" 2>/dev/null &
    local pid=$!
    trap 'kill $pid 2>/dev/null || true' EXIT
    local main
    main=$(window 'Fennaro WebDef')
    # A click into the empty part of the page list, then the page's name: the list selects the
    # page as it is typed. Alt+B is "Seite bearbeiten".
    eval "$(xdotool getwindowgeometry --shell "$main")"
    xdotool mousemove --window "$main" $((WIDTH / 5)) $((HEIGHT * 3 / 4)) click 1
    xdotool type --delay 50 "$page"
    xdotool key alt+b
    local editor
    editor=$(window 'WEB-Seite definieren')
    # The editor opens on its first tab; "Vorschau" is the fifth. The preview is drawn as its tab
    # is shown, which the window system sees a moment later.
    xdotool key --delay 200 ctrl+Tab ctrl+Tab ctrl+Tab ctrl+Tab
    sleep 1
    import -window "$editor" "$out"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    trap - EXIT
    echo "$out"
}

for page in "${pages[@]}"; do
    shoot "$page"
done
