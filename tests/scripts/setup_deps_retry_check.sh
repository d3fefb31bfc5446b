#!/usr/bin/env bash
# scripts/setup-deps against a package mirror that is mid-sync: apt-get update reports a failed
# index twice, then works. It must try again, say so, and install; and give up, saying so, when
# the mirror never recovers.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
fake=$(mktemp -d)
trap 'rm -rf "$fake"' EXIT

# dpkg-query knows no package, so everything counts as missing; apt-get fails its update
# until the counter file says the mirror is back.
cat >"$fake/dpkg-query" <<'SH'
#!/bin/sh
exit 1
SH
cat >"$fake/apt-get" <<'SH'
#!/bin/sh
echo "$*" >>"$FAKE_DIR/calls"
case "$*" in
  *update*)
    failures=$(cat "$FAKE_DIR/failures-left")
    if [ "$failures" -gt 0 ]; then
      echo $((failures - 1)) >"$FAKE_DIR/failures-left"
      echo "E: Failed to fetch http://mirror/dists/bookworm/InRelease  File has unexpected size" >&2
      exit 100
    fi ;;
esac
exit 0
SH
chmod +x "$fake/dpkg-query" "$fake/apt-get"
export FAKE_DIR=$fake DPX_APT_RETRY_SECONDS=0 PATH="$fake:$PATH"

echo 2 >"$fake/failures-left"
output=$("$root/scripts/setup-deps" 2>&1) || { echo "$output"; echo "FAIL: gave up too soon"; exit 1; }
[[ $(grep -c update "$fake/calls") == 3 ]] || { cat "$fake/calls"; echo "FAIL: not three updates"; exit 1; }
grep -q -- '--error-on=any' "$fake/calls" || { echo "FAIL: a failed index would pass as a warning"; exit 1; }
grep -q 'install' "$fake/calls" || { echo "FAIL: nothing installed after the retries"; exit 1; }
grep -q 'apt-get update failed (attempt 2 of 5); retrying' <<<"$output" ||
  { echo "$output"; echo "FAIL: the retry was not reported"; exit 1; }

: >"$fake/calls"
echo 99 >"$fake/failures-left"
if output=$("$root/scripts/setup-deps" 2>&1); then
  echo "$output"; echo "FAIL: a mirror that never recovers counted as success"; exit 1
fi
grep -q 'apt-get update failed 5 times; giving up' <<<"$output" || { echo "$output"; echo "FAIL: no final word"; exit 1; }
grep -q install "$fake/calls" && { echo "FAIL: installed from a failed index"; exit 1; }
echo "setup-deps retried a failing mirror and gave up on one that stayed broken"
