#!/bin/bash
# Runs a program of the Windows build under Wine. The windows preset's cross-compiling emulator:
# CTest and the build's own steps call it as
#
#     wine-run.sh WINEPREFIX QT_PREFIX PROGRAM [ARGUMENTS...]
#
# The Wine prefix belongs to the build tree and is created on first use. The programs find the Qt
# and MinGW run-time libraries through WINEPATH. Wine hands neither QT_* variables nor HOME to
# Windows programs; they are passed on under Wine's WINE-prefixed names, so a test's environment
# (QT_QPA_PLATFORM=offscreen, HOME) reaches it. Qt's messages and QtTest's log go to standard
# error and output instead of the debugger channel, since the programs have no console.
set -euo pipefail

if [ $# -lt 3 ]; then
    echo "usage: $0 WINEPREFIX QT_PREFIX PROGRAM [ARGUMENTS...]" >&2
    exit 2
fi
prefix=$1
qt=$2
shift 2

# A Unix path as the Windows side sees it (Wine maps / to drive Z:).
windows_path() {
    local path
    path=$(realpath -m "$1")
    printf 'Z:%s' "${path//\//\\}"
}

export WINEPREFIX=$prefix
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko: nothing here needs them, and Wine would offer to download them.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
runtime=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)")
winpthread=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libwinpthread-1.dll)")
WINEPATH="$(windows_path "$qt/bin");$(windows_path "$runtime");$(windows_path "$winpthread")${WINEPATH:+;$WINEPATH}"
export WINEPATH

export QT_FORCE_STDERR_LOGGING=1
# The offscreen platform reads its fonts from a folder.
if [ -z "${QT_QPA_FONTDIR:-}" ]; then
    for fonts in /usr/share/fonts/truetype/dejavu /usr/share/fonts/truetype /usr/share/wine/fonts; do
        if [ -d "$fonts" ]; then
            QT_QPA_FONTDIR=$fonts
            break
        fi
    done
fi
if [ -n "${QT_QPA_FONTDIR:-}" ] && [ "${QT_QPA_FONTDIR#/}" != "$QT_QPA_FONTDIR" ]; then
    QT_QPA_FONTDIR=$(windows_path "$QT_QPA_FONTDIR")
fi
export QT_QPA_FONTDIR
while IFS= read -r name; do
    case $name in
        QT_*) export "WINE$name=${!name}" ;;
    esac
done < <(compgen -e)
if [ -n "${HOME:-}" ]; then
    export WINEHOME=$HOME
fi

# Tests run side by side; the first one creates the prefix, the others wait for it.
if [ ! -f "$prefix/system.reg" ]; then
    mkdir -p "$(dirname "$prefix")"
    exec 8>"$prefix.lock"
    flock 8
    if [ ! -f "$prefix/system.reg" ]; then
        wine wineboot --init >/dev/null 2>&1
        # The registry files are written when the server ends.
        wineserver --wait
    fi
    exec 8>&-
fi

# The server and Wine's background services start here, detached from our output: started by the
# program's wine they would inherit a test's output pipe, and CTest waits for the pipe until they
# end, seconds after the test. The server stays a little while after the last program, so tests one
# after the other share it (starting it again fails while it runs).
if wineserver --persistent=10 </dev/null >/dev/null 2>&1; then
    wine cmd.exe /c exit </dev/null >/dev/null 2>&1 || true
fi

exec wine "$@"
