#!/bin/sh
# A line of cameras, all simulated (zq-camsim), nothing else opened:
#  (a) zqctl diff on eight cameras at 9600 baud at once, against one alone;
#  (b) zqctl scan over ten silent pseudo-terminals and one camera.
# Run: tests/bench/linebench.sh [BUILD_DIR] [ROUNDS]
set -eu
build=${1:-build}
rounds=${2:-3}
camsim=$build/sim/zq-camsim
zqctl=$build/cli/zqctl
work=$(mktemp -d "${TMPDIR:-/tmp}/linebench.XXXXXX")
pids=
trap 'kill $pids 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$work"' EXIT

start() { # NAME OPTIONS...
    name=$1
    shift
    "$camsim" --link "$work/$name" "$@" >"$work/$name.out" 2>&1 &
    pids="$pids $!"
}
for i in 1 2 3 4 5 6 7 8; do start "cam$i" --baud 9600 --strict-baud; done
for i in 1 2 3 4 5 6 7 8 9 10; do start "silent$i" --silent; done
start slow --baud 9600 --strict-baud
start fast --baud 115200 --strict-baud
for name in cam8 silent10 slow fast; do
    for _ in $(seq 50); do [ -e "$work/$name" ] && break; sleep 0.1; done
done

# Best of the rounds, in seconds.
best() {
    b=
    for _ in $(seq "$rounds"); do
        t0=$(date +%s.%N)
        "$@" >/dev/null 2>&1 || true
        t=$(awk "BEGIN { printf \"%.3f\", $(date +%s.%N) - $t0 }")
        if [ -z "$b" ] || awk "BEGIN { exit !($t < $b) }"; then b=$t; fi
    done
    echo "$b"
}

"$zqctl" --device "$work/cam1" save "$work/approved.zq"
: >"$work/line.txt"
for i in 1 2 3 4 5 6 7 8; do echo "$work/cam$i 9600" >>"$work/line.txt"; done
one=$(best "$zqctl" --device "$work/cam1" diff "$work/approved.zq")
eight=$(best "$zqctl" --devices "$work/line.txt" diff "$work/approved.zq")
echo "(a) diff at 9600 baud, best of $rounds: one camera ${one} s, eight cameras ${eight} s," \
    "ratio $(awk "BEGIN { printf \"%.2f\", $eight / $one }") (goal 1.2 or less)"

silent=
for i in 1 2 3 4 5 6 7 8 9 10; do silent="$silent --device $work/silent$i"; done
# shellcheck disable=SC2086
for camera in slow fast; do
    t=$(best "$zqctl" $silent --device "$work/$camera" scan)
    echo "(b) scan of ten silent ports and one camera ($camera), best of $rounds: ${t} s" \
        "(goal 5 s or less)"
done
"$zqctl" $silent --device "$work/slow" --device "$work/fast" scan
echo "load: $(uptime)"
