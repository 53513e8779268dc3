#!/usr/bin/env bash
# libzqcamera as an integrator meets it: installed by cmake --install into a
# scratch prefix, the C example built against it through pkg-config and
# through its CMake package, each reading a simulated camera byte for byte
# as zqctl does; only zq_ symbols exported; the Python examples run from the
# installed package.
#   tst_libzqcamera.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
source=$(cd "$2" && pwd)
python=/usr/bin/python3

skip() { echo "SKIP: $*"; exit 77; }
fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in pkg-config cc nm; do
    command -v $tool >/dev/null || skip "$tool not found"
done
"$python" -c "import ctypes" 2>/dev/null || skip "$python not found"

work=$(mktemp -d "${TMPDIR:-/tmp}/zqlib.XXXXXX")
sims=()
cleanup() {
    for pid in "${sims[@]}"; do kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null; done
    rm -rf "$work"
}
trap cleanup EXIT
step() { echo "--- $*"; }
camera() { # LINK [zq-camsim options]: a simulated camera behind LINK
    local link=$1
    shift
    "$prefix/bin/zq-camsim" --link "$link" "$@" >"$link.out" 2>&1 &
    sims+=($!)
    for _ in $(seq 50); do [ -e "$link" ] && break; sleep 0.1; done
    [ -e "$link" ] || fail "zq-camsim did not start: $(cat "$link.out")"
}

step "cmake --install into a scratch prefix"
prefix=$work/usr
cmake --install "$build" --prefix "$prefix" >"$work/install.log" || {
    cat "$work/install.log"
    fail "cmake --install failed"
}
lib=$(find "$prefix" -name libzqcamera.so.1 | head -n 1)
[ -n "$lib" ] || fail "libzqcamera.so.1 is not installed"
libdir=$(dirname "$lib")
for f in include/zqcamera.h lib/python3/dist-packages/zqcamera/__init__.py; do
    [ -s "$prefix/$f" ] || fail "not installed: $f"
done
[ -s "$libdir/pkgconfig/zqcamera.pc" ] || fail "zqcamera.pc is not installed"
[ -s "$libdir/cmake/ZQCamera/ZQCameraConfig.cmake" ] || fail "the CMake package is not installed"

step "exported symbols"
soname=$(readelf -d "$lib" | sed -n 's/.*(SONAME).*\[\(.*\)\]/\1/p')
[ "$soname" = libzqcamera.so.1 ] || fail "SONAME is \"$soname\""
others=$(nm -D --defined-only "$lib" | awk '$2 ~ /^[TDBRVW]$/ && $3 !~ /^zq_/ {print $3}')
[ -z "$others" ] || fail "exported besides zq_: $(echo "$others" | head -n 5 | tr '\n' ' ')"
nm -D --defined-only "$lib" | grep -q ' T zq_open_device\(@@.*\)\?$' || fail "zq_open_device is not exported"

step "the C example through pkg-config and through find_package"
export PKG_CONFIG_PATH=$libdir/pkgconfig
[ "$(pkg-config --modversion zqcamera)" = 1.0.0.0 ] || fail "pkg-config's version"
# shellcheck disable=SC2046
cc -std=c99 -Wall -Werror "$source/docs/examples/readall.c" \
    $(pkg-config --cflags --libs zqcamera) -o "$work/readall-pc" || fail "pkg-config build"
cmake -S "$source/docs/examples" -B "$work/cmake" -DCMAKE_PREFIX_PATH="$prefix" \
    >"$work/cmake.log" 2>&1 || { cat "$work/cmake.log"; fail "find_package(ZQCamera)"; }
cmake --build "$work/cmake" >>"$work/cmake.log" 2>&1 || { cat "$work/cmake.log"; fail "CMake build"; }

camera "$work/cam"
export LD_LIBRARY_PATH=$libdir
# The same bytes as zqctl's read-all, times aside.
bytes() { cut -d' ' -f2- "$1"; }
"$prefix/bin/zqctl" --device "$work/cam" --trace "$work/zqctl.trace" read-all >"$work/zqctl.out" ||
    fail "zqctl read-all"
for how in pc cmake; do
    program=$work/readall-pc
    [ $how = cmake ] && program=$work/cmake/readall
    "$program" "$work/cam" "$work/$how.trace" >"$work/$how.out" || fail "readall ($how)"
    [ "$(wc -l <"$work/$how.out")" -eq 54 ] || fail "readall ($how) printed $(wc -l <"$work/$how.out") values"
    [ "$(grep -c ' TX ' "$work/$how.trace")" -ge 54 ] || fail "readall ($how) traced too little"
    diff <(bytes "$work/zqctl.trace") <(bytes "$work/$how.trace") >"$work/trace.diff" || {
        head -n 20 "$work/trace.diff"
        fail "readall ($how) did not exchange zqctl's bytes"
    }
done
# Its values are zqctl's.
diff <(cut -f1,3 "$work/pc.out") \
    <(awk -F'\t' 'NR == FNR {read[$1]; next} $1 in read {print $1 "\t" $3}' \
        "$work/pc.out" "$work/zqctl.out") || fail "readall's values are not zqctl's"

step "the Python examples from the installed package"
unset LD_LIBRARY_PATH
export PYTHONPATH=$prefix/lib/python3/dist-packages
examples=$source/docs/examples
"$python" "$examples/one_camera.py" "$work/cam" >"$work/one.out" || fail "one_camera.py"
grep -q "^GainLevel 300$" "$work/one.out" || fail "one_camera.py: $(cat "$work/one.out")"
grep -q "^refused: True$" "$work/one.out" || fail "one_camera.py: the wide value"
for n in 1 2 3; do camera "$work/line$n"; echo "$work/line$n"; done >"$work/cameras.txt"
"$python" "$examples/line.py" "$work/cameras.txt" >"$work/line.out" || fail "line.py: $(cat "$work/line.out")"
[ "$(grep -c ': 55 values' "$work/line.out")" -eq 3 ] || fail "line.py: $(cat "$work/line.out")"
"$prefix/bin/zqctl" --device "$work/cam" save "$work/approved.zq" >/dev/null || fail "zqctl save"
"$python" "$examples/station.py" "$work/cam" "$work/approved.zq" >"$work/station.out" ||
    fail "station.py: $(cat "$work/station.out")"
# A camera that refuses the file's gain fails the station, naming the row.
camera "$work/nak" --refuse-write 01:0C:012C00
"$prefix/bin/zqctl" --device "$work/cam" set GainLevel 300 && "$prefix/bin/zqctl" --device "$work/cam" \
    save "$work/gain300.zq" >/dev/null || fail "zqctl save"
! "$python" "$examples/station.py" "$work/nak" "$work/gain300.zq" >"$work/station.out" ||
    fail "station.py passed a refused row"
grep -q "^GainLevel: file 300, .*(refused)$" "$work/station.out" || fail "station.py: $(cat "$work/station.out")"
echo "PASS"
