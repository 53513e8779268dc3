#!/usr/bin/env bash
# Makes the pictures in docs/images/: the control panel and every dialog of
# the program, each against the simulated camera, on a private X server with
# a window manager (openbox), as on a desktop: a window that is not painted
# while an exchange blocks shows there, and nowhere without one.
#   docs/screenshots.sh              builds what is missing into build/
#   BUILD_DIR=build-x docs/screenshots.sh
# Needs Xvfb, openbox, xwininfo, xdotool and ImageMagick (Debian: xvfb openbox
# x11-utils xdotool imagemagick),
# installed when run as root, and the program's fonts, which ./test --install
# brings. Controls are clicked where the dialog tables put them (dialog units
# scaled by the window's size); a window that does not appear is reported,
# its pictures are skipped, and the script ends with status 1.
set -euo pipefail
cd "$(dirname "$0")/.."
src=$PWD
out=$src/docs/images
build=${BUILD_DIR:-build}

packages=(xvfb openbox x11-utils xdotool imagemagick fonts-dejavu-core)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "screenshots.sh: please install ${missing[*]}" >&2
        exit 1
    fi
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

./test --install
[ -f "$build/build.ninja" ] || cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target zqremote zq-camsim >/dev/null
program=$(cd "$build/app" && pwd)/zqremote
camsim=$(cd "$build/sim" && pwd)/zq-camsim

work=$(mktemp -d "${TMPDIR:-/tmp}/zqshots.XXXXXX")
pids=()
cleanup() {
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$out" "$work/home" "$work/run"
chmod 700 "$work/run"
# Settings of their own (fresh COM button devices, no recent files), and the
# adjustment record file, if any, in the scratch folder.
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_RUNTIME_DIR=$work/run
export LANG=C.UTF-8
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
cd "$work"

# A display number nobody uses: Xvfb picks it and tells it on fd 3.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { cat "$work/xvfb.log" >&2; exit 1; }
export DISPLAY=:$(cat "$work/display")
openbox >"$work/openbox.log" 2>&1 &
pids+=($!)
sleep 1 # it takes over the screen before the first window maps

failed=0
made=()
note() { echo "screenshots.sh: $*" >&2; }

start_camsim() { # LINK [OPTIONS]: the simulated camera behind LINK
    local link=$1
    shift
    "$camsim" --link "$link" "$@" >>"$work/camsim.log" 2>&1 &
    pids+=($!)
    for _ in $(seq 50); do [ -e "$link" ] && return 0; sleep 0.1; done
    note "zq-camsim did not start"
    exit 1
}

# Every other COM button leads to a scratch path, so that no click that
# misses its button opens one of this machine's serial ports.
fence=()
for n in $(seq 2 10); do fence+=(--com "$n=$work/no-com$n"); done

app=
start_app() { # PROGRAM [ARGUMENTS]
    "$@" "${fence[@]}" >>"$work/app.log" 2>&1 &
    app=$!
    pids+=("$app")
}

stop_app() {
    kill "$app" 2>/dev/null || true
    wait "$app" 2>/dev/null || true
    app=
}

geometry() { # ID -> X Y WIDTH HEIGHT on the screen (xdotool's own position
    # is off by the frame once a window manager has reparented the window)
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x = $4} /Absolute upper-left Y/ {y = $4}
        /Width:/ {w = $2} /Height:/ {h = $2} END {print x, y, w, h}'
}

window() { # REGEX [SECONDS [NOT-ID]]: the largest visible window so named, other than NOT-ID
    local deadline=$((SECONDS + ${2:-10})) id best= area=0 x y w h
    while ((SECONDS < deadline)); do
        for id in $(xdotool search --onlyvisible --name "$1" 2>/dev/null || true); do
            [ "$id" = "${3:-}" ] && continue
            read -r x y w h < <(geometry "$id")
            if ((w * h > area)); then best=$id area=$((w * h)); fi
        done
        if [ -n "$best" ]; then
            sleep 0.7 # let it paint
            echo "$best"
            return 0
        fi
        sleep 0.2
    done
    note "no window \"$1\" within ${2:-10} s"
    failed=1
    return 1
}

shot() { # ID NAME: one window
    import -window "$1" "$out/$2.png"
    made+=("$2")
}

shot_all() { # NAME: the program's visible windows together (a dialog and its open menu)
    sleep 0.7
    local x0=100000 y0=100000 x1=0 y1=0 id x y w h
    for id in $(xdotool search --onlyvisible --pid "$app" 2>/dev/null); do
        read -r x y w h < <(geometry "$id")
        ((w > 4 && h > 4)) || continue
        ((x < x0)) && x0=$x
        ((y < y0)) && y0=$y
        ((x + w > x1)) && x1=$((x + w))
        ((y + h > y1)) && y1=$((y + h))
    done
    import -window root -crop "$((x1 - x0))x$((y1 - y0))+$x0+$y0" +repage "$out/$1.png"
    made+=("$1")
}

click() { # ID DU_WIDTH DU_HEIGHT DU_X DU_Y [BUTTON]: a point given in the
    # dialog table's units, the window being the table's size
    local x y w h
    read -r x y w h < <(geometry "$1")
    xdotool mousemove --sync $((x + $4 * w / $2)) $((y + $5 * h / $3)) click "${6:-1}"
}

keys() { # ID KEY...
    local id=$1
    shift
    xdotool windowfocus --sync "$id" 2>/dev/null || true
    xdotool key --delay 120 "$@"
}

typetext() { # ID TEXT
    xdotool windowfocus --sync "$1" 2>/dev/null || true
    xdotool type --delay 40 "$2"
}

# Sizes in dialog units, from the dialog tables in resources/.
SETUP="318 127" WHITESPOT="164 215" EDITOR="286 326" MANUAL="212 111"
title='^ ZQ-M\(V\)710ALX$' # message boxes, and the main window before its first refresh

# --- 1. a normal start: setup dialog, panel, menus, About, white spots, register editor
start_camsim "$work/camera"
start_app "$program" --com "1=$work/camera"
if setup=$(window '^Select Communication System$'); then
    shot "$setup" setup
    click "$setup" $SETUP 35 40 3 # right-click COM 2: the serial ports of this computer
    shot_all setup-ports
    xdotool key Escape
    click "$setup" $SETUP 212 48 # Other Factory: a grabber's Camera Link library
    shot "$setup" setup-otherfactory
    click "$setup" $SETUP 35 29 # back to COM 1
    keys "$setup" Return
fi
if main=$(window '^ZQ-M' 20); then
    sleep 1 # "Ready" once idle
    shot "$main" panel
    keys "$main" alt+i
    shot_all menu-interface
    xdotool key Escape Escape
    keys "$main" alt+f
    shot_all menu-file
    xdotool key Escape Escape
    keys "$main" alt+h Return
    if about=$(window '^About ZQ'); then
        shot "$about" about
        keys "$about" Return
    fi
    # DETECT in WHITE SPOT CORRECT (the panel's table: 318,213 of 391 by 345,
    # below the menu bar)
    read -r x y w h < <(geometry "$main")
    xdotool mousemove --sync $((x + w * 556 / 690)) $((y + h * 366 / 562)) click 1
    if spots=$(window '^WHITE SPOT DETECT MENU$'); then
        shot "$spots" whitespot
        click "$spots" $WHITESPOT 32 27 # DETECT: the camera searches, the dialog polls
        if done=$(window "$title" 20); then
            shot "$done" whitespot-finished
            keys "$done" Return
        fi
        click "$spots" $WHITESPOT 81 64 # READ: the addresses found
        sleep 1
        shot "$spots" whitespot-addresses
        click "$spots" $WHITESPOT 81 200 # CLOSE
    fi
    keys "$main" ctrl+p
    if editor=$(window '^Command Menu$'); then
        click "$editor" $EDITOR 163 21 # area TG
        click "$editor" $EDITOR 250 21 # read the page
        sleep 2
        shot "$editor" registereditor
        keys "$editor" Escape
    fi
fi
stop_app

# --- 2. developer mode (the program under its service name) with a file
# that is not a settings file: the message, the full Interface menu, the
# manual command
cp "$program" "$work/QX7RT service access"
printf 'not a settings file\n' >"$work/notes.zq"
start_app "$work/QX7RT service access" --com "1=$work/camera" "$work/notes.zq"
if setup=$(window '^Select Communication System$'); then
    keys "$setup" Return
    if box=$(window "$title"); then
        shot "$box" error-filetype
        keys "$box" Return
    fi
fi
if main=$(window '^ZQ-M' 20); then
    keys "$main" alt+i
    shot_all menu-interface-service
    xdotool key Return # Manual Command..., the first item in developer mode
    if manual=$(window '^Manual Command$'); then
        typetext "$manual" 01FF810C000000
        click "$manual" $MANUAL 170 61 # Read: send and show the reply
        sleep 1
        shot "$manual" manualcommand
        click "$manual" $MANUAL 170 95 # Exit
    fi
fi
stop_app

# --- 3. a COM button whose device does not exist
start_app "$program" --com "1=$work/no-such-device"
if setup=$(window '^Select Communication System$'); then
    keys "$setup" Return
    if box=$(window "$title"); then
        shot "$box" error-openport
        keys "$box" Return
    fi
fi
stop_app

# --- 4. a camera that does not answer
start_camsim "$work/silent" --silent
start_app "$program" --com "1=$work/silent"
if setup=$(window '^Select Communication System$'); then
    keys "$setup" Return
    # The progress window says what it waits for at once; the box comes later.
    if progress=$(window "$title"); then
        shot "$progress" progress
    fi
    if box=$(window "$title" 60 "$progress"); then
        shot "$box" error-timeout
        keys "$box" Return
    fi
fi
stop_app

# --- 5. the same start in Japanese: the setup dialog and the panel
# (xdotool matches the titles' UTF-8 as it is)
start_app "$program" --lang ja --com "1=$work/camera"
if setup=$(window '^通信方式の選択$'); then
    shot "$setup" setup-ja
    keys "$setup" Return
fi
if main=$(window '^ZQ-M' 20); then
    sleep 1 # "レディ" once idle
    shot "$main" panel-ja
fi
stop_app

echo "made in docs/images: ${made[*]}"
exit $failed
