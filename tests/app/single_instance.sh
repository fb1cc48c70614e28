#!/usr/bin/env bash
# A second start of the game while one runs ends at once, without a word, and leaves the first running.
set -u
game=$1
runtime=$(mktemp -d)
chmod 700 "$runtime"
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$runtime XDG_CONFIG_HOME=$runtime/config
"$game" >/dev/null 2>&1 &
first=$!
for _ in $(seq 100); do [ -e "$runtime/polmina.lock" ] && break; sleep 0.05; done
timeout 20 "$game" >"$runtime/second.out" 2>&1
rc=$?
alive=0
kill -0 "$first" 2>/dev/null && alive=1
kill "$first" 2>/dev/null
wait "$first" 2>/dev/null
out=$(grep -v -e "^This plugin" -e "^QStandardPaths" "$runtime/second.out")
rm -rf "$runtime"
[ "$rc" -eq 0 ] || { echo "second start did not end at once (exit $rc)"; exit 1; }
[ "$alive" -eq 1 ] || { echo "the first copy is gone"; exit 1; }
[ -z "$out" ] || { echo "second start said: $out"; exit 1; }
echo "second start ended at once"
