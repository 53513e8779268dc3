#!/usr/bin/env bash
# zqctl.exe under Wine through a COM port linked to the Linux simulated
# camera's pseudo-terminal, beside the Linux zqctl on a camera of its own:
# read-all prints the same lines and puts the same bytes on the line; a
# silent camera times out with the same words; a COM port with nothing
# behind it is named with the system's reason.
#   tst_wine_com.sh WINERUN ZQCTL.EXE LINUX_BUILD_DIR
set -euo pipefail
winerun=$1 zqctl=$2 host=$3
camsim=$host/sim/zq-camsim
linux=$host/cli/zqctl
if [ ! -x "$camsim" ] || [ ! -x "$linux" ]; then
    echo "SKIP: no Linux zq-camsim and zqctl in $host"
    exit 77
fi
work=$(mktemp -d)
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
camera() { # NAME [OPTION]...
    local name=$1
    shift
    "$camsim" --link "$work/$name" --log "$work/$name.log" "$@" &
    pids+=($!)
    for _ in $(seq 100); do
        [ -e "$work/$name" ] && return 0
        sleep 0.1
    done
    echo "zq-camsim did not start"
    exit 1
}
failed=0
same() { # WHAT EXPECTED GOT
    if [ "$2" == "$3" ]; then
        echo "ok: $1"
    else
        echo "FAIL: $1"
        diff <(echo "$2") <(echo "$3") | head -20 || true
        failed=1
    fi
}
untimed() { cut -d' ' -f2- "$1" | tr -d '\r'; }

camera linux
camera win
"$linux" --device "$work/linux" --trace "$work/linux.trace" read-all >"$work/linux.out"
"$winerun" --com 5="$work/win" "$zqctl" --com 5 --trace "Z:$work/win.trace" read-all \
    | tr -d '\r' >"$work/win.out"
same "read-all prints $(wc -l <"$work/linux.out") lines as on Linux" "$(cat "$work/linux.out")" \
    "$(cat "$work/win.out")"
same "read-all's bytes on the line, both ways" "$(untimed "$work/linux.trace")" \
    "$(untimed "$work/win.trace")"
# The camera notes bytes as they came; how they were split is the line's.
received() { grep -a '^rx' "$1" | cut -d' ' -f2- | tr '\n' ' '; }
same "what the camera received" "$(received "$work/linux.log")" "$(received "$work/win.log")"

camera quiet --silent
camera quiet2 --silent
# Wine's own start-up, to be told apart from the wait.
start=$SECONDS
"$winerun" "$zqctl" --version >/dev/null
wineSecs=$((SECONDS - start))
set +e
start=$SECONDS
"$linux" --device "$work/quiet" read-all >/dev/null 2>"$work/quiet.err"
linuxStatus=$? linuxSecs=$((SECONDS - start))
start=$SECONDS
"$winerun" --com 6="$work/quiet2" "$zqctl" --com 6 read-all >/dev/null 2>"$work/quiet2.err"
winStatus=$? winSecs=$((SECONDS - start))
set -e
waited=$((winSecs - wineSecs))
same "a silent camera gives up as soon (Linux ${linuxSecs} s, Windows ${waited} s)" yes \
    "$([ $waited -ge $((linuxSecs - 2)) ] && [ $waited -le $((linuxSecs + 3)) ] && echo yes || echo no)"
same "a silent camera: exit status" "$linuxStatus" "$winStatus"
same "a silent camera: what is said" "$(sed "s|$work/quiet|COM6|g" "$work/quiet.err")" \
    "$(tr -d '\r' <"$work/quiet2.err")"

set +e
"$winerun" "$zqctl" --com 9 read-all >/dev/null 2>"$work/none.err"
status=$?
set -e
reason=$(tr -d '\r' <"$work/none.err")
same "COM9 with nothing behind it fails" "yes" "$([ $status -ne 0 ] && echo yes || echo no)"
if grep -q 'COM9: .\+ (no such device' <<<"$reason"; then
    echo "ok: COM9 named with the system's reason: $reason"
else
    echo "FAIL: COM9's reason: $reason"
    failed=1
fi
exit $failed
