#!/usr/bin/env bash
# Builds Qt 6.4.2 (qtbase: Core, Gui, Widgets, Test; the windows and offscreen
# platform plugins; the Fusion and Windows styles) for x86_64 Windows with
# MinGW-w64 from Debian 12's own source package, with Debian's Qt 6.4.2 as the
# host tools. Shared libraries, release build. Debian has no Qt for Windows,
# and its qt6-serialport source cannot be had, so the Windows build of the
# program talks to COM ports through its own Win32 driver instead.
#   build-qt-mingw.sh PREFIX [WORKDIR]
# Needs root for apt (adds a deb-src entry for the same archive). About 30
# minutes on an idle 2-core machine.
set -euo pipefail
prefix=${1:?usage: build-qt-mingw.sh PREFIX [WORKDIR]}
work=${2:-$(mktemp -d)}
here=$(cd "$(dirname "$0")" && pwd)
export DEBIAN_FRONTEND=noninteractive
pkgs=(g++-mingw-w64-x86-64-posix mingw-w64-tools qt6-base-dev qt6-base-dev-tools cmake ninja-build dpkg-dev xz-utils)
missing=()
for p in "${pkgs[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
src=/etc/apt/sources.list.d/debian-src.sources
if [ ! -f "$src" ]; then
    sed -e 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources >"$src"
fi
apt-get update -qq
[ ${#missing[@]} -eq 0 ] || apt-get install -y -qq --no-install-recommends "${missing[@]}"
mkdir -p "$work"
cd "$work"
if [ ! -d qtbase-everywhere-src-6.4.2 ]; then
    apt-get source --download-only qt6-base=6.4.2+dfsg-10 >/dev/null
    tar xf qt6-base_6.4.2+dfsg.orig.tar.xz
fi
mkdir -p build
cd build
# Debian's source lacks the wintab and sqlite folders (tabletevent, sql off);
# the offscreen plugin needs the bundled FreeType; with OpenGL off, dynamicgl
# must be off too or the windows plugin does not build; with the bundled
# FreeType, DirectWrite 3 must be off or the windows plugin does not link.
# Xml, network, concurrent and print support are not used by the program.
cmake -S ../qtbase-everywhere-src-6.4.2 -B . -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$here/mingw-w64-x86_64.cmake" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release -DQT_QMAKE_TARGET_MKSPEC=win32-g++ \
    -DBUILD_SHARED_LIBS=ON -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DFEATURE_opengl=OFF -DFEATURE_dynamicgl=OFF -DFEATURE_directwrite3=OFF -DFEATURE_sql=OFF \
    -DFEATURE_dbus=OFF -DFEATURE_tabletevent=OFF -DFEATURE_vulkan=OFF -DFEATURE_printsupport=OFF \
    -DFEATURE_concurrent=OFF -DFEATURE_network=OFF -DFEATURE_xml=OFF \
    -DFEATURE_freetype=ON -DFEATURE_system_freetype=OFF -DFEATURE_system_zlib=OFF \
    -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF -DFEATURE_jpeg=OFF -DFEATURE_system_harfbuzz=OFF \
    -DFEATURE_system_pcre2=OFF -DFEATURE_system_doubleconversion=OFF -DFEATURE_direct2d=OFF \
    -DFEATURE_zstd=OFF >configure.log
cmake --build . --parallel "$(nproc)"
cmake --install . >/dev/null
echo "Qt for MinGW-w64 installed in $prefix"
