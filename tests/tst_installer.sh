#!/usr/bin/env bash
# The installer's round trip under Wine, in a Wine prefix of its own made
# for the run: a silent install into a chosen folder, zqctl.exe and the
# desktop program started from there, the ".zq" type and the Start-menu
# entry in place, then a silent uninstall that leaves nothing behind.
#   tst_installer.sh WINERUN SETUP.EXE
set -euo pipefail
winerun=$1 setup=$2
if [ ! -f "$setup" ]; then
    echo "SKIP: no installer at $setup (cmake --build . --target installer)"
    exit 77
fi
work=$(mktemp -d)
export ZQ_WINEPREFIX=$work/prefix
cleanup() {
    WINEPREFIX=$ZQ_WINEPREFIX wineserver -k 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
failed=0
check() { # WHAT COMMAND...
    local what=$1
    shift
    if "$@" >/dev/null 2>&1; then echo "ok: $what"; else echo "FAIL: $what"; failed=1; fi
}
folder=$ZQ_WINEPREFIX/drive_c/ZQRemote
# Wine quotes an argument with a blank, and NSIS takes /D= only unquoted.
"$winerun" "$setup" /S '/D=C:\ZQRemote'
WINEPREFIX=$ZQ_WINEPREFIX wineserver -w
for f in zqremote.exe zqctl.exe uninstall.exe Qt6Core.dll Qt6Widgets.dll platforms/qwindows.dll \
    translations/zqremote_ja.qm qt.conf; do
    check "installed $f" test -f "$folder/$f"
done
version=$("$winerun" 'C:\ZQRemote\zqctl.exe' --version | tr -d '\r')
check "zqctl.exe --version from the installed folder: $version" grep -q '1\.0\.0\.0' <<<"$version"
params=$("$winerun" 'C:\ZQRemote\zqctl.exe' params | tr -d '\r' | wc -l)
check "zqctl.exe params from the installed folder: $params lines" test "$params" -gt 20
check "the .zq type opens the program" \
    sh -c "\"$winerun\" reg query 'HKLM\\Software\\Classes\\ZQRemote.Settings\\shell\\open\\command' | grep -qi 'zqremote.exe'"
check "the Start-menu entry" test -n "$(find "$ZQ_WINEPREFIX/drive_c" -name 'ZQ-M(V)710ALX Remote.lnk')"
# The program waits in its setup dialog for a port: still running after
# a while, nothing said on the way.
"$winerun" 'C:\ZQRemote\zqremote.exe' >"$work/program.out" 2>&1 &
program=$!
sleep 15
check "the installed program started and waits in its setup dialog" kill -0 $program
WINEPREFIX=$ZQ_WINEPREFIX wineserver -k || true
wait $program 2>/dev/null || true
"$winerun" 'C:\ZQRemote\uninstall.exe' /S
WINEPREFIX=$ZQ_WINEPREFIX wineserver -w
left=$(if [ -d "$folder" ]; then find "$folder" -mindepth 1 | head -5; fi)
check "the uninstaller left the folder empty${left:+: $left}" test -z "$left"
check "the uninstaller removed the Start-menu entry" \
    test -z "$(find "$ZQ_WINEPREFIX/drive_c" -name 'ZQ-M(V)710ALX Remote.lnk')"
check "the uninstaller removed the .zq type" \
    sh -c "! \"$winerun\" reg query 'HKLM\\Software\\Classes\\ZQRemote.Settings' >/dev/null 2>&1"
exit $failed
