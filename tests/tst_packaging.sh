#!/usr/bin/env bash
# What a user gets from `cmake --install` and from the Debian package: the
# programs, the menu entry, the icon, the ".zq" file type (by name and by
# the header a saved file starts with) and the man pages; the package's
# contents, computed dependencies, and an install and purge in a scratch root.
#   tst_packaging.sh BUILD_DIR
# Exits 77 (skipped) when a tool is missing; ./test installs them all.
set -euo pipefail
build=$(cd "$1" && pwd)

skip() { echo "SKIP: $*"; exit 77; }
fail() { echo "FAIL: $*" >&2; exit 1; }
need() { command -v "$1" >/dev/null 2>&1 || skip "$1 not found (Debian package $2)"; }
need desktop-file-validate desktop-file-utils
need update-desktop-database desktop-file-utils
need update-mime-database shared-mime-info
need xdg-mime xdg-utils
need gio libglib2.0-bin
need xmllint libxml2-utils
need help2man help2man
need dpkg-deb dpkg
need dpkg-shlibdeps dpkg-dev
need readelf binutils
need cpack cmake
grep -q '^HELP2MAN:FILEPATH=/' "$build/CMakeCache.txt" ||
    skip "help2man was not found when $build was configured: no man pages there"

work=$(mktemp -d "${TMPDIR:-/tmp}/zqpkg.XXXXXX")
camsim=
cleanup() {
    [ -n "$camsim" ] && kill "$camsim" 2>/dev/null && wait "$camsim" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
type=application/x-zqremote-settings
step() { echo "--- $*"; }

# --- install into a temporary prefix
step "cmake --install into a temporary prefix"
prefix=$work/usr
cmake --install "$build" --prefix "$prefix" >"$work/install.log" || {
    cat "$work/install.log"
    fail "cmake --install failed"
}
expected=(bin/zqremote bin/zqctl bin/zq-camsim lib/libclsersim.so
    share/applications/zqremote.desktop share/mime/packages/zqremote.xml
    share/icons/hicolor/scalable/apps/zqremote.svg
    share/man/man1/zqremote.1.gz share/man/man1/zqctl.1.gz share/man/man1/zq-camsim.1.gz
    share/doc/zqremote/examples/99-zqremote-ftdi-latency.rules
    include/zqcamera.h lib/libzqcamera.so.1 lib/pkgconfig/zqcamera.pc
    lib/cmake/ZQCamera/ZQCameraConfig.cmake lib/python3/dist-packages/zqcamera/__init__.py)
for size in 16 22 24 32 48 64 128 256; do
    expected+=("share/icons/hicolor/${size}x${size}/apps/zqremote.png")
done
for f in "${expected[@]}"; do
    [ -s "$prefix/$f" ] || fail "not installed: $f"
done
(cd "$prefix/.." && find usr ! -type d | sort) >"$work/installed"
! grep -q "rules.d/" "$work/installed" || fail "a udev rule installed active"
for size in 16 22 24 32 48 64 128 256; do
    file=$prefix/share/icons/hicolor/${size}x${size}/apps/zqremote.png
    # PNG signature, then IHDR's width and height as 32-bit big-endian numbers
    read -r w h < <(od -An -tu1 -j16 -N8 "$file" |
        awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}')
    [ "$w $h" = "$size $size" ] || fail "icon ${size}x${size} is ${w}x${h}"
done
xmllint --noout "$prefix/share/icons/hicolor/scalable/apps/zqremote.svg" || fail "icon SVG"

# --- the menu entry
step "desktop entry"
desktop=$prefix/share/applications/zqremote.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate: zqremote.desktop"
key() { sed -n "s/^$1=//p" "$desktop"; }
read -r program argument < <(key Exec)
[ -x "$prefix/bin/$program" ] || fail "Exec names $program, which is not installed"
case "$argument" in %f | %F | %u | %U) ;; *) fail "Exec passes no file: $(key Exec)" ;; esac
[ "$(key Icon)" = zqremote ] || fail "Icon=$(key Icon)"
key MimeType | tr ';' '\n' | grep -qx "$type" || fail "MimeType does not name $type"

# --- the file type
step "shared-mime-info type"
xml=$prefix/share/mime/packages/zqremote.xml
xmllint --noout "$xml" || fail "zqremote.xml is not well-formed"
declared=$(xmllint --xpath 'string(//*[local-name()="mime-type"]/@type)' "$xml")
[ "$declared" = "$type" ] || fail "zqremote.xml declares \"$declared\""
update-mime-database "$prefix/share/mime" >/dev/null 2>&1 || fail "update-mime-database"
update-desktop-database "$prefix/share/applications" || fail "update-desktop-database"

# A settings file as the installed zqctl saves it, from the simulated camera.
"$prefix/bin/zq-camsim" --link "$work/camera" >"$work/camsim.out" 2>&1 &
camsim=$!
for _ in $(seq 50); do [ -e "$work/camera" ] && break; sleep 0.1; done
[ -e "$work/camera" ] || fail "zq-camsim did not start: $(cat "$work/camsim.out")"
"$prefix/bin/zqctl" --device "$work/camera" save "$work/line3.zq" >/dev/null ||
    fail "installed zqctl could not save a settings file"
kill "$camsim" && wait "$camsim" 2>/dev/null || true
camsim=
[ "$(head -c 24 "$work/line3.zq" | od -An -c | tr -d ' \n')" = "027ZQ-B40DataVersion1.00" ] ||
    fail "the saved file does not start with the header"
cp "$work/line3.zq" "$work/settings-without-extension"
printf 'not a settings file\n' >"$work/renamed.zq"

mkdir -p "$work/home"
export XDG_DATA_HOME=$work/home XDG_CONFIG_HOME=$work/home XDG_CURRENT_DESKTOP=GNOME
filetype() { XDG_DATA_DIRS=$1 xdg-mime query filetype "$2" 2>/dev/null; }
contenttype() {
    XDG_DATA_DIRS=$1 gio info -a standard::content-type "$2" 2>/dev/null |
        sed -n 's/.*standard::content-type: //p'
}
with=$prefix/share:/usr/share
for f in line3.zq settings-without-extension renamed.zq; do
    got=$(filetype "$with" "$work/$f")
    [ "$got" = "$type" ] || fail "xdg-mime calls $f \"$got\", not $type"
    got=$(contenttype "$with" "$work/$f")
    [ "$got" = "$type" ] || fail "gio calls $f \"$got\", not $type"
done
# Without the installed type the same file is something else: the check
# above is about our database, not a default.
got=$(filetype /usr/share "$work/settings-without-extension")
[ "$got" != "$type" ] || fail "the type is known without the installed database"
got=$(XDG_DATA_DIRS=$with xdg-mime query default "$type")
[ "$got" = zqremote.desktop ] || fail "the program is not the default for $type (\"$got\")"

# --- man pages
step "man pages"
for p in zqremote zqctl zq-camsim; do
    page=$prefix/share/man/man1/$p.1.gz
    gzip -t "$page" || fail "$p.1.gz is not gzip"
    title=$(echo "$p" | tr a-z A-Z)
    zcat "$page" | grep -q "^\.TH \"\?$title\"\? \"1\"" || fail "$p(1) has no title line for $title"
    for section in NAME SYNOPSIS DESCRIPTION "SEE ALSO"; do
        zcat "$page" | grep -q "^\.SH \"\?$section\"\?$" || fail "$p(1) has no $section"
    done
    if command -v lexgrog >/dev/null; then
        lexgrog "$page" | grep -q "\"$p - " || fail "$p(1): whatis cannot read its NAME"
    fi
done
zcat "$prefix/share/man/man1/zqctl.1.gz" | sed -n '/^\.SH SYNOPSIS/,/^\.SH/p' | grep -q COMMAND ||
    fail "zqctl(1): the synopsis lost its continued usage line"
zcat "$prefix/share/man/man1/zqremote.1.gz" | grep -q -- '-\\-com' ||
    fail "zqremote(1) does not list --com"

# --- the translation: installed, and found by the installed program
step "Japanese translation"
[ -s "$prefix/share/zqremote/translations/zqremote_ja.qm" ] || fail "zqremote_ja.qm is not installed"
speaks_japanese() { # PROGRAM
    QT_QPA_PLATFORM=offscreen LANGUAGE= LC_ALL= LANG=ja_JP.UTF-8 "$1" --help 2>/dev/null |
        grep -q "LANG の言語で表示します"
}
speaks_japanese "$prefix/bin/zqremote" || fail "the installed zqremote does not find its translation"
[ "$(LANG=ja_JP.UTF-8 "$prefix/bin/zqctl" --help)" = "$(LANG=C.UTF-8 "$prefix/bin/zqctl" --help)" ] ||
    fail "zqctl changed its words with the language: scripts read them"

# --- the Debian package
step "cpack -G DEB"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1 || {
    cat "$work/cpack.log"
    fail "cpack failed"
}
debs=("$work"/package/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "cpack made no single .deb"
deb=${debs[0]}
dpkg-deb --info "$deb" >"$work/info"
field() { sed -n "s/^ $1: //p" "$work/info"; }
[ "$(field Package)" = zqremote ] || fail "Package: $(field Package)"
depends=$(field Depends)
echo "Depends: $depends"
for d in libc6 libstdc++6 libqt6core6 libqt6widgets6 libqt6serialport6 qt6-qpa-plugins; do
    echo "$depends" | tr ',' '\n' | grep -q "^ *$d\( \|$\)" || fail "Depends lacks $d"
done
echo "$depends" | tr ',' '\n' | grep -q "^ *fonts-droid-fallback |" || fail "Depends lacks a Japanese font"
echo "$depends" | tr ',' '\n' | grep -q "^ *qt6-translations-l10n\( \|$\)" ||
    fail "Depends lacks Qt's own translations"
dpkg-deb --contents "$deb" | awk '{print $6}' | sed 's|^\./||; /\/$/d' | sort >"$work/contents"
grep -v '^usr/' "$work/contents" && fail "the package puts files outside /usr"
diff -u "$work/installed" "$work/contents" || fail "the package and the installed tree differ"
dpkg-deb -x "$deb" "$work/unpacked"
for f in usr/bin/zqremote usr/bin/zqctl usr/bin/zq-camsim usr/lib/libclsersim.so \
    usr/lib/libzqcamera.so.1; do
    readelf -d "$work/unpacked/$f" | grep -E 'RPATH|RUNPATH' && fail "$f carries a run path"
done
# One version: the package's is what every program says.
version=$(field Version)
[ "$version" = 1.0.0.0 ] || fail "Version: $version, not the About box's 1.0.0.0"
[ "$("$work/unpacked/usr/bin/zqctl" --version)" = "zqctl $version" ] ||
    fail "packaged zqctl does not run or says another version"
[ "$(QT_QPA_PLATFORM=offscreen "$work/unpacked/usr/bin/zqremote" --version 2>/dev/null)" = \
  "ZQ-M(V)710ALX $version" ] || fail "packaged zqremote does not run or says another version"
speaks_japanese "$work/unpacked/usr/bin/zqremote" || fail "the packaged zqremote has no Japanese"
# The Python package finds the library it came with, by where it lies.
imports_zqcamera() { # ROOT
    [ "$(env -u ZQCAMERA_LIBRARY PYTHONPATH="$1/usr/lib/python3/dist-packages" /usr/bin/python3 \
        -c 'import zqcamera; print(zqcamera.version())')" = "$version" ]
}
imports_zqcamera "$work/unpacked" || fail "the packaged zqcamera does not import"

# Install and purge in a scratch root: dpkg's own bookkeeping, no chroot.
# The maintainer scripts only call ldconfig, which must not touch this host.
if [ "$(id -u)" -eq 0 ] && command -v dpkg >/dev/null; then
    step "dpkg install and purge in a scratch root"
    root=$work/root
    mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates" "$work/fakebin"
    : >"$root/var/lib/dpkg/status"
    printf '#!/bin/sh\nexit 0\n' >"$work/fakebin/ldconfig"
    chmod +x "$work/fakebin/ldconfig"
    scratch() {
        PATH=$work/fakebin:$PATH dpkg --root="$root" --log=/dev/null --force-depends \
            --force-script-chrootless "$@" >"$work/dpkg.log" 2>&1 || {
            cat "$work/dpkg.log"
            fail "dpkg $*"
        }
    }
    scratch --install "$deb"
    [ -x "$root/usr/bin/zqremote" ] || fail "dpkg did not install zqremote"
    imports_zqcamera "$root" || fail "python3 cannot import zqcamera after installing the package"
    scratch --purge zqremote
    left=$(cd "$root" && find . -path ./var -prune -o ! -type d -print)
    [ -z "$left" ] || fail "purge left: $left"
else
    echo "(not root: no install in a scratch root)"
fi

if command -v apt-get >/dev/null; then
    step "apt-get install --simulate"
    apt-get install --simulate -q "$deb" >"$work/apt.log" 2>&1 || {
        cat "$work/apt.log"
        fail "apt cannot resolve the package's dependencies"
    }
    grep -q '^Inst zqremote ' "$work/apt.log" || {
        cat "$work/apt.log"
        fail "apt would not install zqremote"
    }
fi
echo "PASS"
