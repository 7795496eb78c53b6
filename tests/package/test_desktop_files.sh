#!/usr/bin/env bash
# The desktop integration: the entry and the description clean under their validators and
# naming one id, and what scripts/start.sh installs with them, its `ravo` command, starting
# the installed program on X, writing a first settings file and keeping an existing one.
# Usage: test_desktop_files.sh SOURCE BUILD VERSION INSTALLFOLDER
set -euo pipefail
src=$1
build=$2
version=$3
folder=${4%/}/
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
trap cleanup_x EXIT
pkg=$src/packaging

for tool in desktop-file-validate appstreamcli Xvfb xdotool; do
    command -v $tool >/dev/null || fail "$tool is missing (scripts/test.sh installs it)"
done

# Clean: nothing but hints, which the entry has one of on purpose (it belongs to both the
# Graphics and the Education menus).
validate_desktop() {
    local out
    out=$(desktop-file-validate "$1" 2>&1) || fail "desktop-file-validate: $out"
    if grep -v ': hint: ' <<<"$out" | grep -q .; then fail "desktop-file-validate: $out"; fi
}
validate_desktop "$pkg/$id.desktop"
out=$(appstreamcli validate --no-net "$pkg/$id.metainfo.xml" 2>&1) || fail "appstreamcli: $out"
if grep -qE '^[EW]:' <<<"$out"; then fail "appstreamcli: $out"; fi

# One id throughout, the command the package installs, and the version of this build as the
# newest release.
key() { sed -n "s/^$1=//p" "$pkg/$id.desktop"; }
[ "$(key Icon)" = $id ] || fail "desktop entry's Icon is $(key Icon)"
[ "$(key Exec)" = ravo ] || fail "desktop entry's Exec is $(key Exec)"
grep -q '^Name\[fi\]=' "$pkg/$id.desktop" && grep -q '^Comment\[fi\]=' "$pkg/$id.desktop" ||
    fail "desktop entry without a Finnish name and comment"
meta=$pkg/$id.metainfo.xml
grep -q "<id>$id</id>" "$meta" || fail "metainfo's id is not $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$meta" ||
    fail "metainfo does not launch $id.desktop"
grep -q "<icon type=\"stock\">$id</icon>" "$meta" || fail "metainfo's icon is not $id"
newest=$(grep -m1 -o '<release version="[^"]*"' "$meta" | cut -d'"' -f2)
[ "$newest" = "$version" ] || fail "metainfo's newest release is $newest, the program is $version"
for lang in name summary p; do
    grep -q "<$lang xml:lang=\"fi\">" "$meta" || fail "metainfo without a Finnish <$lang>"
done

# As scripts/start.sh installs it, for a user whose bin folder has a blank in its name.
share=$tmp/share
bin="$tmp/oma bin"
bash "$pkg/install-desktop.sh" "$folder" "$share" "$bin" >/dev/null
validate_desktop "$share/applications/$id.desktop"
[ "$(sed -n 's/^Exec=//p' "$share/applications/$id.desktop")" = "\"$bin/ravo\"" ] ||
    fail "installed entry does not start $bin/ravo"
cmp -s "$src/resources/icons/ravo.svg" "$share/icons/hicolor/scalable/apps/$id.svg" ||
    fail "installed icon is not Ravo's logo"
cmp -s "$meta" "$share/metainfo/$id.metainfo.xml" || fail "installed metainfo differs"
[ -x "$bin/ravo" ] || fail "$bin/ravo is not a program"

start_x
# The first start writes the settings file naming the installation folder...
home=$tmp/home
mkdir -p "$home"
printf '[Common]\nINSTALLFOLDER=%s\n' "$folder" >"$tmp/expected.ini"
start_ravo HOME="$home" XDG_DATA_HOME= "$bin/ravo"
same_bytes "$home/.local/share/Tervaso/Ravo/Ravo.ini" "$tmp/expected.ini"
stop_ravo
# ...and a start with one in XDG_DATA_HOME leaves it as it is.
data=$tmp/data
mkdir -p "$data/Tervaso/Ravo"
printf '; Oma asetustiedosto\n[Common]\nINSTALLFOLDER=%s\n\n[Main]\n' "$folder" \
    >"$data/Tervaso/Ravo/Ravo.ini"
cp "$data/Tervaso/Ravo/Ravo.ini" "$tmp/own.ini"
start_ravo HOME="$home" XDG_DATA_HOME="$data" "$bin/ravo"
stop_ravo
same_bytes "$data/Tervaso/Ravo/Ravo.ini" "$tmp/own.ini"
echo "desktop files clean; $bin/ravo started Ravo from $folder"
