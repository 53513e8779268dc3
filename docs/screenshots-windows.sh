#!/usr/bin/env bash
# Makes the Windows pictures in docs/images/ (windows-*.png): the program of
# the Windows build under Wine, on a private X server with openbox, through
# COM 1 linked to the Linux simulated camera: the setup dialog, the panel
# after OPEN, the register editor, a settings file saved and opened again.
#   docs/screenshots-windows.sh      after ./test --windows (build-win/, build/)
# Wine's COM links are made only by build-win/winerun (see there).
set -euo pipefail
cd "$(dirname "$0")/.."
src=$PWD
out=$src/docs/images
winbuild=$(cd "${WIN_BUILD_DIR:-build-win}" && pwd)
camsim=$(cd "${BUILD_DIR:-build}/sim" && pwd)/zq-camsim
winerun=$winbuild/winerun
program=$winbuild/app/zqremote.exe
work=$(mktemp -d "${TMPDIR:-/tmp}/zqwinshots.XXXXXX")
pids=()
cleanup() {
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
    WINEPREFIX=${ZQ_WINEPREFIX:-$winbuild/wineprefix} wineserver -k 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$out"
export QT_QPA_PLATFORM=windows LANG=C.UTF-8
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$work/display")
openbox >"$work/openbox.log" 2>&1 &
pids+=($!)
sleep 1
failed=0
note() { echo "screenshots-windows.sh: $*" >&2; }
window() { # REGEX [SECONDS]: the largest visible window so named
    local deadline=$((SECONDS + ${2:-30})) id best= area=0 w h
    while ((SECONDS < deadline)); do
        for id in $(xdotool search --onlyvisible --name "$1" 2>/dev/null || true); do
            read -r w h < <(xwininfo -id "$id" | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w, h}')
            if ((w * h > area)); then best=$id area=$((w * h)); fi
        done
        if [ -n "$best" ]; then
            sleep 1.5 # let Wine paint it
            echo "$best"
            return 0
        fi
        sleep 0.3
    done
    note "no window \"$1\" within ${2:-30} s"
    failed=1
    return 1
}
other_window() { # ID [SECONDS]: a window of the program other than ID (the
    # file dialog of Wine has no title to look for)
    local deadline=$((SECONDS + ${2:-30})) id
    while ((SECONDS < deadline)); do
        for id in $(xdotool search --onlyvisible --class 'zqremote' 2>/dev/null || true); do
            if [ "$id" != "$1" ]; then
                sleep 1.5
                echo "$id"
                return 0
            fi
        done
        sleep 0.3
    done
    note "no other window within ${2:-30} s"
    failed=1
    return 1
}
shot() { # ID NAME: the window with its frame, and its open menu over it: cut
    # from the screen (a menu is a window of its own)
    local x y w h l r t b
    read -r x y w h < <(xwininfo -id "$1" | awk '/Absolute upper-left X/ {x = $4}
        /Absolute upper-left Y/ {y = $4} /Width:/ {w = $2} /Height:/ {h = $2} END {print x, y, w, h}')
    read -r l r t b < <(xprop -id "$1" _NET_FRAME_EXTENTS | tr -dc '0-9 ' | awk '{print $1, $2, $3, $4}')
    import -window root -crop "$((w + ${l:-0} + ${r:-0}))x$((h + ${t:-0} + ${b:-0}))+$((x - ${l:-0}))+$((y - ${t:-0}))" \
        +repage "$out/windows-$2.png" &&
        echo "made windows-$2.png"
}
keys() {
    local id=$1
    shift
    xdotool windowactivate --sync "$id" 2>/dev/null || xdotool windowfocus --sync "$id" || true
    xdotool key --delay 150 "$@"
}
"$camsim" --link "$work/camera" >"$work/camsim.log" 2>&1 &
pids+=($!)
for _ in $(seq 50); do [ -e "$work/camera" ] && break; sleep 0.1; done
# The program's settings from earlier runs (recent files, the port) out.
"$winerun" reg delete 'HKCU\Software\Vantorix Ltd.' /f >/dev/null 2>&1 || true
app=
start_app() {
    # In the work folder: the file dialog starts there, and a name without
    # a drive or a shifted key is all xdotool needs to type into Wine.
    (cd "$work" && exec "$winerun" --com 1="$work/camera" "$program" "$@") >>"$work/app.log" 2>&1 &
    app=$!
    pids+=("$app")
}
stop_app() {
    WINEPREFIX=${ZQ_WINEPREFIX:-$winbuild/wineprefix} wineserver -k 2>/dev/null || true
    wait "$app" 2>/dev/null || true
}

# The setup dialog, OPEN on COM 1, the panel, the register editor, and the
# settings saved under a name of its own (Save As, typed into Wine's dialog).
start_app
if setup=$(window '^Select Communication System$' 60); then
    shot "$setup" setup
    keys "$setup" Return
fi
if main=$(window '^ZQ-M' 60); then
    sleep 2
    shot "$main" panel
    keys "$main" ctrl+p
    if editor=$(window '^Command Menu$'); then
        shot "$editor" register-editor
        keys "$editor" Escape
    fi
    keys "$main" ctrl+s
    if save=$(other_window "$main" 20); then
        keys "$save" End $(printf 'BackSpace %.0s' $(seq 40)) # Wine's edit box has no Ctrl+A
        xdotool type --delay 60 line3
        xdotool key Return
        for _ in $(seq 30); do [ -f "$work/line3.zq" ] && break; sleep 0.3; done
    fi
fi
stop_app
# ... and opened again from the command line, as a double-click on it does:
# the panel with its values, the File menu with it as the recent file.
if [ -f "$work/line3.zq" ]; then
    start_app "Z:${work//\//\\}\\line3.zq"
    if setup=$(window '^Select Communication System$' 60); then
        keys "$setup" Return
    fi
    if main=$(window '^ZQ-M' 60); then
        sleep 2
        keys "$main" alt+f
        sleep 3
        shot "$main" settings-file
    fi
    stop_app
else
    note "the settings file was not saved"
    failed=1
fi
exit $failed
