#!/bin/bash
# Installs the Debian package into a fresh Debian 12 (bookworm) system made with debootstrap and
# checks it there as a user would meet it: apt resolves its dependencies, webdef-cli answers
# --version, the program of the menu entry starts and shows its main window (under Xvfb), and the
# menu entry, icon and manual are in place. A screenshot of the started program is written beside
# the package (check-package.png).
#
#   tools/check-package.sh DEB [FOLDER]
#
# Needs root, debootstrap and a reachable Debian mirror. FOLDER (default build/bookworm-root) is
# made on the first run and reused afterwards; the package is installed into it afresh each time.
set -euo pipefail

deb=$(realpath "$1")
source_dir=$(cd "$(dirname "$0")/.." && pwd)
root=$(realpath -m "${2:-$source_dir/build/bookworm-root}")
mirror=${DEBIAN_MIRROR:-http://deb.debian.org/debian}

fail() {
    echo "FAILED: $*" >&2
    exit 1
}

[[ $(id -u) -eq 0 ]] || fail "run as root (debootstrap and chroot need it)"
[[ -f $deb ]] || fail "no package $deb"
command -v debootstrap >/dev/null || fail "debootstrap is not installed (apt-get install debootstrap)"

if [[ ! -x $root/usr/bin/apt-get ]]; then
    echo "== making a Debian 12 system in $root"
    debootstrap --variant=minbase bookworm "$root" "$mirror" >"$root.debootstrap.log" 2>&1 ||
        fail "debootstrap, see $root.debootstrap.log"
fi

mount -t proc proc "$root/proc"
trap 'umount "$root/proc" 2>/dev/null || true' EXIT
cp /etc/resolv.conf "$root/etc/resolv.conf"
in_root() {
    chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 "$@"
}

echo "== installing $(basename "$deb") with apt"
cp "$deb" "$root/tmp/webdef.deb"
in_root apt-get update -q >/dev/null
in_root apt-get purge -y -q fennaro-webdef >/dev/null 2>&1 || true
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
    /tmp/webdef.deb xvfb xauth x11-utils imagemagick >"$root.install.log" 2>&1 || fail "apt-get install, see $root.install.log"

echo "== webdef-cli --version"
version=$(in_root webdef-cli --version)
echo "$version"
[[ $version == *"2.2 (200910)"* ]] || fail "unexpected version: $version"

echo "== menu entry, icon, manual"
entry=/usr/share/applications/webdef.desktop
[[ -f $root$entry ]] || fail "no $entry"
icon=$(sed -n 's/^Icon=//p' "$root$entry")
ls "$root"/usr/share/icons/hicolor/*/apps/"$icon".* >/dev/null 2>&1 || fail "no icon $icon"
ls "$root"/usr/share/doc/fennaro-webdef/hilfe/*.html >/dev/null 2>&1 || fail "no manual"
command=$(sed -n 's/^Exec=//p' "$root$entry" | sed 's/ %[fFuU]//g')
echo "menu entry starts: $command"

echo "== starting it under Xvfb"
cat >"$root/tmp/start-from-menu.sh" <<EOF
#!/bin/sh
# The menu entry's program on a fresh display, as a new user; succeeds when its main window shows.
export HOME=/tmp/webdef-user
mkdir -p "\$HOME"
$command >/tmp/webdef.out 2>&1 &
pid=\$!
for i in \$(seq 1 100); do
    if xwininfo -root -tree | grep -q 'Fennaro WebDef'; then
        sleep 3
        import -window root /tmp/webdef.png
        kill \$pid
        exit 0
    fi
    kill -0 \$pid 2>/dev/null || break
    sleep 0.2
done
cat /tmp/webdef.out
exit 1
EOF
chmod +x "$root/tmp/start-from-menu.sh"
in_root xvfb-run -a -s '-screen 0 1280x900x24' /tmp/start-from-menu.sh || fail "the main window did not show"
echo "main window shown"
cp "$root/tmp/webdef.png" "$(dirname "$deb")/check-package.png"
echo "screenshot: $(dirname "$deb")/check-package.png"
echo "== the package works on a fresh Debian 12"
