# qpdf, the PDF reader behind src/pdf/: the static library only, with zlib
# from Debian's libz-mingw-w64-dev and libjpeg-turbo from 10-libjpeg-turbo,
# and Windows' own crypto provider.
# shellcheck shell=bash
source_package=qpdf

build() {
    # The driver runs this in a list, where `set -e` does not apply: every
    # step says when it fails.
    # qpdf links "Advapi32" while MinGW ships libadvapi32.a; on a
    # case-sensitive file system its configure checks fail until that name
    # resolves.
    mkdir -p "$PREFIX/lib" || return 1
    ln -sf "/usr/$HOST/lib/libadvapi32.a" "$PREFIX/lib/libAdvapi32.a" || return 1
    cmake -S . -B build -G Ninja \
        -DCMAKE_SYSTEM_NAME=Windows -DCMAKE_SYSTEM_PROCESSOR=AMD64 \
        -DCMAKE_C_COMPILER="$CC" -DCMAKE_CXX_COMPILER="$CXX" -DCMAKE_RC_COMPILER="$WINDRES" \
        -DCMAKE_FIND_ROOT_PATH="/usr/$HOST;$PREFIX" \
        -DCMAKE_FIND_ROOT_PATH_MODE_PROGRAM=NEVER \
        -DCMAKE_FIND_ROOT_PATH_MODE_LIBRARY=ONLY -DCMAKE_FIND_ROOT_PATH_MODE_INCLUDE=ONLY \
        -DCMAKE_REQUIRED_LINK_OPTIONS="-L$PREFIX/lib" \
        -DCMAKE_EXE_LINKER_FLAGS="-L$PREFIX/lib -static" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$PREFIX" \
        -DCMAKE_INSTALL_LIBDIR=lib -DCMAKE_INSTALL_INCLUDEDIR=include \
        -DBUILD_SHARED_LIBS=OFF -DBUILD_STATIC_LIBS=ON -DBUILD_DOC=OFF \
        -DUSE_IMPLICIT_CRYPTO=OFF -DREQUIRE_CRYPTO_NATIVE=ON \
        -DINSTALL_EXAMPLES=OFF -DINSTALL_CMAKE_PACKAGE=OFF || return 1
    # The library and its headers: qpdf's programs and tests are not needed.
    cmake --build build -j "$JOBS" --target libqpdf || return 1
    cmake --install build --component dev || return 1
}
