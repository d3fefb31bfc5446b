#!/usr/bin/env bash
# Puts the test session's display back after a test that ran Wine's virtual desktop: the default
# mode, and Wine's list of modes read again from the X server (see `wine-session reset`).
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
exec "$root/scripts/wine-session" reset "${DPX_WINE_SESSION:-$root/build/wine-session}"
