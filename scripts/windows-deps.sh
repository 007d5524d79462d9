#!/usr/bin/env bash
# Builds the third-party libraries the Windows build links statically, from
# Debian's own source packages, with MinGW-w64, into a prefix kept outside
# the build folders so that a clean build or a fresh clone finds them made:
#
#   ${FOLVANE_DEPS_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/folvane/mingw-w64}
#
# Each library has a recipe in scripts/windows-deps/ (NN-name.sh, built in
# the order of their numbers). A recipe sets `source_package` and defines
# `build`, which runs in the unpacked source (Debian's patches applied) with
# PREFIX, HOST, JOBS and the MinGW pkg-config set, and installs into PREFIX.
# A recipe is built again only when its text changes (or recipe_format).
#
# Usage: scripts/windows-deps.sh [--print-prefix]
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD

prefix=${FOLVANE_DEPS_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/folvane/mingw-w64}
if [ "${1:-}" = "--print-prefix" ]; then
    echo "$prefix"
    exit 0
fi

recipes=("$repo"/scripts/windows-deps/[0-9][0-9]-*.sh)
[ -e "${recipes[0]}" ] || exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi

# `apt-get source` needs a deb-src entry; Debian 12's images have none.
ensure_deb_src() {
    if grep -rqs '^\(Types:.*deb-src\|deb-src \)' /etc/apt/sources.list /etc/apt/sources.list.d/; then
        return
    fi
    echo "windows-deps: adding Debian's source packages to apt's sources"
    $sudo tee /etc/apt/sources.list.d/folvane-deb-src.sources >/dev/null <<'SOURCES'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
    $sudo apt-get update -q
}

# A recipe's stamp is its own text and the driver's format version: bump
# recipe_format when a change here alters what every recipe builds.
recipe_format=1
stamp_of() { # RECIPE
    { echo "recipe format $recipe_format"; cat "$1"; } | sha256sum | cut -d' ' -f1
}

mkdir -p "$prefix/stamps" "$prefix/lib" "$prefix/include"
export PREFIX=$prefix
export HOST=x86_64-w64-mingw32
export JOBS=$(nproc)
# pkg-config must see only the MinGW prefix, or the host's headers leak in.
export PKG_CONFIG_LIBDIR="$prefix/lib/pkgconfig:$prefix/share/pkgconfig:/usr/$HOST/lib/pkgconfig"
export PKG_CONFIG_PATH=""
export CC=$HOST-gcc-posix CXX=$HOST-g++-posix AR=$HOST-ar RANLIB=$HOST-ranlib
export WINDRES=$HOST-windres STRIP=$HOST-strip

for recipe in "${recipes[@]}"; do
    name=$(basename "$recipe" .sh)
    stamp=$(stamp_of "$recipe")
    if [ "$(cat "$prefix/stamps/$name" 2>/dev/null)" = "$stamp" ]; then
        continue
    fi
    ensure_deb_src
    started=$SECONDS
    echo "windows-deps: building $name into $prefix"
    work=$(mktemp -d "${TMPDIR:-/tmp}/folvane-deps.XXXXXX")
    # Not in an `||` list: there bash would ignore `set -e` in the recipe.
    set +e
    (
        set -euo pipefail
        # shellcheck source=/dev/null
        source "$recipe"
        cd "$work"
        # Debian's source package: the .orig tarball with Debian's patches.
        apt-get source -q --download-only "$source_package" >/dev/null 2>&1 ||
            apt-get source -q --download-only "$source_package"
        dpkg-source -x --no-check ./*.dsc src >/dev/null
        cd src
        build
    ) >"$work.log" 2>&1
    status=$?
    set -e
    if [ "$status" -ne 0 ]; then
        echo "windows-deps: $name failed; the end of its log ($work.log):"
        tail -40 "$work.log"
        exit 1
    fi
    rm -rf "$work" "$work.log"
    echo "$stamp" >"$prefix/stamps/$name"
    echo "windows-deps: $name built in $((SECONDS - started)) s"
done
