#!/usr/bin/env bash
# Installs what is missing, builds and installs Ravo with its menu entry, writes a first
# settings file when there is none, and starts Ravo on the current display.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

if [ "$(id -u)" -eq 0 ]; then
    PREFIX=${RAVO_PREFIX:-/opt/ravo}
else
    PREFIX=${RAVO_PREFIX:-$HOME/.local/opt/ravo}
fi

ravo_install_packages
ravo_build "$RAVO_SOURCE/build-release" -DCMAKE_BUILD_TYPE=Release -DRAVO_TESTS=OFF -DRAVO_BENCH=OFF
cmake --install "$RAVO_SOURCE/build-release" --prefix "$PREFIX"

# The menu entry, its icon and a `ravo` command: for every user when root, else for this one.
if [ "$(id -u)" -eq 0 ]; then
    bash "$RAVO_SOURCE/packaging/install-desktop.sh" "$PREFIX" /usr/local/share /usr/local/bin
else
    bash "$RAVO_SOURCE/packaging/install-desktop.sh" "$PREFIX" \
        "${XDG_DATA_HOME:-$HOME/.local/share}" "$HOME/.local/bin"
fi

# The installer's part: a settings file naming the installation folder, never replacing
# one that exists.
CONFIG_DIR=${XDG_DATA_HOME:-$HOME/.local/share}/Tervaso/Ravo
if [ ! -e "$CONFIG_DIR/Ravo.ini" ]; then
    mkdir -p "$CONFIG_DIR"
    printf '[Common]\nINSTALLFOLDER=%s/\n' "$PREFIX" > "$CONFIG_DIR/Ravo.ini.tmp"
    mv "$CONFIG_DIR/Ravo.ini.tmp" "$CONFIG_DIR/Ravo.ini"
    echo "Wrote $CONFIG_DIR/Ravo.ini"
fi

if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
    echo "Ravo is installed in $PREFIX, but there is no X display to start it on." >&2
    echo "Run this again in a desktop session (DISPLAY must name a running X server)." >&2
    exit 1
fi

echo "Starting Ravo"
export QT_QPA_PLATFORM=xcb
exec "$PREFIX/Ravo"
