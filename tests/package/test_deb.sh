#!/usr/bin/env bash
# The Debian package: built by cpack with its dependencies from shlibdeps, installed with
# apt, started from its `ravo` command on X (a first settings file written, an existing one
# kept), and removed without a trace. Needs root and apt; skips without them.
# The package's program lives in /usr/lib/ravo, so an installation by scripts/start.sh in
# /opt/ravo and /usr/local is no file of it; the test checks that it stays as it was.
# Usage: test_deb.sh BUILD
set -euo pipefail
build=$1
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

skip() {
    echo "SKIPPED: $*"
    rm -rf "$tmp"
    exit 77
}
[ "$(id -u)" -eq 0 ] || skip "installing the package needs root"
for tool in apt-get dpkg dpkg-deb dpkg-shlibdeps cpack Xvfb xdotool; do
    command -v $tool >/dev/null || skip "$tool is missing"
done
status=$(dpkg-query -W -f='${Status}' ravo 2>/dev/null || true)
case $status in "" | *not-installed) ;; *) skip "a ravo package is on this machine ($status); left as it is" ;; esac
for f in /usr/lib/ravo /usr/bin/ravo /usr/share/applications/$id.desktop; do
    [ ! -e $f ] || skip "$f exists without the package; a package test would take it over"
done

installed=0
cleanup() {
    cleanup_x
    if [ $installed -eq 1 ]; then
        DEBIAN_FRONTEND=noninteractive apt-get remove -y -q ravo >/dev/null 2>&1 || dpkg -r ravo || true
    fi
}
trap cleanup EXIT

# What scripts/start.sh may have installed, and the settings of the user running the test.
others() {
    find /opt/ravo /usr/local/bin/ravo /usr/local/share/applications/$id.desktop \
        /usr/local/share/icons/hicolor/scalable/apps/$id.svg /usr/local/share/metainfo/$id.metainfo.xml \
        "${XDG_DATA_HOME:-$HOME/.local/share}/Tervaso/Ravo/Ravo.ini" \
        -printf '%p %s %m %T@\n' 2>/dev/null | sort || true
}
others >"$tmp/others.before"

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$tmp/out" >"$tmp/cpack.log" 2>&1 ||
    fail "cpack: $(cat "$tmp/cpack.log")"
debs=("$tmp"/out/ravo_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "cpack made no single ravo_*.deb: ${debs[*]}"
deb=${debs[0]}
[ "$(dpkg-deb -f "$deb" Package)" = ravo ] || fail "package is named $(dpkg-deb -f "$deb" Package)"
depends=$(dpkg-deb -f "$deb" Depends)
for d in libqt6widgets6 libqt6svg6 libc6 qt6-qpa-plugins; do
    grep -qE "(^|, )$d( |,|$)" <<<"$depends" || fail "package does not depend on $d: $depends"
done

# Its files: the flat folder exactly as a plain install makes it, and the integration.
cmake --install "$build" --prefix "$tmp/flat" >/dev/null
{
    (cd "$tmp/flat" && find . -type f) | sed 's|^\./|/usr/lib/ravo/|'
    printf '%s\n' /usr/bin/ravo /usr/share/applications/$id.desktop \
        /usr/share/icons/hicolor/scalable/apps/$id.svg /usr/share/metainfo/$id.metainfo.xml
} | sort >"$tmp/files.expected"
dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sed 's|^\./|/|' | sort >"$tmp/files"
diff -u "$tmp/files.expected" "$tmp/files" >&2 || fail "the package's files are not as expected"
[ -n "$(find "$tmp/flat" -maxdepth 1 -name Ravo)" ] || fail "a plain install has no Ravo"
[ -z "$(find "$tmp/flat" -name '*.desktop' -o -name ravo -o -name '*.xml')" ] ||
    fail "a plain install holds the package's desktop files"

# Installed as a user installs it.
(cd "$tmp/out" && DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
    ./"$(basename "$deb")") >"$tmp/apt.log" 2>&1 || fail "apt-get install: $(cat "$tmp/apt.log")"
installed=1
[ "$(dpkg-query -W -f='${Status}' ravo)" = "install ok installed" ] || fail "ravo not installed"
out=$(desktop-file-validate /usr/share/applications/$id.desktop 2>&1) || fail "$out"
out=$(appstreamcli validate --no-net /usr/share/metainfo/$id.metainfo.xml 2>&1) || fail "$out"

start_x
home=$tmp/home
mkdir -p "$home"
printf '[Common]\nINSTALLFOLDER=/usr/lib/ravo/\n' >"$tmp/expected.ini"
start_ravo HOME="$home" XDG_DATA_HOME= QT_QPA_PLATFORM=wayland /usr/bin/ravo
same_bytes "$home/.local/share/Tervaso/Ravo/Ravo.ini" "$tmp/expected.ini"
[ "$(readlink "/proc/$ravo_pid/exe")" = /usr/lib/ravo/Ravo ] ||
    fail "ravo started $(readlink "/proc/$ravo_pid/exe")"
stop_ravo
data=$tmp/data
mkdir -p "$data/Tervaso/Ravo"
printf '; Oma asetustiedosto\n[Common]\nINSTALLFOLDER=/usr/lib/ravo/\n\n[Main]\n' \
    >"$data/Tervaso/Ravo/Ravo.ini"
cp "$data/Tervaso/Ravo/Ravo.ini" "$tmp/own.ini"
start_ravo HOME="$home" XDG_DATA_HOME="$data" /usr/bin/ravo
stop_ravo
same_bytes "$data/Tervaso/Ravo/Ravo.ini" "$tmp/own.ini"

DEBIAN_FRONTEND=noninteractive apt-get remove -y -q ravo >"$tmp/apt.log" 2>&1 ||
    fail "apt-get remove: $(cat "$tmp/apt.log")"
installed=0
status=$(dpkg-query -W -f='${Status}' ravo 2>/dev/null || true)
case $status in "" | *not-installed) ;; *) fail "after removal the package is $status" ;; esac
while read -r f; do
    [ ! -e "$f" ] || fail "$f is left after removal"
done <"$tmp/files"
[ ! -e /usr/lib/ravo ] || fail "/usr/lib/ravo is left after removal"
if compgen -G '/var/lib/dpkg/info/ravo.*' >/dev/null; then fail "dpkg still keeps ravo's files"; fi

others >"$tmp/others.after"
diff -u "$tmp/others.before" "$tmp/others.after" >&2 ||
    fail "the package test changed an installation made by scripts/start.sh"
echo "package $(basename "$deb") built, installed, started from ravo and removed"
