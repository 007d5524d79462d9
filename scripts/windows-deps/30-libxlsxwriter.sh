# libxlsxwriter, the workbook writer, as a static MinGW-w64 library over
# Debian's zlib for Windows (libz-mingw-w64-dev). Its own copies of minizip
# and tmpfileplus are built in (Debian's build takes the system's minizip,
# which has no MinGW package); OpenSSL's MD5 is left out (only images in a
# workbook need it, and Folvane writes none).
source_package=libxlsxwriter

build() {
    cmake -S . -B build-mingw -G "Unix Makefiles" \
        -DCMAKE_SYSTEM_NAME=Windows \
        -DCMAKE_C_COMPILER="$CC" \
        -DCMAKE_RC_COMPILER="$WINDRES" \
        -DCMAKE_FIND_ROOT_PATH="/usr/$HOST;$PREFIX" \
        -DCMAKE_FIND_ROOT_PATH_MODE_PROGRAM=NEVER \
        -DCMAKE_FIND_ROOT_PATH_MODE_LIBRARY=ONLY \
        -DCMAKE_FIND_ROOT_PATH_MODE_INCLUDE=ONLY \
        -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$PREFIX" \
        -DBUILD_SHARED_LIBS=OFF \
        -DUSE_SYSTEM_MINIZIP=OFF \
        -DUSE_OPENSSL_MD5=OFF \
        -DUSE_NO_MD5=ON \
        -DBUILD_TESTS=OFF \
        -DBUILD_EXAMPLES=OFF
    cmake --build build-mingw -j "$JOBS"
    cmake --install build-mingw
}
