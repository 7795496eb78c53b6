# Shared by the set-up commands: installs the missing Debian packages and builds Ravo.
# Sourced, not run.

RAVO_SOURCE=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
RAVO_BUILD=${RAVO_BUILD:-$RAVO_SOURCE/build}

RAVO_PACKAGES=(
    cmake ninja-build g++ pkg-config git clang-format
    qt6-base-dev qt6-svg-dev libqt6svg6 qt6-qpa-plugins
    libjpeg-dev libgif-dev libsimpleini-dev libxcb-shape0-dev libxcb-xtest0-dev
    googletest libgtest-dev libbenchmark-dev
    xvfb xauth openbox xcompmgr xdotool imagemagick x11-utils
    fonts-liberation2 qt6-translations-l10n
    xclip cups printer-driver-cups-pdf poppler-utils
    desktop-file-utils appstream dpkg-dev file xdg-utils python3
    clang-14 libclang-rt-14-dev ccache
)

ravo_install_packages() {
    local missing=() p
    for p in "${RAVO_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# ravo_build DIR [cmake options...]; RAVO_TARGET names one target to build instead of all.
# Our own builds keep warnings as errors, even in a build folder configured otherwise.
ravo_build() {
    local dir=$1
    shift
    cmake -S "$RAVO_SOURCE" -B "$dir" -G Ninja -DRAVO_WERROR=ON "$@"
    cmake --build "$dir" -j "$(nproc)" ${RAVO_TARGET:+--target "$RAVO_TARGET"}
}

# ravo_sanitized COMMAND...: runs COMMAND with the sanitizers' options: leaks reported at
# exit, and a fault stops the program with its stack. No leak is suppressed: Qt's own
# allocations are freed by the time the tests' programs end.
ravo_sanitized() {
    ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1 \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        "$@"
}
