#!/usr/bin/env bash
# Checks that every C++ source tracked in src/, tests/, bench/ and resources/ is formatted
# with the project's .clang-format. Only clang-format 14, Debian 12's, is taken: other
# versions lay out some code differently. Names each file that is not formatted and then
# exits non-zero.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

format=${RAVO_CLANG_FORMAT:-$(command -v clang-format-14 || command -v clang-format || true)}
if [ -z "$format" ]; then
    echo "check-format: no clang-format found (Debian package clang-format)" >&2
    exit 1
fi
if ! "$format" --version | grep -q 'version 14\.'; then
    echo "check-format: $format is not clang-format 14: $("$format" --version)" >&2
    exit 1
fi

# safe.directory: a root build of a checkout that another user owns still reads it.
mapfile -t files < <(git -c safe.directory="$PWD" ls-files -- \
    'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' \
    'bench/*.cpp' 'bench/*.h' 'resources/*.cpp' 'resources/*.h')
if [ ${#files[@]} -eq 0 ]; then
    echo "check-format: no tracked C++ sources found (is this a git checkout?)" >&2
    exit 1
fi

check() { "$format" --style=file --dry-run -Werror "$@" >/dev/null 2>&1; }
if check "${files[@]}"; then
    echo "Formatting: all ${#files[@]} C++ sources match .clang-format"
    exit 0
fi
# One file at a time only to name the ones that differ.
bad=()
for f in "${files[@]}"; do
    check "$f" || bad+=("$f")
done
if [ ${#bad[@]} -eq 0 ]; then
    echo "check-format: $format failed on the whole set:" >&2
    "$format" --style=file --dry-run -Werror "${files[@]}" >/dev/null || true
fi
for f in "${bad[@]}"; do
    echo "Not formatted with .clang-format: $f (fix with: $format -i $f)" >&2
done
exit 1
