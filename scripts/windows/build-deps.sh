#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Cross-builds the Windows program's dependencies from their Debian source packages, once per version:
#   muparser, googletest (from /usr/src/googletest) and the Boost headers: always;
#   zlib, libpng and a minimal static wxMSW (base, core, stc): with "--window".
# Each lands in its own prefix under the cache, e.g. ~/.cache/delvo-windows/wxwidgets3.2-3.2.2+dfsg-2/, and
# a finished prefix holds a .complete file, so a later run reuses it. Prints the prefixes, ';'-separated.
# DELVO_WINDOWS_CACHE moves the cache; JOBS sets the parallel build jobs (default 2).
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/../.." && pwd)
CACHE=${DELVO_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/delvo-windows}
JOBS=${JOBS:-2}
TOOLCHAIN=$ROOT/cmake/mingw-w64.cmake
WITH_WINDOW=0
[ "${1:-}" = "--window" ] && WITH_WINDOW=1
mkdir -p "$CACHE/src"
PREFIXES=()

log() { echo "windows deps: $*" >&2; }

# The Debian version of a source package (as apt would fetch it now).
source_version() {
  apt-cache showsrc "$1" 2>/dev/null | awk '/^Version:/ {print $2; exit}'
}

# Fetches and unpacks a Debian source package (patches applied) into a fresh folder; prints that folder.
unpack_source() {
  local package=$1 version=$2 upstream=${2#*:}
  local dir="$CACHE/src/$package-$upstream"
  (cd "$CACHE/src" && { ls "${package}_${upstream}.dsc" >/dev/null 2>&1 ||
                        apt-get source --download-only -qq "$package=$version" >&2 2>/dev/null; })
  rm -rf "$dir"
  dpkg-source --no-check -x "$CACHE/src/${package}_${upstream}.dsc" "$dir" >/dev/null
  echo "$dir"
}

# cmake configure + build + install of one source tree into a prefix, with the cross toolchain.
cmake_build() {
  local source=$1 prefix=$2
  shift 2
  local build="$source/_build"
  cmake -S "$source" -B "$build" -G "Unix Makefiles" -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF \
    -DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache "$@" >"$build.log" 2>&1 ||
    { tail -30 "$build.log" >&2; return 1; }
  nice -n 10 cmake --build "$build" -j"$JOBS" >>"$build.log" 2>&1 || { tail -30 "$build.log" >&2; return 1; }
  cmake --install "$build" >>"$build.log" 2>&1 || { tail -30 "$build.log" >&2; return 1; }
}

# Builds package (a Debian source package) with the given function unless its prefix is complete.
with_package() {
  local package=$1 builder=$2 version prefix
  version=$(source_version "$package")
  [ -n "$version" ] || { log "no source package $package (run scripts/windows/install-deps.sh)"; exit 1; }
  prefix="$CACHE/$package-${version#*:}"
  if [ ! -f "$prefix/.complete" ]; then
    log "building $package $version"
    local source
    source=$(unpack_source "$package" "$version")
    rm -rf "$prefix"
    "$builder" "$source" "$prefix"
    rm -rf "$source"
    touch "$prefix/.complete"
  fi
  PREFIXES+=("$prefix")
}

build_muparser() {
  cmake_build "$1" "$2" -DENABLE_OPENMP=OFF -DENABLE_SAMPLES=OFF -DENABLE_WIDE_CHAR=OFF
}

# Only the static library: the Debian source leaves out zlib's Windows resource files that the DLL needs.
build_zlib() {
  local build="$1/_build"
  cmake -S "$1" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_C_COMPILER_LAUNCHER=ccache >"$build.log" 2>&1 || { tail -30 "$build.log" >&2; return 1; }
  nice -n 10 cmake --build "$build" -j"$JOBS" --target zlibstatic >>"$build.log" 2>&1 ||
    { tail -30 "$build.log" >&2; return 1; }
  mkdir -p "$2/include" "$2/lib"
  cp "$1/zlib.h" "$build/zconf.h" "$2/include/"
  cp "$build/libzlibstatic.a" "$2/lib/libz.a"
}

build_libpng() {
  cmake_build "$1" "$2" -DPNG_SHARED=OFF -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF -DCMAKE_PREFIX_PATH="$ZLIB_PREFIX" \
    -DZLIB_ROOT="$ZLIB_PREFIX" -DZLIB_LIBRARY="$ZLIB_PREFIX/lib/libz.a" -DZLIB_INCLUDE_DIR="$ZLIB_PREFIX/include"
}

# Only the libraries the window uses (base, core, stc), static, with the system-independent parts built in.
build_wxwidgets() {
  local off=()
  for feature in AUI HTML WXHTML_HELP XRC RICHTEXT PROPGRID RIBBON MEDIA WEBVIEW OPENGL XML QA SOUND LIBJPEG LIBTIFF \
                 LIBLZMA EXPAT REGEX WEBREQUEST PRIVATE_FONTS SOCKETS PROTOCOL URL FS_INET MEDIACTRL DEBUGREPORT; do
    off+=("-DwxUSE_$feature=OFF")
  done
  cmake_build "$1" "$2" -DwxBUILD_SHARED=OFF -DwxBUILD_MONOLITHIC=OFF -DwxBUILD_SAMPLES=OFF -DwxBUILD_TESTS=OFF \
    -DwxBUILD_DEMOS=OFF -DwxBUILD_BENCHMARKS=OFF -DwxBUILD_PRECOMP=OFF -DwxUSE_ZLIB=sys -DwxUSE_LIBPNG=sys \
    -DZLIB_ROOT="$ZLIB_PREFIX" -DZLIB_LIBRARY="$ZLIB_PREFIX/lib/libz.a" -DZLIB_INCLUDE_DIR="$ZLIB_PREFIX/include" \
    -DPNG_LIBRARY="$PNG_PREFIX/lib/libpng.a" -DPNG_PNG_INCLUDE_DIR="$PNG_PREFIX/include" "${off[@]}"
}

# googletest from the host's source copy (the same version the Linux build uses).
build_googletest() {
  local version prefix="$CACHE/googletest-"
  version=$(dpkg-query -W -f='${Version}' googletest)
  prefix="$CACHE/googletest-$version"
  if [ ! -f "$prefix/.complete" ]; then
    log "building googletest $version"
    local source="$CACHE/src/googletest-$version"
    rm -rf "$source" "$prefix" && cp -r /usr/src/googletest "$source"
    cmake_build "$source" "$prefix" -Dgtest_disable_pthreads=OFF
    rm -rf "$source"
    touch "$prefix/.complete"
  fi
  PREFIXES+=("$prefix")
}

# Boost.Math is header-only: the host's headers serve every target.
boost_headers() {
  local version prefix
  version=$(dpkg-query -W -f='${Version}' libboost-dev)
  prefix="$CACHE/boost-headers-$version"
  if [ ! -f "$prefix/.complete" ]; then
    mkdir -p "$prefix/include"
    ln -sfn /usr/include/boost "$prefix/include/boost"
    touch "$prefix/.complete"
  fi
  PREFIXES+=("$prefix")
}

with_package muparser build_muparser
build_googletest
boost_headers
if [ $WITH_WINDOW -eq 1 ]; then
  with_package zlib build_zlib
  ZLIB_PREFIX=${PREFIXES[-1]}
  with_package libpng1.6 build_libpng
  PNG_PREFIX=${PREFIXES[-1]}
  with_package wxwidgets3.2 build_wxwidgets
fi
(IFS=';'; echo "${PREFIXES[*]}")
