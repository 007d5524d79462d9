# libjpeg-turbo for qpdf's DCT support: the static library only, without
# the SIMD code (it needs nasm, and the reader never decodes images).
# shellcheck shell=bash
source_package=libjpeg-turbo

build() {
    # The driver runs this in a list, where `set -e` does not apply: every
    # step says when it fails.
    cmake -S . -B build -G Ninja \
        -DCMAKE_SYSTEM_NAME=Windows -DCMAKE_SYSTEM_PROCESSOR=AMD64 \
        -DCMAKE_C_COMPILER="$CC" -DCMAKE_RC_COMPILER="$WINDRES" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$PREFIX" \
        -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=OFF \
        -DWITH_TURBOJPEG=OFF -DWITH_JAVA=OFF || return 1
    # The library alone: the command-line tools and tests are not needed.
    cmake --build build -j "$JOBS" --target jpeg-static || return 1
    install -d "$PREFIX/lib/pkgconfig" "$PREFIX/include" || return 1
    install -m 644 build/libjpeg.a "$PREFIX/lib/" || return 1
    install -m 644 jpeglib.h jmorecfg.h jerror.h build/jconfig.h "$PREFIX/include/" || return 1
    install -m 644 build/pkgscripts/libjpeg.pc "$PREFIX/lib/pkgconfig/" || return 1
}
