#!/usr/bin/env bash
# Checks the side actions of a hide and its restore from outside the program, as a user's
# desktop would show them: the X screen's mode with xrandr, the registry value "Wallpaper" with
# `wine reg query`, the display test dialog with xdotool. Then the sound step on a machine without
# a sound server and, when PulseAudio is installed, against Wine's endpoint volume stub.
#
#   side_actions_check.sh PROBE_EXE TESTS_EXE
#
# Runs in the test session DPX_WINE_SESSION (started when it is not running). Starts from the
# session's default mode with Wine's list of modes read afresh from the X server (an earlier test
# may have left a virtual desktop's list behind), and puts the mode and the registry value back
# at the end. Ends with "N passed, N failed".
set -uo pipefail

probe=$(realpath "$1")
tests=$(realpath "$2")
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
session=${DPX_WINE_SESSION:?set DPX_WINE_SESSION to the test session folder}
"$root/scripts/wine-session" start "$session" || exit 1
eval "$("$root/scripts/wine-session" env "$session")"
# The sound client libraries that Wine loads write their cookie and runtime link under HOME: keep
# them in the session folder, never the user's home.
export HOME=$session/home
mkdir -p "$HOME"
# Until the stub part: a sound server address where none listens, so no server is found or
# started, whatever runs elsewhere on the machine.
export PULSE_SERVER=unix:$session/no-sound-server

passed=0
failed=0
check() { # NAME EXPECTED ACTUAL
    if [[ "$2" == "$3" ]]; then
        passed=$((passed + 1))
        echo "ok      $1"
    else
        failed=$((failed + 1))
        echo "FAILED  $1: expected '$2', got '$3'"
    fi
}

screen_mode() { xrandr --current | awk '$2 ~ /\*/ { print $1; exit }'; }
x_sizes() { xrandr --current | awk '$1 ~ /^[0-9]+x[0-9]+$/ { print $1 }' | sort -u | paste -sd' '; }
# The sizes in the probe's last "modes" answer.
listed_sizes() { printf '%s\n' "${answer[@]}" | awk '$1 == "mode" { sub(/x[0-9]+@.*/, "", $3); print $3 }' | sort -u | paste -sd' '; }
# "[text]" for a value, "" when there is none; Wine prints REG_SZ values as "    Name    REG_SZ    text".
wallpaper_value() {
    "$DPX_WINE" reg query 'HKCU\Control Panel\Desktop' /v Wallpaper 2>/dev/null | tr -d '\r' |
        sed -n 's/^ *Wallpaper *REG_SZ *\(.*\)$/[\1]/p'
}
set_wallpaper_value() { "$DPX_WINE" reg add 'HKCU\Control Panel\Desktop' /v Wallpaper /d "$1" /f >/dev/null 2>&1; }
dialog_shown() { xdotool search --onlyvisible --name '^Display mode test$' >/dev/null 2>&1 && echo yes || echo no; }

"$root/scripts/wine-session" reset "$session" || exit 1
original_mode=$(screen_mode)
original_wallpaper=$(wallpaper_value)
probe_pid=
put_back() {
    [[ -n "$probe_pid" ]] && kill "$probe_pid" 2>/dev/null
    [[ "$(screen_mode)" == "$original_mode" ]] || "$root/scripts/wine-session" reset "$session"
    if [[ -n "$original_wallpaper" ]]; then
        original_wallpaper=${original_wallpaper#[}
        set_wallpaper_value "${original_wallpaper%]}"
    else
        "$DPX_WINE" reg delete 'HKCU\Control Panel\Desktop' /v Wallpaper /f >/dev/null 2>&1
    fi
}
trap put_back EXIT

# The probe, driven one command at a time; `ask` leaves its answer lines in $answer.
start_probe() {
    coproc PROBE { exec "$DPX_WINE" "$probe" 2>/dev/null; }
    probe_pid=$PROBE_PID
}
ask() { # COMMAND [TIMEOUT]
    local line
    answer=()
    echo "$1" >&"${PROBE[1]}"
    while IFS= read -r -t "${2:-60}" line <&"${PROBE[0]}"; do
        line=${line%$'\r'}
        answer+=("$line")
        [[ "$line" == *done ]] && return 0
    done
    answer+=("no answer")
    return 1
}
stop_probe() {
    ask quit 10
    wait "$probe_pid" 2>/dev/null
    probe_pid=
}

echo "=== hide and restore seen from outside (screen $original_mode)"
start_probe
# The size of the mode Wine calls current in the probe's last "modes" answer.
current_size() {
    local number
    number=$(printf '%s\n' "${answer[@]}" | sed -n 's/^current //p')
    printf '%s\n' "${answer[@]}" | awk -v n="$number" '$1 == "mode" && $2 == n { sub(/x[0-9]+@.*/, "", $3); print $3; exit }'
}
# Wine's desktop process reads the X server's modes again in its own time after the reset; a hide
# taken before it has would remember the old mode as the one to go back to.
for _ in $(seq 50); do
    ask modes
    [[ "$(listed_sizes)" == "$(x_sizes)" && "$(current_size)" == "$original_mode" ]] && break
    sleep 0.2
done
check "Wine lists the sizes the X server offers" "$(x_sizes)" "$(listed_sizes)"
current=$(printf '%s\n' "${answer[@]}" | sed -n 's/^current //p')
target=$(printf '%s\n' "${answer[@]}" | awk '$1 == "mode" && $3 ~ /^1024x768x/ { print $2; exit }')
check "the mode in force is listed" yes "$([[ "$current" -ge 0 ]] 2>/dev/null && echo yes || echo no)"
check "1024x768 is listed" yes "$([[ -n "$target" ]] && echo yes || echo no)"
target=${target:--1}

old='C:\users\Public\Pictures\DPX test  wallpaper.bmp'
set_wallpaper_value "$old"
ask "hide $target 1 1"
check "hide completes" "hide done" "${answer[-1]}"
check "screen in the chosen mode while hidden" 1024x768 "$(screen_mode)"
check "Wallpaper empty while hidden" "[]" "$(wallpaper_value)"
# As a user would, restore once Wine too shows the new mode: a switch back asked before then can
# be taken by Wine for no change at all.
for _ in $(seq 50); do
    ask modes
    [[ "$(current_size)" == 1024x768 ]] && break
    sleep 0.2
done
ask restore
check "restore completes" "restore done" "${answer[-1]}"
check "screen back after restore" "$original_mode" "$(screen_mode)"
check "Wallpaper exactly the old text after restore" "[$old]" "$(wallpaper_value)"

echo "=== the display mode test closes itself"
echo "test $target" >&"${PROBE[1]}"
sleep 3
check "dialog shown during the test" yes "$(dialog_shown)"
check "screen in the tested mode" 1024x768 "$(screen_mode)"
answer=()
while IFS= read -r -t 30 line <&"${PROBE[0]}"; do
    line=${line%$'\r'}
    answer+=("$line")
    [[ "$line" == *done ]] && break
done
check "the test ends by itself" "test done" "${answer[-1]:-no answer}"
check "dialog gone" no "$(dialog_shown)"
check "screen back after the test" "$original_mode" "$(screen_mode)"
stop_probe

# Runs the Windows tests of the sound step with the answer this machine is expected to give.
audio_tests() { # EXPECTED
    local output
    output=$(DPX_EXPECT_AUDIO=$1 "$DPX_WINE" "$tests" --gtest_filter='AudioWin32Test.*' 2>&1 | tr -d '\r')
    if grep -q '^\[  PASSED  \] 2 tests' <<<"$output" && ! grep -q SKIPPED <<<"$output"; then
        check "sound tests, endpoint answers '$1'" pass pass
    else
        printf '%s\n' "$output" | grep -E '^\[|Failure|expected|Which|Value' | head -30
        check "sound tests, endpoint answers '$1'" pass fail
    fi
}

echo "=== sound without a sound server: no playback endpoint"
audio_tests none

echo "=== sound against Wine's endpoint volume stub"
if command -v pulseaudio >/dev/null 2>&1; then
    unset PULSE_SERVER
    runtime=$(mktemp -d)
    chmod 700 "$runtime"
    # A private server for anonymous clients: the programs under test need no cookie.
    XDG_RUNTIME_DIR=$runtime pulseaudio --daemonize=no --exit-idle-time=-1 -n \
        --load="module-native-protocol-unix auth-anonymous=1" --load=module-null-sink \
        >"$session/pulseaudio.log" 2>&1 &
    pulse_pid=$!
    for _ in $(seq 50); do
        XDG_RUNTIME_DIR=$runtime pactl info >/dev/null 2>&1 && break
        sleep 0.1
    done
    export XDG_RUNTIME_DIR=$runtime
    audio_tests stub
    start_probe
    ask "hide -1 0 1"
    check "hide with the stub completes" "hide done" "${answer[-1]}"
    ask restore
    check "restore with the stub completes" "restore done" "${answer[-1]}"
    stop_probe
    kill "$pulse_pid" 2>/dev/null
    wait "$pulse_pid" 2>/dev/null
    unset XDG_RUNTIME_DIR
    rm -rf "$runtime"
else
    echo "skipped: pulseaudio is not installed"
fi

echo "$passed passed, $failed failed"
((failed == 0))
