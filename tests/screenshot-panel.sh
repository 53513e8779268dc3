#!/usr/bin/env bash
# Starts the program under Xvfb against zq-camsim, presses OPEN in the
# communication setup, and saves a screenshot of the main window after the
# first reading: the picture to judge the panel's look by.
#
# Usage: tests/screenshot-panel.sh [BUILD_DIR] [OUTPUT.png] [zq-camsim options...]
# Runs itself under xvfb-run when there is no display.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out=${2:-docs/panel.png}
shift $(($# < 2 ? $# : 2))

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$build" "$out" "$@"
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/zqshot.XXXXXX")
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

"$build/sim/zq-camsim" --link "$work/camera" "$@" >"$work/camsim.out" 2>&1 &
pids+=($!)
for _ in $(seq 50); do [ -e "$work/camera" ] && break; sleep 0.1; done

export XDG_CONFIG_HOME="$work/config" # never the user's settings
"$build/app/zqremote" --com "1=$work/camera" >"$work/program.out" 2>&1 &
pids+=($!)

# The setup dialog: COM 1 at 9600 is the first choice, OPEN the default button.
setup=""
for _ in $(seq 100); do
    setup=$(xdotool search --onlyvisible --name "Select Communication System" 2>/dev/null | head -1) || true
    [ -n "$setup" ] && break
    sleep 0.1
done
if [ -z "$setup" ]; then
    echo "screenshot-panel: the setup dialog did not appear" >&2
    cat "$work/program.out" >&2
    exit 1
fi
# No window manager under Xvfb: give the dialog the focus, then type.
xdotool windowfocus "$setup"
sleep 0.2
xdotool key Return

# The first reading runs under a progress window; then the main window is
# the program's one big visible window.
sleep 2
main=""
best=0
for w in $(xdotool search --onlyvisible --classname zqremote 2>/dev/null); do
    size=$(xdotool getwindowgeometry "$w" | sed -n 's/ *Geometry: \([0-9]*\)x\([0-9]*\)/\1 \2/p')
    read -r width height <<<"$size"
    if [ $((width * height)) -gt "$best" ]; then
        best=$((width * height))
        main=$w
    fi
done
if [ -z "$main" ]; then
    echo "screenshot-panel: the main window did not appear" >&2
    cat "$work/program.out" >&2
    exit 1
fi
mkdir -p "$(dirname "$out")"
import -window "$main" "$out"
echo "screenshot-panel: $out ($(xdotool getwindowgeometry "$main" | sed -n 3p | xargs))"
