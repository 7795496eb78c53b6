#!/usr/bin/env bash
# Installs the desktop integration of the Ravo installed in INSTALLFOLDER: the menu entry,
# its icon, the software centre's description, and a `ravo` command that writes the first
# settings file for any user of that installation and starts the program.
# Usage: install-desktop.sh INSTALLFOLDER SHAREDIR BINDIR
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
folder=${1%/}/
share=$2
bin=$3
id=fi.tervaso.Ravo

mkdir -p "$bin" "$share/applications" "$share/icons/hicolor/scalable/apps" "$share/metainfo"
# Written beside and renamed into place, so that a running `ravo` is never half written.
# The folder goes into a quoted shell word of the command, then through sed.
folder_sed=$(printf '%s' "$folder" | sed "s/'/'\\\\''/g" | sed 's/[\\&|]/\\&/g')
sed "s|@RAVO_INSTALL_FOLDER@|$folder_sed|" "$here/ravo.in" >"$bin/ravo.tmp"
chmod 755 "$bin/ravo.tmp"
mv "$bin/ravo.tmp" "$bin/ravo"
# The entry starts this very command: a user's own bin folder is not always on the menu's PATH.
exec_sed=$(printf '%s' "$bin/ravo" | sed 's/[\\"`$]/\\\\&/g; s/[\\&|]/\\&/g')
sed "s|^Exec=ravo\$|Exec=\"$exec_sed\"|" "$here/$id.desktop" >"$share/applications/$id.desktop"
install -m 644 "$here/../resources/icons/ravo.svg" "$share/icons/hicolor/scalable/apps/$id.svg"
install -m 644 "$here/$id.metainfo.xml" "$share/metainfo/$id.metainfo.xml"

# The caches are optional: without them the menus read the folders themselves.
if command -v update-desktop-database >/dev/null; then
    update-desktop-database -q "$share/applications" || true
fi
if command -v gtk-update-icon-cache >/dev/null; then
    gtk-update-icon-cache -q -f -t "$share/icons/hicolor" || true
fi
echo "Installed the menu entry $share/applications/$id.desktop and the command $bin/ravo"
