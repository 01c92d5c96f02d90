#!/bin/bash
# Builds the Qt the Windows programs link against, once per machine: Debian's source of the host's
# Qt 6.4.2, cross-compiled with MinGW-w64 into ~/.cache/fennaro-webdef/qt-6.4.2-mingw. Only what
# the programs use is built (Core, Gui, Widgets, Test; the windows and offscreen platforms, the
# Vista style, gif/ico/jpeg), with Qt's bundled third-party libraries. A stamp in the prefix records
# the options of a finished build; while it matches, the script only prints the prefix and exits, so
# later builds and other clones reuse it. Runs niced; the full output goes to a log in the cache.
#
# Usage: tools/windows/build-qt.sh
set -euo pipefail

QT_VERSION=6.4.2
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
CACHE=$HOME/.cache/fennaro-webdef
PREFIX=$CACHE/qt-$QT_VERSION-mingw
STAMP=$PREFIX/.webdef-build-complete
SRC_PARENT=$CACHE/src
BUILD=$CACHE/build/qt-$QT_VERSION-mingw
LOG=$CACHE/logs/build-qt.log
TOOLCHAIN=$ROOT/cmake/mingw-w64-x86_64.cmake
HOST_CMAKE_DIR=/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH 2>/dev/null || echo x86_64-linux-gnu)/cmake

# Changing anything here (or the compiler) rebuilds Qt: the stamp holds this text.
QT_OPTIONS=(
    -DCMAKE_BUILD_TYPE=Release
    -DBUILD_SHARED_LIBS=ON
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
    -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_xml=OFF
    -DFEATURE_concurrent=OFF -DFEATURE_printsupport=OFF
    -DINPUT_opengl=no -DFEATURE_opengl=OFF -DFEATURE_vulkan=OFF
    -DFEATURE_icu=OFF -DFEATURE_zstd=OFF
    # The Debian source has no wintab headers.
    -DFEATURE_tabletevent=OFF
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF
    -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_freetype=OFF -DFEATURE_system_pcre2=OFF
    -DFEATURE_system_doubleconversion=OFF -DFEATURE_system_textmarkdownreader=OFF
    -DFEATURE_freetype=ON -DFEATURE_harfbuzz=ON
    -DFEATURE_png=ON -DFEATURE_jpeg=ON -DFEATURE_gif=ON -DFEATURE_ico=ON
    # direct2d off with DirectWrite on does not link in 6.4.2; both stay on.
    -DFEATURE_direct2d=ON -DFEATURE_directwrite=ON
)
stamp_text() {
    printf '%s\n' "qt $QT_VERSION" "${QT_OPTIONS[@]}"
    x86_64-w64-mingw32-g++-posix --version | head -n 1
}

if [ -f "$STAMP" ] && [ "$(cat "$STAMP")" = "$(stamp_text)" ]; then
    echo "Qt for Windows: $PREFIX"
    exit 0
fi

mkdir -p "$CACHE/logs" "$SRC_PARENT"
# Two clones building at once wait for each other instead of sharing a half-built prefix.
exec 9>"$CACHE/qt-$QT_VERSION-mingw.lock"
flock 9
if [ -f "$STAMP" ] && [ "$(cat "$STAMP")" = "$(stamp_text)" ]; then
    echo "Qt for Windows: $PREFIX"
    exit 0
fi
: >"$LOG"

niced() {
    if command -v ionice >/dev/null; then
        nice -n 19 ionice -c3 "$@"
    else
        nice -n 19 "$@"
    fi
}
fail() {
    echo "build-qt.sh: $1 (last lines of $LOG):" >&2
    tail -n 40 "$LOG" >&2
    exit 1
}

# The source comes from the same Debian archive as the host's Qt tools, through a private apt
# list so the machine's own apt set-up stays as it is.
host_version=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools)
case "$host_version" in
    "$QT_VERSION"+*) ;;
    *) echo "build-qt.sh: the host's Qt tools are $host_version, not $QT_VERSION" >&2; exit 1 ;;
esac
src_dir=$SRC_PARENT/qt6-base-${host_version%-*}
if [ ! -f "$src_dir/.webdef-unpacked" ]; then
    echo "Fetching the source of qt6-base $host_version into $SRC_PARENT"
    apt_dir=$CACHE/apt
    mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
    # shellcheck disable=SC1091
    suite=$(. /etc/os-release && echo "$VERSION_CODENAME")
    mirror=${WEBDEF_DEBIAN_MIRROR:-http://deb.debian.org/debian}
    echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $mirror $suite main" \
        >"$apt_dir/sources.list"
    apt_opts=(-o Dir::Etc::sourcelist="$apt_dir/sources.list" -o Dir::Etc::sourceparts=-
              -o Dir::State::Lists="$apt_dir/lists" -o Dir::Cache="$apt_dir/cache")
    apt-get "${apt_opts[@]}" update >>"$LOG" 2>&1 || fail "apt-get update failed"
    rm -rf "$src_dir"
    (cd "$SRC_PARENT" && apt-get "${apt_opts[@]}" source "qt6-base=$host_version") >>"$LOG" 2>&1 ||
        fail "apt-get source failed"
    touch "$src_dir/.webdef-unpacked"
fi

echo "Building Qt $QT_VERSION for Windows into $PREFIX (an hour or more; log: $LOG)"
started=$(date +%s)
# An interrupted build with the same options goes on where it stopped.
if [ "$(cat "$BUILD/.webdef-options" 2>/dev/null)" != "$(stamp_text)" ]; then
    rm -rf "$BUILD"
fi
rm -rf "$PREFIX"
mkdir -p "$BUILD"
stamp_text >"$BUILD/.webdef-options"
{
    echo "== configure"
    cmake -G Ninja -S "$src_dir" -B "$BUILD" \
        -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" \
        -DCMAKE_INSTALL_PREFIX="$PREFIX" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR="$HOST_CMAKE_DIR" \
        "${QT_OPTIONS[@]}"
} >>"$LOG" 2>&1 || fail "configuring Qt failed"
{ echo "== build"; niced cmake --build "$BUILD" --parallel "$(nproc)"; } >>"$LOG" 2>&1 || fail "building Qt failed"
{ echo "== install"; niced cmake --install "$BUILD"; } >>"$LOG" 2>&1 || fail "installing Qt failed"

# Qt's German texts: the .qm files are the same on every platform, so the host's package serves.
mkdir -p "$PREFIX/translations"
cp /usr/share/qt6/translations/qtbase_de.qm "$PREFIX/translations/"

stamp_text >"$STAMP"
echo "Qt for Windows built in $(( ($(date +%s) - started) / 60 )) minutes: $PREFIX" | tee -a "$LOG"
