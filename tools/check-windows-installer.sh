#!/bin/bash
# Tries the Windows installer under Wine as a user would meet it, in a fresh Wine prefix inside
# build/windows: a silent install into the program files folder (files, Start-menu entry, entry in
# the list of installed programs), webdef-cli.exe --version from the installed folder, the editor
# started from there on the demo project, then a silent uninstall that must leave no file in the
# install folder, no menu entry and no list entry.
#
#   tools/check-windows-installer.sh [SETUP_EXE]
#
# SETUP_EXE defaults to the installer in build/windows (make windows), whose build also made the
# demo data. The editor runs twice: on Qt's offscreen platform, ended after it has run a few seconds;
# then on the Windows platform with Wine's display-less driver, asked to close like a user would (a
# close message to its window), which must end it cleanly with the settings written.
# Exit status 0 only when every check passed.
set -uo pipefail

source_dir=$(cd "$(dirname "$0")/.." && pwd)
build=$source_dir/build/windows
setup=${1:-$(ls "$build"/fennaro-webdef-*-setup.exe 2>/dev/null | head -n 1)}
failures=0

fail() {
    echo "FAILED: $*" >&2
    failures=$((failures + 1))
}
fatal() {
    echo "FAILED: $*" >&2
    exit 1
}
windows_path() {
    local path
    path=$(realpath -m "$1")
    printf 'Z:%s' "${path//\//\\}"
}

[[ -n $setup && -f $setup ]] || fatal "no installer (make windows builds build/windows/fennaro-webdef-*-setup.exe)"
setup=$(realpath "$setup")
version=$(basename "$setup" | sed -n 's/^fennaro-webdef-\(.*\)-setup\.exe$/\1/p')
settings_file=$build/demo-home/demo-settings.reg
[[ -f $settings_file ]] || fatal "no demo settings $settings_file (built with the programs)"
command -v wine >/dev/null || fatal "wine is not installed"

export WINEPREFIX=$build/wine-installer-check
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# The installed programs must find their libraries and plugins on their own.
unset WINEPATH
for name in $(compgen -e); do
    case $name in QT_* | WINEQT_*) unset "$name" ;; esac
done

product="Fennaro WebDef"
install_dir="$WINEPREFIX/drive_c/Program Files/$product"
install_dir_windows="C:\\Program Files\\$product"
menu_entry="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/$product.lnk"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\FennaroWebDef'
settings_key='HKCU\Software\Quorvant\FENNARO\INITALL'

echo "== a fresh Wine prefix in $WINEPREFIX"
if [[ -d $WINEPREFIX ]]; then
    wineserver --kill 2>/dev/null
    rm -rf "$WINEPREFIX"
fi
wine wineboot --init >/dev/null 2>&1 || fatal "wineboot"
wineserver --wait

echo "== silent install of $(basename "$setup")"
wine "$setup" /S || fail "the installer exited with status $?"
wineserver --wait
for file in webdef.exe webdef-cli.exe qt.conf Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll libstdc++-6.dll \
    libgcc_s_seh-1.dll libwinpthread-1.dll platforms/qwindows.dll platforms/qoffscreen.dll \
    styles/qwindowsvistastyle.dll imageformats/qjpeg.dll translations/qtbase_de.qm Hilfe/index.html \
    Deinstallieren.exe; do
    [[ -f $install_dir/$file ]] || fail "not installed: $file"
done
[[ -f $menu_entry ]] || fail "no Start-menu entry $product"
listed=$(wine reg query "$uninstall_key" /v DisplayName 2>/dev/null | tr -d '\r')
[[ $listed == *"$product"* ]] || fail "not in the list of installed programs"
quiet=$(wine reg query "$uninstall_key" /v QuietUninstallString 2>/dev/null | tr -d '\r')
[[ $quiet == *"Deinstallieren.exe\" /S"* ]] || fail "no silent uninstall command in the list entry"

echo "== webdef-cli.exe --version"
cli_version=$(cd "$install_dir" && wine "$install_dir_windows\\webdef-cli.exe" --version 2>&1 | tr -d '\r')
echo "$cli_version"
[[ $cli_version == "webdef-cli $version "* ]] || fail "unexpected version: $cli_version"

echo "== the editor on the demo project, offscreen"
wine regedit /S "$(windows_path "$settings_file")" || fail "importing $settings_file"
wineserver --wait
fonts=/usr/share/fonts/truetype/dejavu
[[ -d $fonts ]] || fonts=/usr/share/wine/fonts
(cd "$install_dir" && WINEQT_QPA_PLATFORM=offscreen WINEQT_QPA_FONTDIR=$(windows_path "$fonts") \
    exec wine "$install_dir_windows\\webdef.exe") &
editor=$!
sleep 8
if kill -0 "$editor" 2>/dev/null; then
    echo "running after 8 seconds; ending it"
    wine taskkill /F /IM webdef.exe >/dev/null 2>&1
    wait "$editor" 2>/dev/null
else
    wait "$editor"
    fail "the editor ended by itself within 8 seconds (status $?)"
fi
wineserver --wait

echo "== the editor on the demo project, on the Windows platform, closed through its window"
# Wine's display-less driver: real windows that nothing shows.
wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
wineserver --wait
(cd "$install_dir" && exec wine "$install_dir_windows\\webdef.exe") &
editor=$!
sleep 8
if kill -0 "$editor" 2>/dev/null; then
    # Without /F taskkill asks the program's windows to close (WM_CLOSE), as the window's close
    # button does.
    wine taskkill /IM webdef.exe >/dev/null 2>&1
    for _ in $(seq 30); do
        kill -0 "$editor" 2>/dev/null || break
        sleep 1
    done
    if kill -0 "$editor" 2>/dev/null; then
        fail "the editor did not close within 30 seconds of the close request"
        wine taskkill /F /IM webdef.exe >/dev/null 2>&1
        wait "$editor" 2>/dev/null
    else
        wait "$editor"
        status=$?
        [[ $status -eq 0 ]] || fail "the editor ended with status $status"
    fi
else
    wait "$editor"
    fail "the editor ended by itself within 8 seconds (status $?)"
fi
wineserver --wait
# Closing writes the settings: the program folder it ran from, the project, and the date of the
# execution file it read (zero when none was read).
stored=$(wine reg query "$settings_key" 2>/dev/null | tr -d '\r')
echo "$stored" | sed -n 's/^ \+\(DIRPGM\|LASTFILE\|RVXDATE\)/\1/p'
program_folder=$(echo "$stored" | sed -n 's/^ *DIRPGM *REG_SZ *//p')
# Compared with either separator: the program may write the folder in Qt's form with "/".
[[ ${program_folder//\//\\} == "$install_dir_windows\\" ]] || fail "the settings do not name the install folder"
[[ $stored == *"LASTFILE    REG_SZ    DEMO"* ]] || fail "the settings do not name the demo project"
rvx_date=$(echo "$stored" | sed -n 's/^ *RVXDATE *REG_BINARY *//p')
[[ -n $rvx_date && $rvx_date != 0000000000000000 ]] || fail "no execution file was read (RVXDATE $rvx_date)"

echo "== silent uninstall"
wine "$install_dir_windows\\Deinstallieren.exe" /S || fail "the uninstaller exited with status $?"
# The uninstaller runs on from a copy in the temporary folder; wait for it.
wineserver --wait
if [[ -d $install_dir ]]; then
    left=$(cd "$install_dir" && find . -mindepth 1 | sort)
    [[ -z $left ]] || fail "left in the install folder: $(echo "$left" | tr '\n' ' ')"
fi
[[ ! -e $menu_entry ]] || fail "the Start-menu entry is left"
if wine reg query "$uninstall_key" >/dev/null 2>&1; then
    fail "the entry in the list of installed programs is left"
fi
wineserver --wait

if [[ $failures -ne 0 ]]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "All checks passed"
