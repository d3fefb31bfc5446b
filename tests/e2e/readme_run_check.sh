#!/usr/bin/env bash
# The README's first command, as a newcomer runs it without a desktop: scripts/run must start
# the real dpx.exe on its private display, with DPX's main window up, and save a screenshot.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${DPX_BUILD_DIR:?"run from scripts/test, which sets DPX_BUILD_DIR"}
session=$build/run-session
trap '"$root/scripts/wine-session" stop "$session" >/dev/null 2>&1 || true' EXIT

output=$(env -u DISPLAY "$root/scripts/run" 2>&1) || { echo "$output"; echo "FAIL: scripts/run failed"; exit 1; }
shot=$(sed -n 's/^Screenshot: //p' <<<"$output")
[[ -s $shot ]] || { echo "$output"; echo "FAIL: no screenshot"; exit 1; }

eval "$("$root/scripts/wine-session" env "$session")"
main=""
for id in $(xdotool search --onlyvisible --name '^DPX$'); do
  width=$(xwininfo -id "$id" | sed -n 's/^ *Width: *//p')
  ((width > 100)) && main=$id
done
[[ -n $main ]] || { echo "FAIL: DPX's main window is not shown on $DISPLAY"; exit 1; }
# ... and it belongs to dpx.exe, not to some other program of the build.
owner=$(tr '\0' ' ' </proc/"$(xdotool getwindowpid "$main")"/cmdline)
[[ $owner == *'\dpx.exe'* || $owner == */dpx.exe* ]] || { echo "FAIL: the window is $owner's"; exit 1; }
# Its Windows page lists the visible windows; the screenshot holds the window, not a blank screen.
colours=$(convert "$shot" -format '%k' info:)
((colours > 16)) || { echo "FAIL: the screenshot has only $colours colours"; exit 1; }
echo "scripts/run showed DPX's main window ($main) on $DISPLAY; screenshot $shot"
